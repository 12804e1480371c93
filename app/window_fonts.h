// app/window_fonts.h
//
// The window's two fonts. The tab captions and two of the image buttons use
// the Song typeface (SimSun, 宋体) at a height of 12 pixels and normal weight;
// where it is not installed the nearest face with Chinese glyphs stands in
// (Noto Serif CJK SC, a Song-style face, then Noto Sans CJK SC). Every other
// control uses the desktop's default font at the same 12-pixel height, the
// size the control table's boxes were laid out for.
// Example: tabs->tabBar()->setFont(SongTypeFont());
#pragma once

#include <QFont>

namespace gavrel {

[[nodiscard]] QFont SongTypeFont();
[[nodiscard]] QFont DefaultControlFont();

}  // namespace gavrel
