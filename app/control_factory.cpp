#include "app/control_factory.h"

#include <limits>

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

#include "app/image_button.h"
#include "app/single_line_input.h"
#include "app/widget_text.h"

namespace gavrel {
namespace {

// White background; the selection is drawn only while the box has the
// focus. Qt draws an unfocused box's selection (and every selection of an
// inactive window) in the Inactive colour group, so there the selection
// takes the box's own colours: it stays, unseen, and shows again when the
// focus comes back.
void EditBoxColours(QWidget* box) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, ColorFromValue(kColorWhite));
  palette.setColor(QPalette::Inactive, QPalette::Highlight, ColorFromValue(kColorWhite));
  box->setPalette(palette);
}

QWidget* MakeWidget(ControlKind kind, QWidget* host) {
  switch (kind) {
    case ControlKind::SingleLineEdit: {
      auto* box = new QLineEdit(host);
      box->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
      box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      box->setValidator(new SingleLineInput(box));  // one line of input
      EditBoxColours(box);
      return box;
    }
    case ControlKind::MultiLineEdit: {
      auto* box = new QPlainTextEdit(host);
      box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      // Lines break anywhere at the box edge. Qt's word-boundary wrapping
      // lays out a long run without blanks in time quadratic in its length
      // (a pasted 200,000-letter address: seven seconds), and these boxes
      // hold mostly addresses, which have no word boundaries anyway.
      box->setWordWrapMode(QTextOption::WrapAnywhere);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setTabChangesFocus(true);
      EditBoxColours(box);
      return box;
    }
    case ControlKind::Button:
      return new QPushButton(host);
    case ControlKind::TransparentLabel: {
      auto* label = new QLabel(host);
      label->setAutoFillBackground(false);  // the page shows through
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::ImageButton:
      return new ImageButton(host);
  }
  return new QWidget(host);
}

}  // namespace

QWidget* MakeControl(const ControlRow& row, QWidget* host) {
  QWidget* widget = MakeWidget(row.kind, host);
  widget->setObjectName(QString::fromUtf8(row.name));
  widget->setGeometry(row.x, row.y, row.width, row.height);
  widget->setFixedSize(row.width, row.height);
  SetWidgetText(widget, QString::fromUtf8(row.text));
  SetWidgetTextColor(widget, row.color);
  return widget;
}

}  // namespace gavrel
