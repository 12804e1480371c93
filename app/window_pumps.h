// app/window_pumps.h
//
// Installs the request engine's two pumps for as long as it lives, and puts
// back whatever was installed before when it goes:
//   - the message pump handles every queued event, user input included; the
//     engine runs it at its pump points, where a second click may come in;
//   - the wait pump, run about every 50 ms while a request waits on the
//     network, repaints and runs timers but holds user input back until the
//     next pump point, so the window never freezes yet no click runs mid-wait.
// Example: WindowPumps pumps; /* ... */ app.exec();
#pragma once

#include "http/pump.h"

namespace gavrel {

class WindowPumps final {
 public:
  WindowPumps();
  ~WindowPumps();
  WindowPumps(const WindowPumps&) = delete;
  WindowPumps& operator=(const WindowPumps&) = delete;

 private:
  MessagePump previousMessagePump_;
  MessagePump previousWaitPump_;
};

}  // namespace gavrel
