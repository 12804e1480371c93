// app/widget_text.h
//
// The text and the text colour of any control widget, whatever its class:
// the edit boxes (QLineEdit, QPlainTextEdit), labels, buttons and image
// buttons. A multi-line box gives its line breaks as CR LF, like the edit
// control the tools were written for, and takes CR LF, LF or CR as a break.
// Colours are 0x00BBGGRR values.
// Example: SetWidgetTextColor(box, 12632256); WidgetTextColor(box) == 12632256
#pragma once

#include <cstdint>

#include <QColor>
#include <QString>

class QWidget;

namespace gavrel {

// 0x00BBGGRR <-> QColor; alpha is ignored both ways.
[[nodiscard]] QColor ColorFromValue(std::uint32_t value);
[[nodiscard]] std::uint32_t ValueFromColor(const QColor& color);

// The text the control shows; empty for the tab control and other widgets.
[[nodiscard]] QString WidgetText(const QWidget* widget);
// Replaces the whole text, line breaks included even in a single-line box;
// other widgets are left alone.
void SetWidgetText(QWidget* widget, const QString& text);
// Adds text at the end. A multi-line box inserts at its end without
// rewriting what it holds; the other kinds are set to text() + text.
void AppendWidgetText(QWidget* widget, const QString& text);

// The colour of the palette role the widget draws its text with.
[[nodiscard]] std::uint32_t WidgetTextColor(const QWidget* widget);
// Sets that colour in every colour group, and repaints.
void SetWidgetTextColor(QWidget* widget, std::uint32_t color);

}  // namespace gavrel
