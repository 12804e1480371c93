#include "app/busy_cursor.h"

#include <QApplication>
#include <QCursor>

namespace gavrel {

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace gavrel
