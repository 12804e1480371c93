// The self-closing notice: an information box with OK and the caption
// "本信息框自动关闭", owned by no window and not modal, gone after about
// 1.5 s (or on OK), and the call returns only once it has closed.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

namespace {

QMessageBox* ShowingBox() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box != nullptr && box->isVisible()) return box;
  }
  return nullptr;
}

}  // namespace

class TimedNoticeTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = OpenMainWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void closesItselfAfterAboutOneAndAHalfSeconds() {
    NoticeRecorder recorder;
    QElapsedTimer clock;
    clock.start();
    window_->controls().ShowTimedNotice("\xC7\xEB\xCA\xE4\xC8\xEB\xCE\xA2\xD0\xC5\xC1\xB4\xBD\xD3");
    const qint64 took = clock.elapsed();
    QVERIFY2(took >= 1400 && took < 6000, qPrintable(QString::number(took)));

    QCOMPARE(recorder.notices().size(), std::size_t{1});
    const auto& notice = recorder.notices().front();
    QCOMPARE(notice.text, QStringLiteral("请输入微信链接"));
    QCOMPARE(notice.caption, QStringLiteral("本信息框自动关闭"));
    QVERIFY(notice.informationIcon);
    QVERIFY(!notice.hasParent);
    QVERIFY(!notice.modal);
    QVERIFY(notice.closedAtMs >= 0);  // closed before the call returned
    QVERIFY(ShowingBox() == nullptr);
  }

  void hasOneOkButtonThatClosesItEarly() {
    int buttons = -1;
    QString okText;
    QTimer::singleShot(200, this, [&] {
      QMessageBox* box = ShowingBox();
      if (box == nullptr) return;
      buttons = static_cast<int>(box->buttons().size());
      okText = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->text() : QString();
      Click(box->button(QMessageBox::Ok));
    });
    QElapsedTimer clock;
    clock.start();
    window_->controls().ShowTimedNotice("ok?");
    QVERIFY2(clock.elapsed() < 1200, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(buttons, 1);
    QVERIFY(!okText.isEmpty());
  }

  void theWindowStaysUsableMeanwhile() {
    SetTextOf(*window_, "编辑框_原始ID", QStringLiteral("gh_during"));
    window_->controls().SetClipboardText("before");
    bool boxWasUp = false;
    QTimer::singleShot(300, this, [&] {
      boxWasUp = ShowingBox() != nullptr;
      Click(Control(*window_, "按钮1"));
    });
    window_->controls().ShowTimedNotice("busy");
    QVERIFY(boxWasUp);
    QCOMPARE(ClipboardText(), QStringLiteral("gh_during"));
  }

  void closesOnItsCloseButton() {
    QTimer::singleShot(100, this, [] {
      if (QMessageBox* box = ShowingBox()) box->close();
    });
    QElapsedTimer clock;
    clock.start();
    window_->controls().ShowTimedNotice("closed by hand");
    QVERIFY(clock.elapsed() < 1200);
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(TimedNoticeTest)
#include "timed_notice_test.moc"
