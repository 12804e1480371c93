#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/window_fonts.h"

namespace gavrel {
namespace {

// A speech bubble in the square box of the given side, its tail at the
// lower left.
QPainterPath Bubble(QRectF box) {
  const qreal s = box.width();
  QPainterPath path;
  path.addEllipse(QRectF(box.left(), box.top(), s, s * 0.82));
  QPainterPath tail;
  tail.moveTo(box.left() + s * 0.18, box.top() + s * 0.62);
  tail.lineTo(box.left() + s * 0.06, box.top() + s * 0.98);
  tail.lineTo(box.left() + s * 0.44, box.top() + s * 0.78);
  tail.closeSubpath();
  return path.united(tail);
}

QPixmap IconAt(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = side;

  QLinearGradient green(0, 0, 0, s);
  green.setColorAt(0, QColor(0x3C, 0xC4, 0x6E));
  green.setColorAt(1, QColor(0x14, 0x8A, 0x4A));
  p.setPen(Qt::NoPen);
  p.setBrush(green);
  p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.2, s * 0.2);

  p.setBrush(Qt::white);
  p.drawPath(Bubble(QRectF(s * 0.14, s * 0.14, s * 0.72, s * 0.72)));

  // The magnifier: a ring and a handle in the bubble's middle.
  QPen lens(QColor(0x14, 0x8A, 0x4A));
  lens.setWidthF(qMax<qreal>(1.5, s * 0.07));
  lens.setCapStyle(Qt::RoundCap);
  p.setPen(lens);
  p.setBrush(Qt::NoBrush);
  const QPointF centre(s * 0.46, s * 0.42);
  const qreal r = s * 0.14;
  p.drawEllipse(centre, r, r);
  p.drawLine(centre + QPointF(r * 0.72, r * 0.72), centre + QPointF(r * 1.7, r * 1.7));
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  static const QIcon icon = [] {
    QIcon made;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) made.addPixmap(IconAt(side));
    return made;
  }();
  return icon;
}

QPixmap FeedbackPicture() {
  QPixmap pixmap(77, 22);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient orange(0, 0, 0, 22);
  orange.setColorAt(0, QColor(0xFF, 0x9F, 0x43));
  orange.setColorAt(1, QColor(0xE8, 0x6A, 0x10));
  p.setPen(QColor(0xC8, 0x58, 0x08));
  p.setBrush(orange);
  p.drawRoundedRect(QRectF(0.5, 0.5, 76, 21), 5, 5);

  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(Bubble(QRectF(6, 5, 12, 12)));
  p.setBrush(QColor(0xE8, 0x6A, 0x10));
  for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(9 + 3 * i, 10), 0.9, 0.9);

  p.setPen(Qt::white);
  p.setFont(SongTypeFont());
  p.drawText(QRect(21, 0, 54, 22), Qt::AlignCenter, QStringLiteral("反馈问题"));
  return pixmap;
}

}  // namespace gavrel
