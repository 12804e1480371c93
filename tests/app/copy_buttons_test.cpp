// The thirteen copy buttons: each puts exactly what the box of its own row
// holds on the clipboard, empty text included.
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

namespace {

struct Pair {
  int page;
  const char* button;
  const char* box;
};

const Pair kPairs[] = {
    {0, "按钮1", "编辑框_原始ID"},     {0, "按钮2", "编辑框_微信号"},
    {0, "按钮3", "编辑框_昵称"},       {0, "按钮13", "编辑框_发布日期"},
    {0, "按钮4", "编辑框_图文标题"},   {0, "按钮5", "编辑框_图文简介"},
    {0, "按钮6", "编辑框_微信链接1"},  {1, "按钮7", "编辑框2_微信昵称"},
    {1, "按钮8", "编辑框2_微信号"},    {1, "按钮9", "编辑框2_最新文章"},
    {1, "按钮10", "编辑框2_图文标题"}, {1, "按钮11", "编辑框2_图文简介"},
    {1, "按钮12", "编辑框2_原始ID"},
};

}  // namespace

class CopyButtonsTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = OpenMainWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void eachButtonCopiesTheBoxOfItsOwnRow() {
    // Every box holds a different text, so a button wired to a neighbour's
    // box shows.
    for (const Pair& pair : kPairs) {
      SetTextOf(*window_, pair.box, QStringLiteral("文本 of %1").arg(QString::fromUtf8(pair.box)));
    }
    auto* tabs = Control<QTabWidget>(*window_, "高级选择夹");
    for (const Pair& pair : kPairs) {
      tabs->setCurrentIndex(pair.page);
      auto* button = Control<QPushButton>(*window_, pair.button);
      QVERIFY2(button && button->isVisible(), pair.button);
      Click(button);
      QVERIFY2(ClipboardText() == TextOf(*window_, pair.box), pair.button);
      QVERIFY2(ClipboardText().endsWith(QString::fromUtf8(pair.box)), pair.button);
    }
  }

  void copiesWhatTheUserTypedThere() {
    Click(Control(*window_, "编辑框_微信号"));
    TypeText(QStringLiteral("qingheno"));
    PressKey(Qt::Key_Backspace);
    TypeText(QStringLiteral("otes "));
    Click(Control(*window_, "按钮2"));
    QCOMPARE(ClipboardText(), QStringLiteral("qinghenotes "));
  }

  void anEmptyBoxLeavesAnEmptyText() {
    window_->controls().SetClipboardText("previous");
    for (const Pair& pair : kPairs) {
      Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(pair.page);
      window_->controls().SetClipboardText("previous");
      Click(Control(*window_, pair.button));
      QVERIFY2(ClipboardText().isEmpty(), pair.button);
    }
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(CopyButtonsTest)
#include "copy_buttons_test.moc"
