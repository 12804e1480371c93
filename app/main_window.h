// app/main_window.h
//
// The program's one window: the tab control 高级选择夹 with its three pages
// at the top, the three link buttons below it, 54 controls in all. The client
// area is 504 x 412 and cannot be resized or maximised; the window opens
// centred on the primary screen with page 1 selected and the focus on the
// note 透明标签1, so both query boxes keep their hints. Esc closes it unless
// the focused control takes the key itself; Enter never moves the focus.
// While the window lives the request engine's pumps are installed, so the
// window repaints while a tool waits on the network.
// Example: MainWindow window; window.show(); window.controls().GetControlText("编辑框_原始ID");
#pragma once

#include <array>

#include <QWidget>

#include "app/tab_page.h"
#include "app/widget_controls.h"
#include "app/window_pumps.h"

class QTabWidget;

namespace gavrel {

inline constexpr int kClientWidth = 504;
inline constexpr int kClientHeight = 412;

class MainWindow final : public QWidget {
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  // Takes the controls down while the operations their handlers use are
  // still there: a box losing the focus on the way out runs its handler.
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The control operations over this window's controls, for the tools.
  [[nodiscard]] Controls& controls() { return ui_; }
  [[nodiscard]] QTabWidget* tabs() const { return tabs_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void AddLinkButtons();
  void CentreOnPrimaryScreen();

  WindowPumps pumps_;
  WidgetControls ui_;
  QTabWidget* tabs_ = nullptr;
  std::array<TabPage*, 3> pages_{};
  bool shownBefore_ = false;
};

}  // namespace gavrel
