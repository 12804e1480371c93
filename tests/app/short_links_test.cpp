// The short-link tool through the real window: a text pasted into
// 编辑框_短链接输入, a click on 转换, each address fetched from servers on
// 127.0.0.1 (the engine's test routes send mp.weixin.qq.com there, TLS on
// 443 and plain on 80), and the permanent links listed in 编辑框_长链接结果.
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "tests/lookups/article_fixture.h"
#include "tests/support/loopback_server.h"
#include "text/codepage.h"
#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

namespace {

// data/article_page.html carries its permanent link as msg_link with every
// "&" written "\x26amp;"; each page served here gets its own mid.
const char kLinkMid[] = "\\x26amp;mid=2247483650\\x26amp;";

std::string ArticleWithMid(const std::string& mid, const std::string& escape = "\\x26amp;") {
  std::string page = ReplaceAll(ReadLookupFixture("article_page.html"), kLinkMid,
                                "\\x26amp;mid=" + mid + "\\x26amp;");
  return ReplaceAll(std::move(page), "\\x26amp;", escape);
}

// The long link of a page made by ArticleWithMid.
QString LongLink(const std::string& mid) {
  return QString::fromStdString("http://mp.weixin.qq.com/s?__biz=MzI0NTc4OTEyMw==&mid=" + mid +
                                "&idx=1&sn=5f0c2d9e8b7a6c4d3e2f1a0b9c8d7e6f&chksm=e9f0a1b2c3d4#rd");
}

QString Lines(const QStringList& lines) {
  QString out;
  for (const QString& line : lines) out += line + QStringLiteral("\r\n");
  return out;
}

}  // namespace

class ShortLinksTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    tls_ = std::make_unique<LoopbackServer>(LoopbackServer::Options{.tls = true});
    plain_ = std::make_unique<LoopbackServer>();
    routes_ = std::make_unique<ScopedEngineRoutes>(std::vector<HostRoute>{
        {"mp.weixin.qq.com:443", *tls_}, {"mp.weixin.qq.com:80", *plain_}});
    window_ = OpenMainWindow();
    QVERIFY(window_);
    window_->tabs()->setCurrentIndex(2);
  }

  void cleanup() {
    window_.reset();
    routes_.reset();
    plain_.reset();
    tls_.reset();
  }

  void everyAddressGivesOneLineInOrder() {
    tls_->RoutePath("/s/one", Response::Html(ArticleWithMid("1001")));
    tls_->RoutePath("/s/two", Response::Html(ArticleWithMid("1002")));
    tls_->RoutePath("/s/caps", Response::Html(ArticleWithMid("1003", "\\X26AMP;")));
    tls_->RoutePath("/s/stop", Response::Html(ArticleWithMid("1004")));
    tls_->RoutePath("/s/stop%E3%80%82", Response::Html(ArticleWithMid("1005")));
    plain_->RoutePath("/s/plain", Response::Html("<html><body><p>no script here</p></body></html>"));
    plain_->RoutePath("/s/mixed", Response::Html(ArticleWithMid("1006", "\\x26AmP;")));
    const QString input = QStringLiteral(
        "今天分享两篇：https://mp.weixin.qq.com/s/one https://mp.weixin.qq.com/s/two\r\n"
        "再看一遍 https://mp.weixin.qq.com/s/one\r\n"
        "推荐HTTPS://mp.weixin.qq.com/s/caps\r\n"
        "结尾https://mp.weixin.qq.com/s/stop。\r\n"
        "没有脚本的页面：\thTtP://mp.weixin.qq.com/s/plain\r\n"
        "Http://mp.weixin.qq.com/s/mixed");
    SetTextOf(*window_, "编辑框_短链接输入", input);
    SetTextOf(*window_, "编辑框_长链接结果", QStringLiteral("left from before\r\n"));

    RunResolve();

    const QString want = Lines({LongLink("1001"), LongLink("1002"), LongLink("1001"),
                                LongLink("1003"), LongLink("1005"), QString(),
                                LongLink("1006")});
    QCOMPARE(TextOf(*window_, "编辑框_长链接结果"), want);
    QCOMPARE(ClipboardText(), want);
    QCOMPARE(TextOf(*window_, "编辑框_短链接输入"), QString());

    // Fetched one after another in the order of the text, the same address
    // twice, the full stop glued to its address sent along with it.
    std::vector<std::string> tlsTargets;
    for (const auto& request : tls_->Requests()) tlsTargets.push_back(request.target);
    const std::vector<std::string> wantTargets = {"/s/one", "/s/two", "/s/one", "/s/caps",
                                                  "/s/stop%E3%80%82"};
    QVERIFY(tlsTargets == wantTargets);
    QCOMPARE(plain_->RequestCount(), std::size_t{2});
  }

  // Pages that do not hold the link the way an article page does: each row's
  // page gives its line, empty where the cut finds nothing.
  void pagesWithoutTheLinkGiveEmptyLines() {
    struct Case {
      const char* name;
      std::vector<std::pair<std::string, std::string>> edits;
      QString want;
    };
    const Case cases[] = {
        {"no msg_link", {{"var msg_link", "var msg_href"}}, QString()},
        {"user_uin only before msg_link",
         {{"  var msg_link", "  var user_uin = 0;\n  var msg_link"},
          {"  var user_uin = \"0\"*1;", ""}},
         QString()},
        {"the link in single quotes", {{"msg_link = \"http", "msg_link = 'http"}, {"#rd\";", "#rd';"}},
         QString()},
        {"the article page itself", {}, LongLink("2247483650")},
    };
    const std::string page = ReadLookupFixture("article_page.html");
    QString input;
    QStringList want;
    int row = 0;
    for (const auto& c : cases) {
      std::string edited = page;
      for (const auto& [from, to] : c.edits) {
        QVERIFY2(edited.find(from) != std::string::npos, c.name);
        edited = ReplaceAll(std::move(edited), from, to);
      }
      const std::string path = "/s/row" + std::to_string(++row);
      tls_->RoutePath(path, Response::Html(edited));
      input += QString::fromStdString("https://mp.weixin.qq.com" + path + "\r\n");
      want << c.want;
    }
    SetTextOf(*window_, "编辑框_短链接输入", input);

    RunResolve();

    QCOMPARE(TextOf(*window_, "编辑框_长链接结果"), Lines(want));
    QCOMPARE(tls_->RequestCount(), std::size(cases));
  }

  void schemesOfAnyLettersAndOddCharacters() {
    // Schemes the engine does not speak still count as addresses: each gets
    // its line, empty, and nothing is sent.
    SetTextOf(*window_, "编辑框_短链接输入",
              QStringLiteral("Ftp://mp.weixin.qq.com/s/a [x_y]://mp.weixin.qq.com/s/b ://c"));
    RunResolve();
    QCOMPARE(TextOf(*window_, "编辑框_长链接结果"), Lines({QString(), QString()}));
    QCOMPARE(tls_->RequestCount() + plain_->RequestCount(), std::size_t{0});
  }

  void textWithoutAddresses() {
    struct Case {
      const char* name;
      QString input;
    };
    const Case cases[] = {
        {"empty input", QString()},
        {"text without an address", QStringLiteral("明天再发链接，今天先休息。mp.weixin.qq.com/s/x")},
    };
    for (const auto& c : cases) {
      SetTextOf(*window_, "编辑框_短链接输入", c.input);
      SetTextOf(*window_, "编辑框_长链接结果", QStringLiteral("old\r\n"));
      window_->controls().SetClipboardText("before");
      RunResolve();
      QVERIFY2(TextOf(*window_, "编辑框_长链接结果").isEmpty(), c.name);
      QVERIFY2(ClipboardText().isEmpty(), c.name);
      QVERIFY2(TextOf(*window_, "编辑框_短链接输入").isEmpty(), c.name);
    }
    QCOMPARE(tls_->RequestCount() + plain_->RequestCount(), std::size_t{0});
  }

  void theListGrowsWhileTheRunGoesOn() {
    tls_->RoutePath("/s/fast", Response::Html(ArticleWithMid("2001")));
    Response slow = Response::Html(ArticleWithMid("2002"));
    slow.delay = std::chrono::milliseconds(800);
    tls_->RoutePath("/s/slow", slow);
    SetTextOf(*window_, "编辑框_短链接输入",
              QStringLiteral("https://mp.weixin.qq.com/s/fast https://mp.weixin.qq.com/s/slow"));
    // Read while the engine waits for the slow page; its wait pump runs timers.
    QString midway;
    QTimer::singleShot(400, this, [&] { midway = TextOf(*window_, "编辑框_长链接结果"); });

    RunResolve();

    QCOMPARE(midway, Lines({LongLink("2001")}));
    QCOMPARE(TextOf(*window_, "编辑框_长链接结果"), Lines({LongLink("2001"), LongLink("2002")}));
  }

  void longRunsOfLettersAroundAnAddress() {
    // A run of letters is a possible scheme until the "://" is missing; each
    // run must be given up once, not once per letter (a fault here shows as
    // the test timing out). Short lines come first and last, so that the box
    // lays out only them: Qt takes long to lay out a line with no break in it.
    tls_->RoutePath("/s/one", Response::Html(ArticleWithMid("3001")));
    QString lines;
    for (int i = 0; i < 100; ++i) lines += QStringLiteral("链接如下：\n");
    const QString run(300 * 1000, QLatin1Char('x'));
    SetTextOf(*window_, "编辑框_短链接输入",
              lines + run + QStringLiteral("\nhttps://mp.weixin.qq.com/s/one\n") + run +
                  QStringLiteral(":/\n") + run + QStringLiteral("\n") + lines);

    RunResolve();

    QCOMPARE(TextOf(*window_, "编辑框_长链接结果"), Lines({LongLink("3001")}));
    QCOMPARE(tls_->RequestCount(), std::size_t{1});
    QCOMPARE(TextOf(*window_, "编辑框_短链接输入"), QString());
  }

  void fiveMegabytesHoldingOneVeryLongAddress() {
    // Prose with line breaks around one address of a million characters.
    const QString paragraph = QStringLiteral("巷子里的青石板被雨水洗得发亮，脚步声一直传到尽头。\n");
    QString prose;
    while (prose.size() < 512 * 1024) prose += paragraph;
    const QString address =
        QStringLiteral("http://mp.weixin.qq.com/s/") + QString(1000 * 1000, QLatin1Char('a'));
    const QString input = prose + prose + address + QLatin1Char('\n') + prose + prose;
    SetTextOf(*window_, "编辑框_短链接输入", input);
    QVERIFY(window_->controls().GetControlText("编辑框_短链接输入").size() >= 5u * 1000 * 1000);

    RunResolve();

    // One address, sent whole, one line: the server has no page for it.
    QCOMPARE(plain_->RequestCount(), std::size_t{1});
    QCOMPARE(plain_->Requests().front().target.size(), std::size_t{3 + 1000 * 1000});
    QCOMPARE(TextOf(*window_, "编辑框_长链接结果"), Lines({QString()}));
    QCOMPARE(TextOf(*window_, "编辑框_短链接输入"), QString());
  }

 private:
  void RunResolve() {
    auto* button = Control<QPushButton>(*window_, "按钮_短链接转长连接");
    QVERIFY(button != nullptr);
    Click(button);
  }

  std::unique_ptr<LoopbackServer> tls_;
  std::unique_ptr<LoopbackServer> plain_;
  std::unique_ptr<ScopedEngineRoutes> routes_;
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(ShortLinksTest)
#include "short_links_test.moc"
