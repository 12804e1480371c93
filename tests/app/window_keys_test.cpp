// The keyboard: Esc closes the window unless the focused control takes the
// key; Enter never moves the focus and breaks the line in the multi-line
// boxes; Tab visits edit boxes, buttons and image buttons only.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <set>

#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

class WindowKeysTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = OpenMainWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void escapeClosesFromAnyBox_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("box");
    QTest::newRow("first query box") << 0 << QStringLiteral("编辑框_查询公众号id");
    QTest::newRow("second query box") << 1 << QStringLiteral("编辑框2_查询最新文章");
    QTest::newRow("result box") << 0 << QStringLiteral("编辑框_微信号");
    QTest::newRow("multi-line box") << 2 << QStringLiteral("编辑框_短链接输入");
  }
  void escapeClosesFromAnyBox() {
    QFETCH(int, page);
    QFETCH(QString, box);
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(page);
    QWidget* target = window_->findChild<QWidget*>(box);
    Click(target);
    QTRY_COMPARE(QApplication::focusWidget(), target);
    PressKey(Qt::Key_Escape);
    QTRY_VERIFY(!window_->isVisible());
  }

  void escapeFromTheNoteAtStartCloses() {
    PressKey(Qt::Key_Escape);
    QTRY_VERIFY(!window_->isVisible());
  }

  void enterKeepsTheFocusInASingleLineBox() {
    auto* box = Control<QLineEdit>(*window_, "编辑框_原始ID");
    Click(box);
    TypeText(QStringLiteral("gh_1"));
    PressKey(Qt::Key_Return);
    PressKey(Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(TextOf(*window_, "编辑框_原始ID"), QStringLiteral("gh_1"));
    QVERIFY(window_->isVisible());
  }

  void enterBreaksTheLineInTheMultiLineBoxes_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("input") << QStringLiteral("编辑框_短链接输入");
    QTest::newRow("result") << QStringLiteral("编辑框_长链接结果");
  }
  void enterBreaksTheLineInTheMultiLineBoxes() {
    QFETCH(QString, box);
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(2);
    auto* edit = window_->findChild<QPlainTextEdit*>(box);
    Click(edit);
    TypeText(QStringLiteral("a"));
    PressKey(Qt::Key_Return);
    TypeText(QStringLiteral("b"));
    QCOMPARE(QApplication::focusWidget(), edit);
    // The tools read the line break as CR LF.
    QCOMPARE(TextOf(*window_, box.toUtf8().constData()), QStringLiteral("a\r\nb"));
  }

  void longLinesWrapAtTheBoxWidth() {
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(2);
    auto* edit = Control<QPlainTextEdit>(*window_, "编辑框_短链接输入");
    SetTextOf(*window_, "编辑框_短链接输入",
              QStringLiteral("https://mp.weixin.qq.com/s/") + QString(120, QLatin1Char('x')));
    QTRY_VERIFY(edit->document()->firstBlock().layout()->lineCount() > 1);
    QCOMPARE(edit->document()->blockCount(), 1);
  }

  void aVeryLongLineWithoutBlanksIsLaidOutPromptly_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("input") << QStringLiteral("编辑框_短链接输入");
    QTest::newRow("result") << QStringLiteral("编辑框_长链接结果");
  }
  void aVeryLongLineWithoutBlanksIsLaidOutPromptly() {
    // A pasted address of half a million letters at the top of the box,
    // where it is drawn at once: word-boundary wrapping takes tens of
    // seconds over it, breaking anywhere well under one.
    QFETCH(QString, box);
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(2);
    auto* edit = window_->findChild<QPlainTextEdit*>(box);
    QElapsedTimer timer;
    timer.start();
    SetTextOf(*window_, box.toUtf8().constData(),
              QStringLiteral("https://mp.weixin.qq.com/s/") + QString(500 * 1000, QLatin1Char('x')));
    edit->repaint();
    QVERIFY(edit->document()->firstBlock().layout()->lineCount() > 1);
    QVERIFY2(timer.elapsed() < 15000, qPrintable(QString::number(timer.elapsed()) + " ms"));
  }

  void tabVisitsBoxesAndButtonsOnly() {
    // From the note, a full round of Tab presses over page 1.
    std::set<QString> visited;
    for (int i = 0; i < 40; ++i) {
      PressKey(Qt::Key_Tab);
      QWidget* focused = QApplication::focusWidget();
      QVERIFY(focused);
      visited.insert(focused->objectName());
    }
    const std::set<QString> expected = {
        QStringLiteral("编辑框_查询公众号id"), QStringLiteral("按钮_提取公众号ID"),
        QStringLiteral("编辑框_原始ID"),       QStringLiteral("按钮1"),
        QStringLiteral("编辑框_微信号"),       QStringLiteral("按钮2"),
        QStringLiteral("编辑框_昵称"),         QStringLiteral("按钮3"),
        QStringLiteral("编辑框_发布日期"),     QStringLiteral("按钮13"),
        QStringLiteral("编辑框_图文标题"),     QStringLiteral("按钮4"),
        QStringLiteral("编辑框_图文简介"),     QStringLiteral("按钮5"),
        QStringLiteral("编辑框_微信链接1"),    QStringLiteral("按钮6"),
        QStringLiteral("超级按钮3"),           QStringLiteral("超级按钮1"),
        QStringLiteral("超级按钮2")};
    QCOMPARE(visited, expected);
  }

  void tabLeavesTheMultiLineBoxes() {
    Control<QTabWidget>(*window_, "高级选择夹")->setCurrentIndex(2);
    auto* input = Control<QPlainTextEdit>(*window_, "编辑框_短链接输入");
    Click(input);
    PressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control(*window_, "编辑框_长链接结果"));
    QCOMPARE(TextOf(*window_, "编辑框_短链接输入"), QString());
  }

  void selectionShowsOnlyWhileTheBoxHasTheFocus_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("elsewhere");
    QTest::newRow("single-line") << 0 << QStringLiteral("编辑框_图文标题") << QStringLiteral("编辑框_昵称");
    QTest::newRow("multi-line") << 2 << QStringLiteral("编辑框_短链接输入") << QStringLiteral("编辑框_长链接结果");
  }
  void selectionShowsOnlyWhileTheBoxHasTheFocus() {
    QFETCH(int, page);
    QFETCH(QString, box);
    QFETCH(QString, elsewhere);
    window_->tabs()->setCurrentIndex(page);
    QWidget* edit = window_->findChild<QWidget*>(box);
    SetTextOf(*window_, box.toUtf8().constData(), QStringLiteral("WWWWWWWWWWWW"));
    Click(edit);
    PressKey(Qt::Key_A, Qt::ControlModifier);
    const QColor highlight = edit->palette().color(QPalette::Active, QPalette::Highlight);
    QVERIFY(HighlightPixels(edit, highlight) > 50);

    Click(window_->findChild<QWidget*>(elsewhere));
    QTRY_COMPARE(QApplication::focusWidget(), window_->findChild<QWidget*>(elsewhere));
    QCOMPARE(HighlightPixels(edit, highlight), 0);
  }

 private:
  // Pixels of the widget's picture that are the selection colour.
  static int HighlightPixels(QWidget* widget, const QColor& highlight) {
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == highlight) ++count;
      }
    }
    return count;
  }

  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(WindowKeysTest)
#include "window_keys_test.moc"
