#include "app/widget_controls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

#include "app/timed_notice.h"
#include "app/widget_text.h"
#include "text/codepage.h"

namespace gavrel {

QString TextToQString(std::string_view text) {
  return QString::fromStdU16String(TextToUtf16(text));
}

Text QStringToText(const QString& text) {
  return Utf16ToText(text.toStdU16String());
}

WidgetControls::WidgetControls(QWidget* root) : root_(root) {
  if (root == nullptr) return;
  const auto widgets = root->findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    const QString name = widget->objectName();
    if (!name.isEmpty() && !byName_.contains(name)) byName_.insert(name, widget);
  }
}

QWidget* WidgetControls::Find(std::string_view name) {
  const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (key.isEmpty() || root_.isNull()) return nullptr;
  auto found = byName_.constFind(key);
  if (found != byName_.constEnd() && !found->isNull()) return found->data();
  QWidget* widget = root_->findChild<QWidget*>(key);
  if (widget != nullptr) byName_.insert(key, widget);
  return widget;
}

Text WidgetControls::GetControlText(std::string_view name) {
  return QStringToText(WidgetText(Find(name)));
}

void WidgetControls::SetControlText(std::string_view name, std::string_view text) {
  if (QWidget* widget = Find(name)) SetWidgetText(widget, TextToQString(text));
}

void WidgetControls::AppendControlText(std::string_view name, std::string_view text) {
  if (QWidget* widget = Find(name)) AppendWidgetText(widget, TextToQString(text));
}

std::uint32_t WidgetControls::GetControlTextColor(std::string_view name) {
  return WidgetTextColor(Find(name));
}

void WidgetControls::SetControlTextColor(std::string_view name, std::uint32_t color) {
  SetWidgetTextColor(Find(name), color);
}

void WidgetControls::FocusControl(std::string_view name) {
  if (QWidget* widget = Find(name)) widget->setFocus(Qt::OtherFocusReason);
}

void WidgetControls::SetClipboardText(std::string_view text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    clipboard->setText(TextToQString(text), QClipboard::Clipboard);
  }
}

void WidgetControls::ShowTimedNotice(std::string_view text) {
  ShowTimedNoticeBox(TextToQString(text));
}

}  // namespace gavrel
