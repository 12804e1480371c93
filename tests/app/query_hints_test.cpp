// The grey hints of the two query boxes, by mouse and by the Tab key. The
// first box empties whenever it gains the focus; the second on every left
// press, but not when Tab brings the focus in. Both take the hint back when
// left exactly empty.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

#include "app/query_hints.h"
#include "text/codepage.h"
#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

namespace {

constexpr char kBox1[] = "编辑框_查询公众号id";
constexpr char kBox2[] = "编辑框2_查询最新文章";

QString Hint1() { return QString::fromStdString(TextToUtf8(ArticleLinkHint())); }
QString Hint2() { return QString::fromStdString(TextToUtf8(AccountQueryHint())); }

}  // namespace

class QueryHintsTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = OpenMainWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void firstBoxByMouse() {
    QCOMPARE(TextOf(*window_, kBox1), Hint1());
    Click(Control(*window_, kBox1));
    ExpectInput(kBox1, QString());

    Click(Control(*window_, "编辑框_原始ID"));  // left empty: the hint comes back
    ExpectHint(kBox1, Hint1());

    Click(Control(*window_, kBox1));
    TypeText(QStringLiteral("https://mp.weixin.qq.com/s/abc"));
    Click(Control(*window_, "编辑框_微信号"));  // left with text: kept
    ExpectInput(kBox1, QStringLiteral("https://mp.weixin.qq.com/s/abc"));

    Click(Control(*window_, kBox1));  // coming back loses the earlier query
    ExpectInput(kBox1, QString());
  }

  void firstBoxByTab() {
    // From the note the window starts on, Tab moves on until the box has it.
    for (int i = 0; i < 30 && QApplication::focusWidget() != Control(*window_, kBox1); ++i) {
      PressKey(Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), Control(*window_, kBox1));
    ExpectInput(kBox1, QString());
    PressKey(Qt::Key_Tab);
    ExpectHint(kBox1, Hint1());
    PressKey(Qt::Key_Backtab);
    ExpectInput(kBox1, QString());
  }

  void secondBoxByMouseClearsOnEveryPress() {
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(1);
    QWidget* box = Control(*window_, kBox2);
    Click(box);
    ExpectInput(kBox2, QString());
    QCOMPARE(QApplication::focusWidget(), box);

    TypeText(QStringLiteral("qinghenotes"));
    ExpectInput(kBox2, QStringLiteral("qinghenotes"));
    // A click into the text to move the caret empties the box as well, and
    // the press still reaches the box: it keeps the focus and takes more text.
    Click(box);
    ExpectInput(kBox2, QString());
    QCOMPARE(QApplication::focusWidget(), box);
    TypeText(QStringLiteral("gh_1"));
    ExpectInput(kBox2, QStringLiteral("gh_1"));

    Click(Control(*window_, "编辑框2_微信号"));
    ExpectInput(kBox2, QStringLiteral("gh_1"));
    Click(box);
    Click(Control(*window_, "编辑框2_微信号"));
    ExpectHint(kBox2, Hint2());
  }

  void secondBoxByTabKeepsTheGreyHint() {
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(1);
    QWidget* box = Control(*window_, kBox2);
    Click(Control(*window_, "编辑框2_原始ID"));
    for (int i = 0; i < 30 && QApplication::focusWidget() != box; ++i) PressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box);
    ExpectHint(kBox2, Hint2());

    // Typing now draws grey: the colour still says "hint".
    PressKey(Qt::Key_End);
    TypeText(QStringLiteral("x"));
    QCOMPARE(window_->controls().GetControlTextColor(kBox2), kColorHintGrey);
    QCOMPARE(TextOf(*window_, kBox2), Hint2() + QStringLiteral("x"));
    PressKey(Qt::Key_Tab);  // not empty: text and colour stay
    QCOMPARE(window_->controls().GetControlTextColor(kBox2), kColorHintGrey);
    QCOMPARE(TextOf(*window_, kBox2), Hint2() + QStringLiteral("x"));
  }

  void blanksAreNotEmpty_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("elsewhere");
    QTest::newRow("first box") << 0 << QString::fromUtf8(kBox1) << QStringLiteral("编辑框_昵称");
    QTest::newRow("second box") << 1 << QString::fromUtf8(kBox2) << QStringLiteral("编辑框2_微信昵称");
  }
  void blanksAreNotEmpty() {
    QFETCH(int, page);
    QFETCH(QString, box);
    QFETCH(QString, elsewhere);
    const QByteArray name = box.toUtf8();
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(page);
    Click(window_->findChild<QWidget*>(box));
    TypeText(QStringLiteral("   "));
    Click(window_->findChild<QWidget*>(elsewhere));
    ExpectInput(name.constData(), QStringLiteral("   "));
  }

  void leavingTheWindowAndComingBackKeepsTheQuery() {
    Click(Control(*window_, kBox1));
    TypeText(QStringLiteral("https://mp.weixin.qq.com/s/abc"));
    {
      QWidget other;
      other.resize(100, 100);
      other.show();
      other.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&other));
      ExpectInput(kBox1, QStringLiteral("https://mp.weixin.qq.com/s/abc"));
    }
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTRY_COMPARE(QApplication::focusWidget(), Control(*window_, kBox1));
    ExpectInput(kBox1, QStringLiteral("https://mp.weixin.qq.com/s/abc"));
  }

  void contextMenuKeepsTheQuery() {
    auto* box = Control<QLineEdit>(*window_, kBox1);
    Click(box);
    TypeText(QStringLiteral("abc"));
    QMenu* menu = box->createStandardContextMenu();
    menu->popup(box->mapToGlobal(QPoint(5, 5)));
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    delete menu;
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
    ExpectInput(kBox1, QStringLiteral("abc"));
  }

 private:
  void ExpectHint(const char* box, const QString& hint) {
    QCOMPARE(TextOf(*window_, box), hint);
    QCOMPARE(window_->controls().GetControlTextColor(box), kColorHintGrey);
  }
  void ExpectInput(const char* box, const QString& text) {
    QCOMPARE(TextOf(*window_, box), text);
    QCOMPARE(window_->controls().GetControlTextColor(box), kColorBlack);
  }

  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(QueryHintsTest)
#include "query_hints_test.moc"
