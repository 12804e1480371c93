// app/tab_page.h
//
// What the three tab pages share. A page is the (empty) widget the tab
// control shows for its tab; the page's controls are children of the tab
// control itself, so that each sits at its control-table place measured
// from the tab control's own top-left corner, whatever the height of the
// tab bar in the current style. The page shows its controls while its tab
// is selected and hides them otherwise.
// Example: class ArticlePage final : public TabPage { ... AddControls(kRows); }
#pragma once

#include <span>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "app/control_table.h"
#include "lookups/controls.h"

class QTabWidget;

namespace gavrel {

class TabPage : public QWidget {
 public:
  // Shows or hides every control of the page.
  void SetControlsVisible(bool visible);
  [[nodiscard]] const std::vector<QPointer<QWidget>>& PageControls() const { return controls_; }

 protected:
  explicit TabPage(QTabWidget* tabs);

  // Makes the rows' widgets as children of the tab control, hidden.
  void AddControls(std::span<const ControlRow> rows);
  // Each copy button puts the text its box holds now on the clipboard.
  void WireCopyButtons(std::span<const CopyPair> pairs, Controls& ui);
  // The named control of this page, or null.
  [[nodiscard]] QWidget* Control(const char* name) const;

 private:
  QTabWidget* tabs_;
  std::vector<QPointer<QWidget>> controls_;
};

}  // namespace gavrel
