// tests/app/window_fixture.h
//
// What the window tests share: a MainWindow shown and active on the
// offscreen platform, its controls by name, their texts as UTF-8 QStrings,
// a left click in the middle of a control, the clipboard's text, and a
// recorder of the timed notices that come and go during a test.
// Example:
//   auto window = gavrel::testing::OpenMainWindow();
//   QVERIFY(window);
//   Click(Control<QPushButton>(*window, "按钮1"));
//   QCOMPARE(ClipboardText(), TextOf(*window, "编辑框_原始ID"));
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QWidget>

#include "app/main_window.h"

namespace gavrel::testing {

// A new window, shown, exposed and active (so focus and key events work);
// null when the platform never showed it.
[[nodiscard]] std::unique_ptr<MainWindow> OpenMainWindow();

// The named control of the window as T, or null when there is none of that
// name and class.
template <typename T = QWidget>
[[nodiscard]] T* Control(QWidget& window, const char* name) {
  return window.findChild<T*>(QString::fromUtf8(name));
}

// The control's text through GetControlText, back in UTF-8 as a QString.
[[nodiscard]] QString TextOf(MainWindow& window, const char* name);
// Sets the control's text through SetControlText from a UTF-8 QString.
void SetTextOf(MainWindow& window, const char* name, const QString& text);

// A left click in the middle of the widget, as the user makes it.
void Click(QWidget* widget);
// Key clicks sent to whichever widget has the focus now.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void TypeText(const QString& text);

[[nodiscard]] QString ClipboardText();

// Records every message box that shows while it lives: caption, text, the
// window it belongs to, and how long it stayed up.
class NoticeRecorder final : public QObject {
 public:
  struct Notice {
    QString caption;
    QString text;
    bool hasParent = false;
    bool modal = false;
    bool informationIcon = false;
    qint64 shownAtMs = -1;
    qint64 closedAtMs = -1;  // -1 while still showing
  };

  NoticeRecorder();
  ~NoticeRecorder() override;

  [[nodiscard]] const std::vector<Notice>& notices() const { return notices_; }
  [[nodiscard]] QStringList texts() const;
  // Milliseconds since the recorder was made.
  [[nodiscard]] qint64 now() const { return clock_.elapsed(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<Notice> notices_;
  std::vector<std::pair<QObject*, std::size_t>> showing_;  // box, its notice
  QElapsedTimer clock_;
};

}  // namespace gavrel::testing
