// http/pump.h
//
// The message pump hook. The window installs a function that handles the
// user-interface events already queued and returns; the request engine calls
// PumpMessages at its pump points. Without a window nothing is installed and
// PumpMessages does nothing.
// Example: SetMessagePump([] { QCoreApplication::processEvents(); });
#pragma once

#include <functional>

namespace gavrel {

using MessagePump = std::function<void()>;

// Installs pump (an empty function removes it). Returns the one it replaces.
MessagePump SetMessagePump(MessagePump pump);
// Runs the installed pump, if any.
void PumpMessages();

}  // namespace gavrel
