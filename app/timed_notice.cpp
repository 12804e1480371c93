#include "app/timed_notice.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace gavrel {
namespace {

// Puts the arrow on top of any busy cursor for as long as it lives.
class ArrowCursor final {
 public:
  ArrowCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
  ArrowCursor(const ArrowCursor&) = delete;
  ArrowCursor& operator=(const ArrowCursor&) = delete;
};

}  // namespace

void ShowTimedNoticeBox(const QString& text) {
  QMessageBox box(QMessageBox::Information, QString::fromUtf8(kNoticeCaption), text,
                  QMessageBox::Ok);
  box.setWindowModality(Qt::NonModal);
  box.setTextFormat(Qt::PlainText);

  QEventLoop loop;
  QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, &box, [&box] { box.done(QMessageBox::Ok); });

  ArrowCursor arrow;
  box.show();
  timeout.start(kNoticeLifetimeMs);
  // The loop also ends when the application quits, so the wait is bounded
  // by the timer either way.
  if (box.isVisible()) loop.exec();
  box.hide();
}

}  // namespace gavrel
