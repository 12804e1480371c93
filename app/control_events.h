// app/control_events.h
//
// The focus and mouse events of a control, delivered to plain functions:
//   gotFocus    after the control has taken the keyboard focus;
//   lostFocus   after it has given the focus away. Qt moves the focus on the
//               press of a mouse button, so a box's lostFocus runs before
//               the clicked of the button that took the focus;
//   leftPressed when the left button goes down on the control, before the
//               control handles the press; the press then goes on as usual.
// Focus moves that come from the window being activated or deactivated, or
// from a popup such as the context menu, are not reported: the control
// keeps its focus within the window across them.
// Example: WatchControlEvents(box, {.gotFocus = [&] { ClearHint(ui, name); }});
#pragma once

#include <functional>

class QWidget;

namespace gavrel {

struct ControlEventHandlers {
  std::function<void()> gotFocus;
  std::function<void()> lostFocus;
  std::function<void()> leftPressed;
};

// Installs an event filter, owned by widget, that runs the set handlers.
void WatchControlEvents(QWidget* widget, ControlEventHandlers handlers);

}  // namespace gavrel
