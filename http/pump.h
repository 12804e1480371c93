// http/pump.h
//
// The hooks through which the request engine lets the window breathe. The
// window installs two functions; without a window neither is installed and
// both calls do nothing.
//   - the message pump: handles every user-interface event already queued
//     and returns. The engine calls PumpMessages at its pump points (after
//     each response header line, after the charset stage, before returning).
//   - the wait pump: repaints and handles timers but holds user input back.
//     The engine calls PumpWhileWaiting about every 50 ms while it waits on
//     the network, so the window never freezes yet no click runs mid-wait.
// Example: SetMessagePump([] { QCoreApplication::processEvents(); });
#pragma once

#include <functional>

namespace gavrel {

using MessagePump = std::function<void()>;

// Installs pump (an empty function removes it). Returns the one it replaces.
MessagePump SetMessagePump(MessagePump pump);
// Runs the installed message pump, if any.
void PumpMessages();

// Installs the wait pump (an empty function removes it). Returns the old one.
MessagePump SetWaitPump(MessagePump pump);
// Runs the installed wait pump, if any.
void PumpWhileWaiting();

}  // namespace gavrel
