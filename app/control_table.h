// app/control_table.h
//
// One row of a page's control table: what kind of control, its name, where
// it sits and how big it is, what it shows at first and in which colour.
// Each page keeps its rows in one static table; control_factory.h turns a
// row into a widget.
// Example: {ControlKind::Button, "按钮1", 426, 111, 56, 24, "复制", kColorBlack}
#pragma once

#include <cstdint>

#include "lookups/controls.h"

namespace gavrel {

enum class ControlKind {
  SingleLineEdit,    // QLineEdit
  MultiLineEdit,     // QPlainTextEdit: wraps, Enter breaks the line, no scroll bars
  Button,            // QPushButton
  TransparentLabel,  // QLabel without a background of its own
  ImageButton,       // ImageButton: a caption or a picture, optionally a tooltip
};

// Places are in pixels from the top-left corner of the control's host: the
// tab control for the controls of a page, the client area otherwise. Texts
// are UTF-8 as written in our sources; colours are 0x00BBGGRR.
struct ControlRow {
  ControlKind kind;
  const char* name;
  int x, y, width, height;
  const char* text;
  std::uint32_t color;
};

// A copy button and the box of its own row.
struct CopyPair {
  const char* button;
  const char* box;
};

}  // namespace gavrel
