// app/widget_controls.h
//
// The control operations the tools use, over the real widgets: every
// descendant of the root widget that has an object name is a control by that
// name. Texts cross between Text (GB18030) and QString here; an unknown name
// reads as empty text and colour 0, and writing to it does nothing.
// Example: WidgetControls ui(&window); ui.SetControlText("编辑框_原始ID", id);
#pragma once

#include <string_view>

#include <QHash>
#include <QPointer>
#include <QString>

#include "lookups/controls.h"

class QWidget;

namespace gavrel {

class WidgetControls final : public Controls {
 public:
  // Indexes the named descendants of root as they are now; controls made
  // later are found by a search on first use.
  explicit WidgetControls(QWidget* root);

  [[nodiscard]] Text GetControlText(std::string_view name) override;
  void SetControlText(std::string_view name, std::string_view text) override;
  void AppendControlText(std::string_view name, std::string_view text) override;
  [[nodiscard]] std::uint32_t GetControlTextColor(std::string_view name) override;
  void SetControlTextColor(std::string_view name, std::uint32_t color) override;
  void FocusControl(std::string_view name) override;
  void SetClipboardText(std::string_view text) override;
  void ShowTimedNotice(std::string_view text) override;

  // The widget of the named control, or null.
  [[nodiscard]] QWidget* Find(std::string_view name);

 private:
  QPointer<QWidget> root_;
  QHash<QString, QPointer<QWidget>> byName_;
};

// Text <-> QString through UTF-16.
[[nodiscard]] QString TextToQString(std::string_view text);
[[nodiscard]] Text QStringToText(const QString& text);

}  // namespace gavrel
