// app/artwork.h
//
// The program's own pictures, drawn with QPainter when first asked for, so
// the repository holds no image files of the window: the program icon (a
// white speech bubble holding a magnifier on a green rounded square, at the
// usual icon sizes) and the 77 x 22 picture of the feedback button.
// Example: window.setWindowIcon(ProgramIcon());
#pragma once

#include <QIcon>
#include <QPixmap>

namespace gavrel {

[[nodiscard]] QIcon ProgramIcon();
// Exactly 77 x 22 device-independent pixels: a bubble and "反馈问题".
[[nodiscard]] QPixmap FeedbackPicture();

}  // namespace gavrel
