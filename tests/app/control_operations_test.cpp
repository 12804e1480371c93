// The control operations over the real widgets: texts in and out as GB18030
// bytes, colours as 0x00BBGGRR in the palette role each kind draws with,
// appends that stay linear, single-line boxes that hold what the user
// pastes to one line, the clipboard, the focus, and unknown names.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMimeData>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/image_button.h"
#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

class ControlOperationsTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = OpenMainWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void textsCrossAsGb18030Bytes() {
    Controls& ui = window_->controls();
    // "啊" is B0 A1 in GBK; "€" is the single byte 0x80 in code page 936.
    ui.SetControlText("编辑框_原始ID", "gh_\xB0\xA1");
    QCOMPARE(Control<QLineEdit>(*window_, "编辑框_原始ID")->text(), QStringLiteral("gh_啊"));
    QCOMPARE(ui.GetControlText("编辑框_原始ID"), Text("gh_\xB0\xA1"));

    Control<QLineEdit>(*window_, "编辑框_昵称")->setText(QStringLiteral("青禾札记"));
    QCOMPARE(ui.GetControlText("编辑框_昵称"), Text("\xC7\xE0\xBA\xCC\xD4\xFD\xBC\xC7"));

    // A character outside GBK still round-trips through GB18030.
    Control<QLineEdit>(*window_, "编辑框_图文标题")->setText(QStringLiteral("😀"));
    QCOMPARE(TextOf(*window_, "编辑框_图文标题"), QStringLiteral("😀"));
  }

  void eachKindGivesTheTextItShows_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("label") << QStringLiteral("透明标签3") << QStringLiteral("原始 ID ：");
    QTest::newRow("button") << QStringLiteral("按钮_短链接转长连接") << QStringLiteral("转换");
    QTest::newRow("image button") << QStringLiteral("超级按钮3") << QStringLiteral("检查更新");
    QTest::newRow("picture button") << QStringLiteral("超级按钮1") << QString();
    QTest::newRow("tab control") << QStringLiteral("高级选择夹") << QString();
  }
  void eachKindGivesTheTextItShows() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(TextOf(*window_, name.toUtf8().constData()), text);
  }

  void setTextReplacesTheWholeText_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("single-line box") << QStringLiteral("编辑框2_微信号");
    QTest::newRow("multi-line box") << QStringLiteral("编辑框_长链接结果");
    QTest::newRow("label") << QStringLiteral("透明标签9");
    QTest::newRow("button") << QStringLiteral("按钮1");
  }
  void setTextReplacesTheWholeText() {
    QFETCH(QString, name);
    const QByteArray key = name.toUtf8();
    SetTextOf(*window_, key.constData(), QStringLiteral("first"));
    SetTextOf(*window_, key.constData(), QStringLiteral("二"));
    QCOMPARE(TextOf(*window_, key.constData()), QStringLiteral("二"));
    SetTextOf(*window_, key.constData(), QString());
    QCOMPARE(TextOf(*window_, key.constData()), QString());
  }

  void aNewTextShowsFromItsStart() {
    auto* box = Control<QLineEdit>(*window_, "编辑框_图文简介");
    Click(box);
    TypeText(QStringLiteral("typed"));
    QCOMPARE(box->cursorPosition(), 5);
    SetTextOf(*window_, "编辑框_图文简介", QString(300, QLatin1Char('x')) + QStringLiteral("end"));
    QCOMPARE(box->cursorPosition(), 0);
  }

  void multiLineBoxesSpeakCrLf() {
    Controls& ui = window_->controls();
    auto* box = Control<QPlainTextEdit>(*window_, "编辑框_长链接结果");
    struct Case {
      const char* name;
      Text in;
      Text out;
      int lines;
    };
    const Case cases[] = {
        {"lines with CR LF", "a\r\nb\r\n", "a\r\nb\r\n", 3},
        {"bare LF reads back as CR LF", "a\nb", "a\r\nb", 2},
        {"empty lines kept", "\r\n\r\nx", "\r\n\r\nx", 3},
        {"no break", "abc", "abc", 1},
    };
    for (const Case& c : cases) {
      ui.SetControlText("编辑框_长链接结果", c.in);
      QVERIFY2(ui.GetControlText("编辑框_长链接结果") == c.out, c.name);
      QVERIFY2(box->document()->blockCount() == c.lines, c.name);
    }
  }

  void appendAddsAtTheEnd() {
    Controls& ui = window_->controls();
    ui.SetControlText("编辑框_长链接结果", "one\r\n");
    ui.AppendControlText("编辑框_长链接结果", "two\r\n");
    ui.AppendControlText("编辑框_长链接结果", "");
    ui.AppendControlText("编辑框_长链接结果", "\xC8\xFD\r\n");  // "三"
    QCOMPARE(ui.GetControlText("编辑框_长链接结果"), Text("one\r\ntwo\r\n\xC8\xFD\r\n"));

    ui.SetControlText("编辑框_原始ID", "gh_");
    ui.AppendControlText("编辑框_原始ID", "abc");
    QCOMPARE(ui.GetControlText("编辑框_原始ID"), Text("gh_abc"));
  }

  void tenThousandAppendedLinesStayLinear() {
    Controls& ui = window_->controls();
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(2);
    ui.SetControlText("编辑框_长链接结果", {});
    QElapsedTimer clock;
    clock.start();
    Text expected;
    for (int i = 0; i < 10'000; ++i) {
      const Text line = "https://mp.weixin.qq.com/s?__biz=" + std::to_string(i) + "\r\n";
      ui.AppendControlText("编辑框_长链接结果", line);
      expected += line;
    }
    // Rewriting the whole box on every append takes minutes at this size.
    QVERIFY2(clock.elapsed() < 60'000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(ui.GetControlText("编辑框_长链接结果"), expected);
    QCOMPARE(Control<QPlainTextEdit>(*window_, "编辑框_长链接结果")->document()->blockCount(),
             10'001);
  }

  void coloursInTheRoleEachKindDrawsWith_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::newRow("single-line box") << QStringLiteral("编辑框_微信号") << int(QPalette::Text);
    QTest::newRow("multi-line box") << QStringLiteral("编辑框_短链接输入") << int(QPalette::Text);
    QTest::newRow("label") << QStringLiteral("透明标签4") << int(QPalette::WindowText);
    QTest::newRow("button") << QStringLiteral("按钮2") << int(QPalette::ButtonText);
  }
  void coloursInTheRoleEachKindDrawsWith() {
    QFETCH(QString, name);
    QFETCH(int, role);
    const QByteArray key = name.toUtf8();
    QWidget* w = window_->findChild<QWidget*>(name);
    Controls& ui = window_->controls();
    struct Case {
      std::uint32_t value;
      QColor color;
    };
    const Case cases[] = {
        {0x000000FF, QColor(255, 0, 0)},  // red sits in the low byte
        {0x0000FF00, QColor(0, 255, 0)},
        {0x00FF0000, QColor(0, 0, 255)},
        {kColorHintGrey, QColor(0xC0, 0xC0, 0xC0)},
        {kColorWhite, QColor(255, 255, 255)},
        {kColorBlack, QColor(0, 0, 0)},
    };
    for (const Case& c : cases) {
      ui.SetControlTextColor(key.constData(), c.value);
      QCOMPARE(ui.GetControlTextColor(key.constData()), c.value);
      QCOMPARE(w->palette().color(QPalette::Active, QPalette::ColorRole(role)), c.color);
      QCOMPARE(w->palette().color(QPalette::Inactive, QPalette::ColorRole(role)), c.color);
    }
  }

  void unknownNamesAreHarmless() {
    Controls& ui = window_->controls();
    for (const char* name : {"", "编辑框_不存在", "按钮99", "qt_tabwidget_tabbar_x"}) {
      ui.SetControlText(name, "x");
      ui.AppendControlText(name, "y");
      ui.SetControlTextColor(name, kColorHintGrey);
      ui.FocusControl(name);
      QCOMPARE(ui.GetControlText(name), Text());
      QCOMPARE(ui.GetControlTextColor(name), std::uint32_t{0});
    }
    QVERIFY(window_->isVisible());
  }

  void focusControlMovesTheKeyboardFocus() {
    window_->controls().FocusControl("编辑框_图文简介");
    QTRY_COMPARE(QApplication::focusWidget(), Control(*window_, "编辑框_图文简介"));
    window_->controls().FocusControl("透明标签1");
    QTRY_COMPARE(QApplication::focusWidget(), Control(*window_, "透明标签1"));
  }

  void pastedTextKeepsToOneLineInASingleLineBox() {
    auto* box = Control<QLineEdit>(*window_, "编辑框_图文标题");
    Click(box);
    struct Case {
      const char* name;
      QString before;
      int selectFrom, selectLength;  // length 0: just the caret there
      QString clipboard;
      QString after;
      int caret;
    };
    const Case cases[] = {
        {"a link with its line end", "", 0, 0,
         QStringLiteral("https://mp.weixin.qq.com/s/abc\r\n"),
         QStringLiteral("https://mp.weixin.qq.com/s/abc"), 30},
        {"the first of two lines", "", 0, 0, QStringLiteral("line1\r\nline2"),
         QStringLiteral("line1"), 5},
        {"a bare LF", "", 0, 0, QStringLiteral("a\nb"), QStringLiteral("a"), 1},
        {"a bare CR", "", 0, 0, QStringLiteral("a\rb"), QStringLiteral("a"), 1},
        {"a line break first", "", 0, 0, QStringLiteral("\r\nlink"), QString(), 0},
        {"text after the caret stays", QStringLiteral("abXY"), 2, 0,
         QStringLiteral("12\r\n34"), QStringLiteral("ab12XY"), 4},
        {"a selection is replaced", QStringLiteral("abcd"), 1, 2, QStringLiteral("X\nY"),
         QStringLiteral("aXd"), 2},
        {"the same letters around the cut", QStringLiteral("aa"), 1, 0,
         QStringLiteral("a\nb"), QStringLiteral("aaa"), 2},
        {"one line goes in whole", QStringLiteral("青禾"), 2, 0, QStringLiteral("札记 x"),
         QStringLiteral("青禾札记 x"), 6},
    };
    for (const Case& c : cases) {
      box->setText(c.before);
      box->setSelection(c.selectFrom, c.selectLength);
      if (c.selectLength == 0) box->setCursorPosition(c.selectFrom);
      QApplication::clipboard()->setText(c.clipboard);
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
      QVERIFY2(box->text() == c.after, c.name);
      QVERIFY2(TextOf(*window_, "编辑框_图文标题") == c.after, c.name);
      QVERIFY2(box->cursorPosition() == c.caret, c.name);
    }
  }

  void theProgramsOwnTextKeepsItsLineBreaks() {
    Controls& ui = window_->controls();
    auto* box = Control<QLineEdit>(*window_, "编辑框_图文简介");
    ui.SetControlText("编辑框_图文简介", "one\r\ntwo");
    QCOMPARE(ui.GetControlText("编辑框_图文简介"), Text("one\r\ntwo"));
    // What the user adds afterwards is held to one line, and the breaks
    // already there stay.
    Click(box);
    box->end(false);
    TypeText(QStringLiteral("x"));
    QApplication::clipboard()->setText(QStringLiteral("y\r\nz"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(ui.GetControlText("编辑框_图文简介"), Text("one\r\ntwoxy"));
  }

  void clipboardTakesTheTextEmptyIncluded() {
    Controls& ui = window_->controls();
    ui.SetClipboardText("gh_\xB0\xA1");
    QCOMPARE(ClipboardText(), QStringLiteral("gh_啊"));
    ui.SetClipboardText({});
    QCOMPARE(ClipboardText(), QString());
    QVERIFY(QApplication::clipboard()->mimeData()->hasText());
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(ControlOperationsTest)
#include "control_operations_test.moc"
