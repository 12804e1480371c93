#include "app/widget_text.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QValidator>
#include <QWidget>

namespace gavrel {
namespace {

QPalette::ColorRole TextRole(const QWidget* widget) {
  if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget)) {
    return QPalette::Text;
  }
  if (qobject_cast<const QAbstractButton*>(widget)) return QPalette::ButtonText;
  return QPalette::WindowText;
}

}  // namespace

QColor ColorFromValue(std::uint32_t value) {
  return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                static_cast<int>((value >> 16) & 0xFFu));
}

std::uint32_t ValueFromColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
         (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

QString WidgetText(const QWidget* widget) {
  if (const auto* line = qobject_cast<const QLineEdit*>(widget)) return line->text();
  if (const auto* box = qobject_cast<const QPlainTextEdit*>(widget)) {
    // The document keeps one block per line; the tools expect CR LF between lines.
    return box->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  }
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  return {};
}

void SetWidgetText(QWidget* widget, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    // The program's own text goes in whole, line breaks included; only
    // what the user puts in is held to one line (single_line_input.h).
    const QValidator* input = line->validator();
    line->setValidator(nullptr);
    line->setText(text);
    line->setValidator(input);
    // Like an edit control given a new text: the caret at the start, so a
    // long text shows its beginning.
    line->setCursorPosition(0);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
    // setPlainText reads CR LF, LF and a lone CR each as one line break.
    box->setPlainText(text);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  }
}

void AppendWidgetText(QWidget* widget, const QString& text) {
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
    // Inserting at the end keeps a long run of appends linear, where
    // setPlainText(old + text) would lay the whole document out again.
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    return;
  }
  SetWidgetText(widget, WidgetText(widget) + text);
}

std::uint32_t WidgetTextColor(const QWidget* widget) {
  if (widget == nullptr) return 0;
  return ValueFromColor(widget->palette().color(QPalette::Active, TextRole(widget)));
}

void SetWidgetTextColor(QWidget* widget, std::uint32_t color) {
  if (widget == nullptr) return;
  QPalette palette = widget->palette();
  const QPalette::ColorRole role = TextRole(widget);
  palette.setColor(role, ColorFromValue(color));
  if (role == QPalette::Text) {
    // An edit box hides its unfocused selection by drawing it in its own
    // colours (control_factory.cpp); keep that text in step.
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, ColorFromValue(color));
  }
  widget->setPalette(palette);
  widget->update();
}

}  // namespace gavrel
