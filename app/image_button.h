// app/image_button.h
//
// The image buttons under the tab control: a flat button that shows either a
// picture drawn at its own size or a caption centred on a rounded face, with
// a lighter face under the mouse and a darker one while pressed. The tooltip
// is the ordinary QWidget tooltip.
// Example: auto* b = new ImageButton(parent); b->setText("检查更新");
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace gavrel {

class ImageButton final : public QAbstractButton {
  Q_OBJECT

 public:
  explicit ImageButton(QWidget* parent = nullptr);

  // A non-null picture is drawn at the top-left corner instead of the
  // caption; it should be the button's own size.
  void setPicture(const QPixmap& picture);
  [[nodiscard]] const QPixmap& picture() const { return picture_; }

  [[nodiscard]] QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap picture_;
  bool hovered_ = false;
};

}  // namespace gavrel
