#include "app/image_button.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace gavrel {

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void ImageButton::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

QSize ImageButton::sizeHint() const {
  if (!picture_.isNull()) return picture_.deviceIndependentSize().toSize();
  return fontMetrics().size(Qt::TextSingleLine, text()) + QSize(24, 12);
}

void ImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

  if (!picture_.isNull()) {
    painter.drawPixmap(0, 0, picture_);
    if (isDown() || hovered_) {
      // A light veil shows the hover and the press on top of the picture.
      painter.fillRect(rect(), QColor(255, 255, 255, isDown() ? 40 : 70));
    }
  } else {
    QColor fill = palette().color(QPalette::Button);
    if (isDown()) {
      fill = fill.darker(115);
    } else if (hovered_) {
      fill = fill.lighter(108);
    }
    QPainterPath path;
    path.addRoundedRect(face, 4, 4);
    painter.fillPath(path, fill);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawPath(path);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
  }

  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(2, 2, -2, -2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void ImageButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace gavrel
