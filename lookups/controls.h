// lookups/controls.h
//
// The window services the tools use, as an interface the core can call
// without knowing any widget toolkit. The window implements it; control
// names are the names of the control table, written as UTF-8 (as they
// stand in our sources), and every control text is Text.
// Example: ui.SetControlText("编辑框2_微信号", Utf8ToText("abc"))
#pragma once

#include <cstdint>
#include <string_view>

#include "text/types.h"

namespace gavrel {

// Colours are 0x00BBGGRR.
inline constexpr std::uint32_t kColorBlack = 0;
inline constexpr std::uint32_t kColorHintGrey = 12632256;
inline constexpr std::uint32_t kColorWhite = 16777215;

class Controls {
 public:
  virtual ~Controls() = default;

  // The text of the named control; empty for an unknown name.
  [[nodiscard]] virtual Text GetControlText(std::string_view name) = 0;
  // Replaces the text of the named control; an unknown name does nothing.
  virtual void SetControlText(std::string_view name, std::string_view text) = 0;
  // Adds text at the end of the named box without rewriting what it holds,
  // so that a long run of appends stays linear. Same result as
  // SetControlText(name, GetControlText(name) + text).
  virtual void AppendControlText(std::string_view name, std::string_view text) = 0;
  // The text colour of the named control as 0x00BBGGRR; 0 for an unknown name.
  [[nodiscard]] virtual std::uint32_t GetControlTextColor(std::string_view name) = 0;
  virtual void SetControlTextColor(std::string_view name, std::uint32_t color) = 0;
  // Moves the keyboard focus to the named control.
  virtual void FocusControl(std::string_view name) = 0;
  // Puts text on the system clipboard; an empty text leaves an empty text there.
  virtual void SetClipboardText(std::string_view text) = 0;
  // Shows the self-closing notice with the caption "本信息框自动关闭" and
  // returns once it has closed (after about 1.5 s, or earlier on OK).
  virtual void ShowTimedNotice(std::string_view text) = 0;
};

}  // namespace gavrel
