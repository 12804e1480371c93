// The window as it opens: every control by name, kind, place, size, first
// text and colour; the window's own size, frame, place and icon; the fonts;
// which controls each page shows.
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <map>
#include <set>

#include "app/image_button.h"
#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

namespace {

enum class Kind { Edit, MultiLine, Button, Label, Image, Tabs };

struct Row {
  const char* name;
  Kind kind;
  int page;  // 0: on no page, always visible
  int x, y, w, h;
  const char* text;  // nullptr: the query box's hint, checked on its own
  std::uint32_t color;
};

constexpr std::uint32_t B = 0;         // black
constexpr std::uint32_t G = 12632256;  // hint grey

const Row kRows[] = {
    {"高级选择夹", Kind::Tabs, 0, 0, 0, 504, 368, "", B},
    {"超级按钮3", Kind::Image, 0, 19, 375, 104, 32, "检查更新", B},
    {"超级按钮1", Kind::Image, 0, 199, 379, 77, 22, "", B},
    {"超级按钮2", Kind::Image, 0, 352, 377, 110, 27, "新闻稿发布", B},

    {"透明标签2", Kind::Label, 1, 16, 37, 64, 20, "微信链接：", B},
    {"编辑框_查询公众号id", Kind::Edit, 1, 73, 37, 409, 21, nullptr, G},
    {"透明标签1", Kind::Label, 1, 16, 72, 256, 24, "*提取完成后，程序将自动复制微信号/原始ID", G},
    {"按钮_提取公众号ID", Kind::Button, 1, 302, 68, 180, 32, "提取", B},
    {"透明标签3", Kind::Label, 1, 16, 112, 64, 20, "原始 ID ：", B},
    {"编辑框_原始ID", Kind::Edit, 1, 73, 113, 353, 21, "", B},
    {"按钮1", Kind::Button, 1, 426, 111, 56, 24, "复制", B},
    {"透明标签4", Kind::Label, 1, 16, 152, 64, 20, "微信号  ：", B},
    {"编辑框_微信号", Kind::Edit, 1, 73, 153, 353, 21, "", B},
    {"按钮2", Kind::Button, 1, 426, 151, 56, 24, "复制", B},
    {"透明标签5", Kind::Label, 1, 16, 192, 64, 20, "微信昵称：", B},
    {"编辑框_昵称", Kind::Edit, 1, 73, 193, 353, 21, "", B},
    {"按钮3", Kind::Button, 1, 426, 191, 56, 24, "复制", B},
    {"透明标签17", Kind::Label, 1, 16, 225, 64, 20, "发布时间：", B},
    {"编辑框_发布日期", Kind::Edit, 1, 73, 226, 353, 21, "", B},
    {"按钮13", Kind::Button, 1, 426, 224, 56, 24, "复制", B},
    {"透明标签6", Kind::Label, 1, 16, 261, 64, 20, "图文标题：", B},
    {"编辑框_图文标题", Kind::Edit, 1, 73, 262, 353, 21, "", B},
    {"按钮4", Kind::Button, 1, 426, 260, 56, 24, "复制", B},
    {"透明标签7", Kind::Label, 1, 16, 301, 64, 20, "图文简介：", B},
    {"编辑框_图文简介", Kind::Edit, 1, 73, 302, 353, 21, "", B},
    {"按钮5", Kind::Button, 1, 426, 300, 56, 24, "复制", B},
    {"透明标签8", Kind::Label, 1, 16, 337, 64, 20, "微信链接：", B},
    {"编辑框_微信链接1", Kind::Edit, 1, 73, 337, 353, 21, "", B},
    {"按钮6", Kind::Button, 1, 426, 335, 56, 24, "复制", B},

    {"透明标签9", Kind::Label, 2, 16, 36, 92, 20, "微信ID|昵称：", B},
    {"编辑框2_查询最新文章", Kind::Edit, 2, 104, 36, 374, 21, nullptr, G},
    {"透明标签10", Kind::Label, 2, 16, 71, 256, 24, "*提取完成后，程序将自动复制最新文章链接", G},
    {"按钮_提取最新文章", Kind::Button, 2, 298, 67, 180, 32, "提取", B},
    {"透明标签11", Kind::Label, 2, 16, 111, 64, 20, "微信昵称：", B},
    {"编辑框2_微信昵称", Kind::Edit, 2, 71, 112, 353, 21, "", B},
    {"按钮7", Kind::Button, 2, 424, 110, 56, 24, "复制", B},
    {"透明标签12", Kind::Label, 2, 16, 151, 64, 20, "微信号  ：", B},
    {"编辑框2_微信号", Kind::Edit, 2, 71, 152, 353, 21, "", B},
    {"按钮8", Kind::Button, 2, 424, 150, 56, 24, "复制", B},
    {"透明标签13", Kind::Label, 2, 16, 192, 64, 20, "最新文章：", B},
    {"编辑框2_最新文章", Kind::Edit, 2, 71, 194, 353, 21, "", B},
    {"按钮9", Kind::Button, 2, 424, 192, 56, 24, "复制", B},
    {"透明标签14", Kind::Label, 2, 16, 229, 64, 20, "图文标题：", B},
    {"编辑框2_图文标题", Kind::Edit, 2, 72, 230, 353, 21, "", B},
    {"按钮10", Kind::Button, 2, 425, 228, 56, 24, "复制", B},
    {"透明标签15", Kind::Label, 2, 16, 269, 64, 20, "图文简介：", B},
    {"编辑框2_图文简介", Kind::Edit, 2, 72, 270, 353, 21, "", B},
    {"按钮11", Kind::Button, 2, 425, 268, 56, 24, "复制", B},
    {"透明标签16", Kind::Label, 2, 16, 310, 64, 20, "原始 ID ：", B},
    {"编辑框2_原始ID", Kind::Edit, 2, 72, 312, 353, 21, "", B},
    {"按钮12", Kind::Button, 2, 425, 310, 56, 24, "复制", B},

    {"编辑框_短链接输入", Kind::MultiLine, 3, 8, 50, 232, 270, "", B},
    {"编辑框_长链接结果", Kind::MultiLine, 3, 256, 50, 232, 270, "", B},
    {"按钮_短链接转长连接", Kind::Button, 3, 136, 328, 216, 32, "转换", B},
};

bool IsKind(const QWidget* w, Kind kind) {
  switch (kind) {
    case Kind::Edit: return qobject_cast<const QLineEdit*>(w) != nullptr;
    case Kind::MultiLine: return qobject_cast<const QPlainTextEdit*>(w) != nullptr;
    case Kind::Button: return qobject_cast<const QPushButton*>(w) != nullptr;
    case Kind::Label: return qobject_cast<const QLabel*>(w) != nullptr;
    case Kind::Image: return qobject_cast<const ImageButton*>(w) != nullptr;
    case Kind::Tabs: return qobject_cast<const QTabWidget*>(w) != nullptr;
  }
  return false;
}

// Every widget we named ourselves. Qt names the inner parts of its widgets
// "qt_..." and the tab bar's scroll buttons "Scroll...Button".
std::vector<QWidget*> NamedWidgets(QWidget& window) {
  std::vector<QWidget*> named;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    const QString name = w->objectName();
    const bool qtPart =
        name.startsWith(QLatin1String("qt_")) || qobject_cast<QTabBar*>(w->parentWidget());
    if (!name.isEmpty() && !qtPart) named.push_back(w);
  }
  return named;
}

}  // namespace

class WindowLayoutTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = OpenMainWindow();
    QVERIFY(window_);
  }
  void cleanup() { window_.reset(); }

  void everyControlAsTheTableGivesIt() {
    QTabWidget* tabs = Control<QTabWidget>(*window_, "高级选择夹");
    QVERIFY(tabs);
    for (const Row& row : kRows) {
      const QString name = QString::fromUtf8(row.name);
      QWidget* w = window_->findChild<QWidget*>(name);
      QVERIFY2(w, row.name);
      QVERIFY2(IsKind(w, row.kind), row.name);
      QWidget* origin = row.page == 0 ? static_cast<QWidget*>(window_.get()) : tabs;
      QCOMPARE(w->mapTo(origin, QPoint(0, 0)), QPoint(row.x, row.y));
      QCOMPARE(w->size(), QSize(row.w, row.h));
      if (row.text != nullptr) QCOMPARE(TextOf(*window_, row.name), QString::fromUtf8(row.text));
      QCOMPARE(window_->controls().GetControlTextColor(row.name), row.color);
      QCOMPARE(w->isVisible(), row.page <= 1);
    }
    QCOMPARE(TextOf(*window_, "编辑框_查询公众号id").left(12),
             QStringLiteral("请输入微信文章链接，如："));
    QVERIFY(TextOf(*window_, "编辑框_查询公众号id").mid(12).startsWith(QLatin1String("https://")));
    QCOMPARE(TextOf(*window_, "编辑框2_查询最新文章"),
             QStringLiteral("请选择输入微信号|原始ID|昵称，如：青禾札记、qinghenotes、gh_5a0e2d9b7c31"));
  }

  void exactlyTheFiftyFourControls() {
    std::set<QString> expected;
    for (const Row& row : kRows) expected.insert(QString::fromUtf8(row.name));
    QCOMPARE(expected.size(), std::size_t{54});

    std::set<QString> found;
    std::map<Kind, int> perKind;
    for (QWidget* w : NamedWidgets(*window_)) {
      QVERIFY2(found.insert(w->objectName()).second, qPrintable(w->objectName()));
      QVERIFY2(expected.count(w->objectName()) == 1, qPrintable(w->objectName()));
      for (Kind kind : {Kind::Edit, Kind::MultiLine, Kind::Button, Kind::Label, Kind::Image,
                        Kind::Tabs}) {
        if (IsKind(w, kind)) ++perKind[kind];
      }
    }
    QCOMPARE(found, expected);
    QCOMPARE(perKind[Kind::Edit] + perKind[Kind::MultiLine], 17);
    QCOMPARE(perKind[Kind::MultiLine], 2);
    QCOMPARE(perKind[Kind::Label], 17);
    QCOMPARE(perKind[Kind::Button], 16);
    QCOMPARE(perKind[Kind::Image], 3);
    QCOMPARE(perKind[Kind::Tabs], 1);
  }

  void windowFixedCentredWithItsIcon() {
    QCOMPARE(window_->size(), QSize(504, 412));
    QCOMPARE(window_->minimumSize(), QSize(504, 412));
    QCOMPARE(window_->maximumSize(), QSize(504, 412));
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
    QVERIFY(window_->windowTitle().startsWith(QLatin1String("Gavrel 4.0 ")));
    QVERIFY(window_->windowTitle().length() > 11);
    QVERIFY(!window_->windowIcon().isNull());
    QVERIFY(!window_->windowIcon().pixmap(32, 32).isNull());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window_->frameGeometry();
    QCOMPARE(frame.left(), screen.left() + (screen.width() - frame.width()) / 2);
    QCOMPARE(frame.top(), screen.top() + (screen.height() - frame.height()) / 2);
  }

  void threePagesFirstSelected() {
    QTabWidget* tabs = Control<QTabWidget>(*window_, "高级选择夹");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(0), QStringLiteral("查询公众号id"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("搜索订阅号最新文章"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("短链接转长连接"));
    // The tab bar fits above the first row of controls.
    QVERIFY(tabs->tabBar()->geometry().bottom() < 36);
  }

  void eachPageShowsOnlyItsControlsAndKeepsTheirTexts() {
    QTabWidget* tabs = Control<QTabWidget>(*window_, "高级选择夹");
    SetTextOf(*window_, "编辑框_原始ID", QStringLiteral("gh_kept"));
    SetTextOf(*window_, "编辑框_短链接输入", QStringLiteral("kept too"));
    for (int page : {2, 3, 1, 3, 2}) {
      tabs->setCurrentIndex(page - 1);
      for (const Row& row : kRows) {
        QWidget* w = Control(*window_, row.name);
        QCOMPARE(w->isVisible(), row.page == 0 || row.page == page);
      }
    }
    QCOMPARE(TextOf(*window_, "编辑框_原始ID"), QStringLiteral("gh_kept"));
    QCOMPARE(TextOf(*window_, "编辑框_短链接输入"), QStringLiteral("kept too"));
  }

  void fonts() {
    QTabWidget* tabs = Control<QTabWidget>(*window_, "高级选择夹");
    const QStringList songFaces = {QStringLiteral("SimSun"), QStringLiteral("宋体"),
                                   QStringLiteral("NSimSun"), QStringLiteral("Noto Serif CJK SC"),
                                   QStringLiteral("Noto Sans CJK SC")};
    for (QWidget* w : {static_cast<QWidget*>(tabs->tabBar()), Control(*window_, "超级按钮1"),
                       Control(*window_, "超级按钮2")}) {
      QCOMPARE(w->font().pixelSize(), 12);
      QCOMPARE(w->font().weight(), QFont::Normal);
      QCOMPARE(w->font().families().value(0), QStringLiteral("SimSun"));
      // Whatever stands in for SimSun on this machine has Chinese glyphs.
      const QString used = QFontInfo(w->font()).family();
      QVERIFY2(songFaces.contains(used), qPrintable(used));
    }
    for (const char* name : {"编辑框_原始ID", "按钮1", "透明标签2", "超级按钮3"}) {
      QCOMPARE(Control(*window_, name)->font().pixelSize(), 12);
      QVERIFY(Control(*window_, name)->font().families() != tabs->tabBar()->font().families());
    }
  }

  void editBoxForms() {
    for (const Row& row : kRows) {
      if (row.kind == Kind::Edit) {
        auto* box = Control<QLineEdit>(*window_, row.name);
        QVERIFY(!box->isReadOnly());
        QVERIFY(box->hasFrame());
        QVERIFY(box->alignment() & Qt::AlignLeft);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
        QVERIFY(box->maxLength() > 1'000'000);
      } else if (row.kind == Kind::MultiLine) {
        auto* box = Control<QPlainTextEdit>(*window_, row.name);
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(box->frameShadow(), QFrame::Sunken);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
      }
    }
  }

  void labelsDrawNoBackground() {
    for (const Row& row : kRows) {
      if (row.kind != Kind::Label) continue;
      QWidget* label = Control(*window_, row.name);
      QVERIFY2(!label->autoFillBackground(), row.name);
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
  }

  void startsWithTheFocusOnTheNote() {
    QTRY_COMPARE(QApplication::focusWidget(), Control(*window_, "透明标签1"));
    QCOMPARE(window_->controls().GetControlTextColor("编辑框_查询公众号id"), G);
    QCOMPARE(window_->controls().GetControlTextColor("编辑框2_查询最新文章"), G);
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
