#include "app/tab_page.h"

#include <string>

#include <QAbstractButton>
#include <QTabWidget>

#include "app/control_factory.h"

namespace gavrel {

TabPage::TabPage(QTabWidget* tabs) : QWidget(tabs), tabs_(tabs) {}

void TabPage::SetControlsVisible(bool visible) {
  for (const auto& control : controls_) {
    if (control) control->setVisible(visible);
  }
}

void TabPage::AddControls(std::span<const ControlRow> rows) {
  for (const ControlRow& row : rows) {
    QWidget* control = MakeControl(row, tabs_);
    control->hide();
    controls_.emplace_back(control);
  }
}

void TabPage::WireCopyButtons(std::span<const CopyPair> pairs, Controls& ui) {
  for (const CopyPair& pair : pairs) {
    auto* button = qobject_cast<QAbstractButton*>(Control(pair.button));
    if (button == nullptr) continue;
    const std::string box = pair.box;
    connect(button, &QAbstractButton::clicked, this,
            [&ui, box] { ui.SetClipboardText(ui.GetControlText(box)); });
  }
}

QWidget* TabPage::Control(const char* name) const {
  const QString wanted = QString::fromUtf8(name);
  for (const auto& control : controls_) {
    if (control && control->objectName() == wanted) return control.data();
  }
  return nullptr;
}

}  // namespace gavrel
