// The latest-article tool through the real window: the query typed into
// 编辑框2_查询最新文章, a click on 提取, an account search that the engine's
// test routes send from weixin.sogou.com to a server on 127.0.0.1, and the
// fetch of the article the result page links to.
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <string>
#include <utility>
#include <vector>

#include "app/widget_controls.h"
#include "tests/lookups/article_fixture.h"
#include "tests/support/loopback_server.h"
#include "text/codepage.h"
#include "text/escape.h"
#include "text/markers.h"
#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

namespace {

// The search address with the escaped query in its place.
std::string SearchTarget(const std::string& escapedQuery) {
  return "/weixin?type=1&s_from=input&query=" + escapedQuery + "&ie=utf8&_sug_=y&_sug_type_=";
}

// The latest-article links of the first and the third account of
// sogou_results.html, with their "&amp;" turned into "&".
const char kFirstArticle[] =
    "/s?src=11&timestamp=1587450600&ver=2290&signature=Zm9yX3Rlc3Rfb25seV8w&new=1";
const char kThirdArticle[] =
    "/s?src=11&timestamp=1587300000&ver=2290&signature=Zm9yX3Rlc3Rfb25seV8y&new=1";

const char* const kResultBoxes[] = {"编辑框2_微信昵称", "编辑框2_微信号", "编辑框2_最新文章",
                                    "编辑框2_原始ID",   "编辑框2_图文标题", "编辑框2_图文简介"};

struct Boxes {
  QString nickname, wechatNumber, link, originalId, title, summary;
};

Boxes ReadBoxes(MainWindow& window) {
  return {TextOf(window, kResultBoxes[0]), TextOf(window, kResultBoxes[1]),
          TextOf(window, kResultBoxes[2]), TextOf(window, kResultBoxes[3]),
          TextOf(window, kResultBoxes[4]), TextOf(window, kResultBoxes[5])};
}

void CompareBoxes(const Boxes& got, const Boxes& want) {
  QCOMPARE(got.nickname, want.nickname);
  QCOMPARE(got.wechatNumber, want.wechatNumber);
  QCOMPARE(got.link, want.link);
  QCOMPARE(got.originalId, want.originalId);
  QCOMPARE(got.title, want.title);
  QCOMPARE(got.summary, want.summary);
}

// What the article page of data/article_page.html gives for the last three.
const Boxes kArticleFields = {{}, {}, {}, QStringLiteral("gh_7e3a91c0d5b2"),
                              QStringLiteral("春日里的一碗阳春面"),
                              QStringLiteral("老街口那家面馆，开了三十年，汤还是那锅汤。")};

}  // namespace

class LatestArticleTest final : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sogou_ = std::make_unique<LoopbackServer>();
    articles_ = std::make_unique<LoopbackServer>();
    routes_ = std::make_unique<ScopedEngineRoutes>(std::vector<HostRoute>{
        {"weixin.sogou.com:80", *sogou_}, {"mp.weixin.qq.com:80", *articles_}});
    const std::string article = ReadLookupFixture("article_page.html");
    QVERIFY(!article.empty());
    articles_->Route(kFirstArticle, Response::Html(article));
    articles_->Route(kThirdArticle, Response::Html(article));
    window_ = OpenMainWindow();
    QVERIFY(window_);
    window_->tabs()->setCurrentIndex(1);
  }

  void cleanup() {
    window_.reset();
    routes_.reset();
    articles_.reset();
    sogou_.reset();
  }

  void foundAccountFillsSixBoxesAndCopiesTheLink() {
    sogou_->Route(SearchTarget("%u9752%u67F3"), Response::Html(ReadLookupFixture("sogou_results.html")));
    SetTextOf(*window_, "编辑框2_查询最新文章", QStringLiteral("  青柳  "));
    NoticeRecorder notices;

    RunSearch();

    QCOMPARE(TextOf(*window_, "编辑框2_查询最新文章"), QStringLiteral("青柳"));
    const QString link =
        QStringLiteral("http://mp.weixin.qq.com") + QString::fromLatin1(kFirstArticle);
    Boxes want = kArticleFields;
    want.nickname = QStringLiteral("青柳杂货铺");
    want.wechatNumber = QStringLiteral("qingliu_zahuo");
    want.link = link;
    CompareBoxes(ReadBoxes(*window_), want);
    QCOMPARE(ClipboardText(), link);
    QVERIFY(notices.notices().empty());

    // One search on plain http with the escaped query, then one fetch of the
    // link with every "&amp;" of the page turned into "&".
    QCOMPARE(sogou_->RequestCount(), std::size_t{1});
    QCOMPARE(QString::fromStdString(sogou_->Requests().front().Header("Host")),
             QStringLiteral("weixin.sogou.com"));
    QCOMPARE(articles_->RequestCount(), std::size_t{1});
    QCOMPARE(QString::fromStdString(articles_->Requests().front().target),
             QString::fromLatin1(kFirstArticle));
  }

  // The result page with edits, each row with what the boxes then show.
  void resultPageVariants() {
    struct Case {
      const char* name;
      std::vector<std::pair<std::string, std::string>> edits;
      QString nickname, link;
      bool articleFetched;
    };
    const QString first = QStringLiteral("http://mp.weixin.qq.com") + kFirstArticle;
    const QString third = QStringLiteral("http://mp.weixin.qq.com") + kThirdArticle;
    const Case cases[] = {
        {"highlight tags in capitals are removed too",
         {{"<em><!--red_beg-->", "<EM><!--RED_BEG-->"}, {"<!--red_end--></em>", "<!--Red_End--></Em>"}},
         QStringLiteral("青柳杂货铺"), first, true},
        {"first account without a latest article: the link is a later account's",
         {{"<dt>最近文章：</dt>\n            <dd><a target=\"_blank\" uigs=\"account_article_0\"",
           "<dt>最近动态：</dt>\n            <dd><a target=\"_blank\" uigs=\"account_article_0\""}},
         QStringLiteral("青柳杂货铺"), third, true},
        {"no latest article at all: the empty link, no notice",
         {{"最近文章", "最近动态"}},
         QStringLiteral("青柳杂货铺"), QString(), false},
    };
    const std::string page = ReadLookupFixture("sogou_results.html");
    for (const auto& c : cases) {
      std::string edited = page;
      for (const auto& [from, to] : c.edits) {
        QVERIFY2(edited.find(from) != std::string::npos, c.name);
        edited = ReplaceAll(std::move(edited), from, to);
      }
      sogou_->Route(SearchTarget("%u9752%u67F3"), Response::Html(edited));
      articles_->ClearRequests();
      SetTextOf(*window_, "编辑框2_查询最新文章", QStringLiteral("青柳"));
      window_->controls().SetClipboardText("before");
      NoticeRecorder notices;

      RunSearch();

      const Boxes got = ReadBoxes(*window_);
      QVERIFY2(got.nickname == c.nickname, c.name);
      QVERIFY2(got.wechatNumber == QStringLiteral("qingliu_zahuo"), c.name);
      QVERIFY2(got.link == c.link, c.name);
      QVERIFY2(ClipboardText() == c.link, c.name);
      QVERIFY2(notices.notices().empty(), c.name);
      const Boxes article = c.articleFetched ? kArticleFields : Boxes{};
      QVERIFY2(got.originalId == article.originalId, c.name);
      QVERIFY2(got.title == article.title, c.name);
      QVERIFY2(got.summary == article.summary, c.name);
      QVERIFY2(articles_->RequestCount() == (c.articleFetched ? 1u : 0u), c.name);
    }
  }

  // The article page with edits: this tool's own markers, which differ from
  // those of the article-link lookup (user_name ... user_name_new, msg_title,
  // msg_desc up to the first semicolon).
  void articlePageVariants() {
    struct Case {
      const char* name;
      std::pair<std::string, std::string> edit;
      QString originalId, title, summary;
    };
    const QString id = kArticleFields.originalId;
    const QString title = kArticleFields.title;
    const QString summary = kArticleFields.summary;
    const Case cases[] = {
        {"no user_name_new: no original ID", {"var user_name_new", "var user_alias"},
         QString(), title, summary},
        {"title only from msg_title, not og:title", {"var msg_title", "var msg_heading"},
         id, QString(), summary},
        {"summary needs no msg_cdn_url after it", {"var msg_cdn_url", "var msg_cover_url"},
         id, title, summary},
        {"a semicolon inside the summary ends its stretch before the closing quote",
         {"汤还是那锅汤。", "汤;还是那锅汤。"}, id, title, QString()},
    };
    const std::string page = ReadLookupFixture("article_page.html");
    sogou_->Route(SearchTarget("%u9752%u67F3"),
                  Response::Html(ReadLookupFixture("sogou_results.html")));
    for (const auto& c : cases) {
      QVERIFY2(page.find(c.edit.first) != std::string::npos, c.name);
      articles_->Route(kFirstArticle,
                       Response::Html(ReplaceAll(page, c.edit.first, c.edit.second)));
      SetTextOf(*window_, "编辑框2_查询最新文章", QStringLiteral("青柳"));
      NoticeRecorder notices;

      RunSearch();

      const Boxes got = ReadBoxes(*window_);
      QVERIFY2(got.nickname == QStringLiteral("青柳杂货铺"), c.name);
      QVERIFY2(got.originalId == c.originalId, c.name);
      QVERIFY2(got.title == c.title, c.name);
      QVERIFY2(got.summary == c.summary, c.name);
      QVERIFY2(ClipboardText() == got.link, c.name);
      QVERIFY2(notices.notices().empty(), c.name);
    }
  }

  void noAccountGivesTheNoticeAndEmptyBoxes() {
    sogou_->Route(SearchTarget("zz_nobody_here"),
                  Response::Html(ReadLookupFixture("sogou_no_results.html")));
    // Boxes left over from an earlier run are emptied.
    for (const char* box : kResultBoxes) SetTextOf(*window_, box, QStringLiteral("old"));
    SetTextOf(*window_, "编辑框2_查询最新文章", QStringLiteral("zz_nobody_here"));
    window_->controls().SetClipboardText("before");
    NoticeRecorder notices;

    RunSearch();

    CompareBoxes(ReadBoxes(*window_), Boxes{});
    QCOMPARE(notices.texts(), QStringList{QStringLiteral("未找到公众号，请在微信手动查询")});
    QCOMPARE(ClipboardText(), QStringLiteral("before"));
    QCOMPARE(sogou_->RequestCount(), std::size_t{1});
    QCOMPARE(articles_->RequestCount(), std::size_t{0});
  }

  void searchPageThatCannotBeFetchedGivesTheNotice() {
    // No route: the server answers 404 with a page holding no account.
    SetTextOf(*window_, "编辑框2_查询最新文章", QStringLiteral("qingliu_zahuo"));
    NoticeRecorder notices;
    RunSearch();
    CompareBoxes(ReadBoxes(*window_), Boxes{});
    QCOMPARE(notices.texts(), QStringList{QStringLiteral("未找到公众号，请在微信手动查询")});
    QCOMPARE(QString::fromStdString(sogou_->Requests().at(0).target),
             QString::fromStdString(SearchTarget("qingliu_zahuo")));
  }

  void hintTextIsSearchedWhileTheBoxShowsIt() {
    // A fresh window: the query box still shows its grey hint.
    const Text hint = window_->controls().GetControlText("编辑框2_查询最新文章");
    QVERIFY(!hint.empty());
    QCOMPARE(window_->controls().GetControlTextColor("编辑框2_查询最新文章"), kColorHintGrey);
    NoticeRecorder notices;

    RunSearch();

    QCOMPARE(sogou_->RequestCount(), std::size_t{1});
    QCOMPARE(QString::fromStdString(sogou_->Requests().front().target),
             QString::fromStdString(SearchTarget(ScriptEscape(TrimBlanks(hint)))));
    QCOMPARE(window_->controls().GetControlText("编辑框2_查询最新文章"), TrimBlanks(hint));
    QCOMPARE(notices.texts(), QStringList{QStringLiteral("未找到公众号，请在微信手动查询")});
  }

 private:
  void RunSearch() {
    auto* button = Control<QPushButton>(*window_, "按钮_提取最新文章");
    QVERIFY(button != nullptr);
    Click(button);
  }

  std::unique_ptr<LoopbackServer> sogou_;
  std::unique_ptr<LoopbackServer> articles_;
  std::unique_ptr<ScopedEngineRoutes> routes_;
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(LatestArticleTest)
#include "latest_article_test.moc"
