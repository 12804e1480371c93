// http/pump.cpp
//
// The two hooks the window installs. A hook is copied before it runs, so a
// pump that installs another pump (or a nested WebVisit that pumps) never
// runs a function that is being replaced under it.
#include "http/pump.h"

#include <utility>

namespace gavrel {
namespace {

MessagePump& MessageHook() {
  static MessagePump pump;
  return pump;
}

MessagePump& WaitHook() {
  static MessagePump pump;
  return pump;
}

void RunHook(const MessagePump& hook) {
  if (!hook) return;
  MessagePump copy = hook;
  copy();
}

}  // namespace

MessagePump SetMessagePump(MessagePump pump) {
  return std::exchange(MessageHook(), std::move(pump));
}

void PumpMessages() { RunHook(MessageHook()); }

MessagePump SetWaitPump(MessagePump pump) { return std::exchange(WaitHook(), std::move(pump)); }

void PumpWhileWaiting() { RunHook(WaitHook()); }

}  // namespace gavrel
