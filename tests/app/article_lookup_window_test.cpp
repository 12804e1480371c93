// The first tool through its button, against a real HTTPS server on
// 127.0.0.1 that answers for mp.weixin.qq.com: the hint refusal, the trim
// written back, the seven boxes, the clipboard or the notice, and what the
// window does while the request waits.
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>

#include "lookups/lookups.h"
#include "tests/support/loopback_server.h"
#include "text/codepage.h"
#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

namespace {

constexpr char kQueryBox[] = "编辑框_查询公众号id";
constexpr char kRunButton[] = "按钮_提取公众号ID";

// The result boxes in the order the handler writes them.
const char* const kResultBoxes[] = {"编辑框_原始ID",   "编辑框_微信号",   "编辑框_昵称",
                                    "编辑框_图文标题", "编辑框_图文简介", "编辑框_发布日期",
                                    "编辑框_微信链接1"};

constexpr char kStamp[] = "1587450600";

// An invented article page holding every marker the lookup cuts at.
std::string ArticlePage(bool withWechatNumber) {
  std::string page =
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\">\n"
      "<meta property=\"og:title\" content=\"窗边的一盆绿萝\" />\n"
      "</head><body>\n"
      "<strong class=\"profile_nickname\">青禾札记</strong>\n";
  if (withWechatNumber) {
    page +=
        "<label class=\"profile_meta_label\">微信号</label>\n"
        "<span class=\"profile_meta_value\">qinghenotes</span>\n";
  }
  page +=
      "<script>\n"
      "var user_name = \"gh_5a0e2d9b7c31\";\n"
      "var msg_desc = \"浇水、晒太阳，和它一起过冬。\";\n"
      "var msg_cdn_url = \"http://img.gavrel.example/a.jpg\";\n"
      "!function(){var i=\"9\",n=\"" + std::string(kStamp) + "\",s=\"2020-04-21\";}();\n"
      "</script></body></html>\n";
  return page;
}

QString PublishTimeOf(const char* stamp) {
  return QString::fromStdString(TextToUtf8(TimestampToText(stamp)));
}

}  // namespace

class ArticleLookupWindowTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    server_ = std::make_unique<LoopbackServer>(LoopbackServer::Options{.tls = true});
    server_->RoutePath("/s/full", Response::Html(ArticlePage(true), "utf-8"));
    server_->RoutePath("/s/id-only", Response::Html(ArticlePage(false), "utf-8"));
    Response slow = Response::Html(ArticlePage(true), "utf-8");
    slow.delay = std::chrono::milliseconds(800);
    server_->RoutePath("/s/slow", slow);
    routes_ = std::make_unique<ScopedEngineRoutes>(
        std::vector<HostRoute>{{"mp.weixin.qq.com:443", *server_}});
    window_ = OpenMainWindow();
    QVERIFY(window_);
  }
  void cleanup() {
    window_.reset();
    routes_.reset();
    server_.reset();
  }

  void refusesWhileTheHintShows() {
    for (const char* box : kResultBoxes) SetTextOf(*window_, box, QStringLiteral("old"));
    window_->controls().SetClipboardText("before");
    const QString hint = TextOf(*window_, kQueryBox);
    NoticeRecorder notices;

    Click(Control(*window_, kRunButton));

    QCOMPARE(notices.texts(), QStringList{QStringLiteral("请输入微信链接")});
    QVERIFY(notices.notices().front().closedAtMs >= 0);
    for (const char* box : kResultBoxes) QCOMPARE(TextOf(*window_, box), QStringLiteral("old"));
    QCOMPARE(ClipboardText(), QStringLiteral("before"));
    QCOMPARE(TextOf(*window_, kQueryBox), hint);
    QCOMPARE(server_->RequestCount(), std::size_t{0});
  }

  void clickingInAndStraightOnToTheButtonStillRefuses() {
    Click(Control(*window_, kQueryBox));
    QCOMPARE(TextOf(*window_, kQueryBox), QString());
    NoticeRecorder notices;
    // The box loses the focus to the button, takes its hint back, and the
    // click then finds it grey.
    Click(Control(*window_, kRunButton));
    QCOMPARE(notices.texts(), QStringList{QStringLiteral("请输入微信链接")});
    QCOMPARE(window_->controls().GetControlTextColor(kQueryBox), kColorHintGrey);
    QCOMPARE(server_->RequestCount(), std::size_t{0});
  }

  void onlyTheColourSaysWhetherTheHintShows() {
    const QString link = QStringLiteral("https://mp.weixin.qq.com/s/full");
    const QString hint = TextOf(*window_, kQueryBox);
    struct Case {
      const char* name;
      QString text;
      std::uint32_t color;
      QString notice;  // empty: the lookup runs and copies
      std::size_t requests;
    };
    const Case cases[] = {
        {"a link drawn grey", link, kColorHintGrey, QStringLiteral("请输入微信链接"), 0},
        {"a link drawn in another colour", link, 0x000000FF, QStringLiteral("请输入微信链接"), 0},
        // Black: the lookup runs on it, and the hint's text is no address.
        {"the hint's text drawn black", hint, kColorBlack,
         QStringLiteral("未获得原始ID，请确认微信链接是否正确"), 0},
        {"a link drawn black", link, kColorBlack, QString(), 1},
    };
    for (const Case& c : cases) {
      SetTextOf(*window_, kQueryBox, c.text);
      window_->controls().SetControlTextColor(kQueryBox, c.color);
      NoticeRecorder notices;
      Click(Control(*window_, kRunButton));
      const QStringList expected = c.notice.isEmpty() ? QStringList{} : QStringList{c.notice};
      QVERIFY2(notices.texts() == expected, c.name);
      QVERIFY2(server_->RequestCount() == c.requests, c.name);
      QVERIFY2(TextOf(*window_, kQueryBox) == c.text, c.name);
    }
    QCOMPARE(TextOf(*window_, "编辑框_原始ID"), QStringLiteral("gh_5a0e2d9b7c31"));
  }

  void aFullLookupFillsTheSevenBoxesAndTheClipboard() {
    Click(Control(*window_, kQueryBox));
    TypeText(QStringLiteral("  https://mp.weixin.qq.com/s/full?a=1  "));
    window_->controls().SetClipboardText("before");
    NoticeRecorder notices;

    Click(Control(*window_, kRunButton));

    const QString address = QStringLiteral("https://mp.weixin.qq.com/s/full?a=1");
    QCOMPARE(TextOf(*window_, kQueryBox), address);  // trimmed and written back
    QCOMPARE(TextOf(*window_, "编辑框_原始ID"), QStringLiteral("gh_5a0e2d9b7c31"));
    QCOMPARE(TextOf(*window_, "编辑框_微信号"), QStringLiteral("qinghenotes"));
    QCOMPARE(TextOf(*window_, "编辑框_昵称"), QStringLiteral("青禾札记"));
    QCOMPARE(TextOf(*window_, "编辑框_图文标题"), QStringLiteral("窗边的一盆绿萝"));
    QCOMPARE(TextOf(*window_, "编辑框_图文简介"), QStringLiteral("浇水、晒太阳，和它一起过冬。"));
    QCOMPARE(TextOf(*window_, "编辑框_发布日期"), PublishTimeOf(kStamp));
    QVERIFY(!TextOf(*window_, "编辑框_发布日期").isEmpty());
    QCOMPARE(TextOf(*window_, "编辑框_微信链接1"), address);
    QCOMPARE(ClipboardText(), QStringLiteral("qinghenotes"));
    QVERIFY(notices.notices().empty());

    QCOMPARE(server_->RequestCount(), std::size_t{1});
    QCOMPARE(server_->Requests().at(0).target, std::string("/s/full?a=1"));
    QCOMPARE(server_->Requests().at(0).Header("Host"), std::string("mp.weixin.qq.com"));
  }

  void aLinkPastedWithItsLineEndIsLookedUp() {
    Click(Control(*window_, kQueryBox));
    QApplication::clipboard()->setText(QStringLiteral("https://mp.weixin.qq.com/s/full\r\n"));
    QTest::keyClick(Control(*window_, kQueryBox), Qt::Key_V, Qt::ControlModifier);
    NoticeRecorder notices;
    Click(Control(*window_, kRunButton));
    QVERIFY(notices.notices().empty());
    QCOMPARE(TextOf(*window_, kQueryBox), QStringLiteral("https://mp.weixin.qq.com/s/full"));
    QCOMPARE(TextOf(*window_, "编辑框_原始ID"), QStringLiteral("gh_5a0e2d9b7c31"));
    QCOMPARE(ClipboardText(), QStringLiteral("qinghenotes"));
    QCOMPARE(server_->RequestCount(), std::size_t{1});
    QCOMPARE(server_->Requests().at(0).target, std::string("/s/full"));
  }

  void withoutAWechatNumberTheOriginalIdIsCopied() {
    Click(Control(*window_, kQueryBox));
    TypeText(QStringLiteral("https://mp.weixin.qq.com/s/id-only"));
    Click(Control(*window_, kRunButton));
    QCOMPARE(TextOf(*window_, "编辑框_微信号"), QString());
    QCOMPARE(ClipboardText(), QStringLiteral("gh_5a0e2d9b7c31"));
  }

  void aFailedLookupEmptiesThePreviousResultsAndShowsTheNotice() {
    Click(Control(*window_, kQueryBox));
    TypeText(QStringLiteral("https://mp.weixin.qq.com/s/full"));
    Click(Control(*window_, kRunButton));
    QCOMPARE(TextOf(*window_, "编辑框_原始ID"), QStringLiteral("gh_5a0e2d9b7c31"));
    QCOMPARE(ClipboardText(), QStringLiteral("qinghenotes"));

    Click(Control(*window_, kQueryBox));  // empties the box again
    TypeText(QStringLiteral("https://mp.weixin.qq.com/s/gone"));
    NoticeRecorder notices;
    Click(Control(*window_, kRunButton));

    QCOMPARE(notices.texts(), QStringList{QStringLiteral("未获得原始ID，请确认微信链接是否正确")});
    for (const char* box : {"编辑框_原始ID", "编辑框_微信号", "编辑框_昵称", "编辑框_图文标题",
                            "编辑框_图文简介"}) {
      QVERIFY2(TextOf(*window_, box).isEmpty(), box);
    }
    // A page without a stamp gives what the publish-time text makes of none.
    QCOMPARE(TextOf(*window_, "编辑框_发布日期"), PublishTimeOf(""));
    QCOMPARE(TextOf(*window_, "编辑框_微信链接1"), QStringLiteral("https://mp.weixin.qq.com/s/gone"));
    QCOMPARE(ClipboardText(), QStringLiteral("qinghenotes"));  // nothing copied
    QCOMPARE(server_->RequestCount(), std::size_t{2});
  }

  void blanksOnlyRunTheLookupOnTheEmptyAddress() {
    Click(Control(*window_, kQueryBox));
    TypeText(QStringLiteral("   "));
    NoticeRecorder notices;
    Click(Control(*window_, kRunButton));  // the blanks keep the box black
    QCOMPARE(notices.texts(), QStringList{QStringLiteral("未获得原始ID，请确认微信链接是否正确")});
    QCOMPARE(TextOf(*window_, kQueryBox), QString());
    QCOMPARE(window_->controls().GetControlTextColor(kQueryBox), kColorBlack);
    QCOMPARE(TextOf(*window_, "编辑框_微信链接1"), QString());
    QCOMPARE(server_->RequestCount(), std::size_t{0});
  }

  void whileTheRequestWaitsTheWindowLivesAndTheLinkBoxTakesTheBoxAsItIsThen() {
    Click(Control(*window_, kQueryBox));
    TypeText(QStringLiteral("https://mp.weixin.qq.com/s/slow"));
    bool timerRan = false;
    bool busyCursor = false;
    // Timers run while the request waits: the window is not frozen.
    QTimer::singleShot(300, this, [&] {
      timerRan = true;
      busyCursor = QApplication::overrideCursor() != nullptr &&
                   QApplication::overrideCursor()->shape() == Qt::WaitCursor;
      SetTextOf(*window_, kQueryBox, QStringLiteral("changed meanwhile"));
    });
    Click(Control(*window_, kRunButton));
    QVERIFY(timerRan);
    QVERIFY(busyCursor);
    QCOMPARE(QApplication::overrideCursor(), nullptr);  // taken back at the end
    QCOMPARE(TextOf(*window_, "编辑框_原始ID"), QStringLiteral("gh_5a0e2d9b7c31"));
    QCOMPARE(TextOf(*window_, "编辑框_微信链接1"), QStringLiteral("changed meanwhile"));
  }

  void closingTheWindowWhileTheRequestWaitsIsSafe() {
    Click(Control(*window_, kQueryBox));
    TypeText(QStringLiteral("https://mp.weixin.qq.com/s/slow"));
    QTimer::singleShot(200, this, [&] { window_->close(); });
    Click(Control(*window_, kRunButton));
    // The handler runs to its end on the closed window; nothing is lost or
    // freed under it, and the program would end once it returns.
    QVERIFY(!window_->isVisible());
    QCOMPARE(TextOf(*window_, "编辑框_原始ID"), QStringLiteral("gh_5a0e2d9b7c31"));
    QCOMPARE(ClipboardText(), QStringLiteral("qinghenotes"));
  }

 private:
  std::unique_ptr<LoopbackServer> server_;
  std::unique_ptr<ScopedEngineRoutes> routes_;
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(ArticleLookupWindowTest)
#include "article_lookup_window_test.moc"
