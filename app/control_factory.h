// app/control_factory.h
//
// Makes the widget of one control-table row: the right widget class, the
// row's name as object name, its place and fixed size in the host, its first
// text and text colour. Edit boxes get a white background; the single-line
// kind keeps what the user pastes or drops to one line (single_line_input.h);
// the multi-line kind wraps lines at the box's width, takes Enter as a line break, has no
// scroll bars, and lets the Tab key move on.
// Example: MakeControl({ControlKind::Button, "按钮1", 426, 111, 56, 24, "复制", 0}, tabs)
#pragma once

#include "app/control_table.h"

class QWidget;

namespace gavrel {

// The widget, a child of host, not yet shown.
QWidget* MakeControl(const ControlRow& row, QWidget* host);

}  // namespace gavrel
