#include "app/window_pumps.h"

#include <utility>

#include <QCoreApplication>
#include <QEventLoop>

namespace gavrel {

WindowPumps::WindowPumps()
    : previousMessagePump_(SetMessagePump([] { QCoreApplication::processEvents(); })),
      previousWaitPump_(SetWaitPump(
          [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); })) {}

WindowPumps::~WindowPumps() {
  SetWaitPump(std::move(previousWaitPump_));
  SetMessagePump(std::move(previousMessagePump_));
}

}  // namespace gavrel
