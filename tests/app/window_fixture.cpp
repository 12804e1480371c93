#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMessageBox>
#include <QTest>

#include "text/codepage.h"

namespace gavrel::testing {

std::unique_ptr<MainWindow> OpenMainWindow() {
  auto window = std::make_unique<MainWindow>();
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
  return window;
}

QString TextOf(MainWindow& window, const char* name) {
  return QString::fromStdString(TextToUtf8(window.controls().GetControlText(name)));
}

void SetTextOf(MainWindow& window, const char* name, const QString& text) {
  window.controls().SetControlText(name, Utf8ToText(text.toStdString()));
}

void Click(QWidget* widget) {
  if (widget == nullptr) return;
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  if (QWidget* focused = QApplication::focusWidget()) QTest::keyClick(focused, key, modifiers);
}

void TypeText(const QString& text) {
  if (QWidget* focused = QApplication::focusWidget()) QTest::keyClicks(focused, text);
}

QString ClipboardText() { return QApplication::clipboard()->text(); }

NoticeRecorder::NoticeRecorder() {
  clock_.start();
  qApp->installEventFilter(this);
}

NoticeRecorder::~NoticeRecorder() { qApp->removeEventFilter(this); }

QStringList NoticeRecorder::texts() const {
  QStringList all;
  for (const Notice& notice : notices_) all << notice.text;
  return all;
}

bool NoticeRecorder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show && event->type() != QEvent::Hide) return false;
  auto* box = qobject_cast<QMessageBox*>(watched);
  if (box == nullptr || !box->isWindow()) return false;
  if (event->type() == QEvent::Show) {
    notices_.push_back({box->windowTitle(), box->text(), box->parentWidget() != nullptr,
                        box->isModal() || box->windowModality() != Qt::NonModal,
                        box->icon() == QMessageBox::Information, clock_.elapsed(), -1});
    showing_.emplace_back(box, notices_.size() - 1);
    return false;
  }
  for (auto it = showing_.begin(); it != showing_.end(); ++it) {
    if (it->first != box) continue;
    notices_[it->second].closedAtMs = clock_.elapsed();
    showing_.erase(it);
    break;
  }
  return false;
}

}  // namespace gavrel::testing
