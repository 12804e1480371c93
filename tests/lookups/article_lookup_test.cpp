// End-to-end tests of the article-link lookup: the real request engine
// fetches invented article pages from a TLS server on 127.0.0.1, to which
// the engine's test routes send mp.weixin.qq.com.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "lookups/lookups.h"
#include "tests/lookups/article_fixture.h"
#include "tests/lookups/scoped_env.h"
#include "tests/support/loopback_server.h"
#include "text/codepage.h"

namespace gavrel {
namespace {

using testing::GrownArticlePage;
using testing::LoopbackServer;
using testing::ReadLookupFixture;
using testing::ReplaceAll;
using testing::Response;
using testing::ScopedEngineRoutes;
using testing::ScopedEnv;

constexpr const char* kArticleHost = "https://mp.weixin.qq.com";

Text T(const char* utf8) { return Utf8ToText(utf8); }

// The fields of data/article_page.html, as the lookup should cut them.
ArticleAccount FullPageAccount(const std::string& address) {
  return {
      .originalId = "gh_7e3a91c0d5b2",
      .wechatNumber = "qingliu_zahuo",
      .nickname = T("青柳杂货铺"),
      .title = T("春日里的一碗阳春面"),
      .summary = T("老街口那家面馆，开了三十年，汤还是那锅汤。"),
      .publishTime = "2020-04-21  14:30:00",
      .link = address,
  };
}

LookupOutcome Notice() {
  return {OutcomeKind::ShowNotice, T("未获得原始ID，请确认微信链接是否正确")};
}

LookupOutcome Copy(Text text) { return {OutcomeKind::CopyToClipboard, std::move(text)}; }

class ArticleLookupTest : public ::testing::Test {
 protected:
  // The ten-byte stamp shows China time with a 24-hour clock; the script
  // branch (for a page without a stamp) runs in a UTC+8 zone.
  ScopedEnv env_{{"TZ", "CST-8"}, {"LC_ALL", "C"}};
  LoopbackServer server_{LoopbackServer::Options{.tls = true}};
  ScopedEngineRoutes routes_{{{"mp.weixin.qq.com:443", server_}}};
};

TEST_F(ArticleLookupTest, FullSizePageGivesEveryFieldAndCopiesTheWechatNumber) {
  const std::string page = GrownArticlePage(2 * 1024 * 1024);
  ASSERT_GE(page.size(), 2u * 1024 * 1024);
  server_.RoutePath("/s/Qx7fLmN2pA9sRt", Response::Html(page));
  const std::string address = std::string(kArticleHost) + "/s/Qx7fLmN2pA9sRt";

  const ArticleLookup got = LookupArticleAccount(address);

  EXPECT_EQ(got.account, FullPageAccount(address));
  EXPECT_EQ(got.outcome, Copy("qingliu_zahuo"));
  // One exchange, a plain GET of the address as given.
  ASSERT_EQ(server_.RequestCount(), 1u);
  const auto request = server_.Requests().front();
  EXPECT_EQ(request.method, "GET");
  EXPECT_EQ(request.target, "/s/Qx7fLmN2pA9sRt");
  EXPECT_EQ(request.Header("Host"), "mp.weixin.qq.com");
}

// Each row is the small article page with a few edits.
TEST_F(ArticleLookupTest, PagesMissingOrAlteringAMarker) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> edits;  // UTF-8, all occurrences
    std::function<void(ArticleAccount&)> change;             // from the full page's fields
    std::function<LookupOutcome(const ArticleAccount&)> outcome;
  };
  const auto copiesNumber = [](const ArticleAccount& a) { return Copy(a.wechatNumber); };
  const auto copiesId = [](const ArticleAccount& a) { return Copy(a.originalId); };
  const auto notice = [](const ArticleAccount&) { return Notice(); };
  const Case cases[] = {
      {"all markers", {}, [](ArticleAccount&) {}, copiesNumber},
      {"no profile_meta_label: the original ID is copied",
       {{"profile_meta_label", "profile_meta_title"}},
       [](ArticleAccount& a) { a.wechatNumber.clear(); },
       copiesId},
      {"no user_name: the notice, though other fields are filled",
       {{"user_name", "author_key"}},
       [](ArticleAccount& a) { a.originalId.clear(); },
       notice},
      {"markers in other letter case are not found",
       {{"user_name", "User_Name"}, {"og:title", "OG:Title"},
        {"profile_nickname", "Profile_Nickname"}},
       [](ArticleAccount& a) {
         a.originalId.clear();
         a.title.clear();
         a.nickname.clear();
       },
       notice},
      {"an earlier stray user_name wins",
       {{"  var page_begintime = (+new Date());",
         "  var page_begintime = (+new Date());\n"
         "  var report_keys = {user_name: \"reader_demo\"};"}},
       [](ArticleAccount& a) { a.originalId = "reader_demo"; },
       copiesNumber},
      {"an earlier user_name without a quoted value leaves the ID empty",
       {{"  var page_begintime = (+new Date());",
         "  var page_begintime = (+new Date());\n  var report_fields = 'user_name,scene';"}},
       [](ArticleAccount& a) { a.originalId.clear(); },
       notice},
      {"left marker without a right marker after it",
       {{"msg_cdn_url", "msg_cover_url"}},
       [](ArticleAccount& a) { a.summary.clear(); },
       copiesNumber},
      {"a WeChat number of blanks still counts as filled",
       {{"qingliu_zahuo", "  "}},
       [](ArticleAccount& a) { a.wechatNumber = "  "; },
       copiesNumber},
      {"no publish-time stamp: the script branch reads the empty text as 0",
       {{"n=\"1587450600\",", "n=1587450600,"}},
       [](ArticleAccount& a) { a.publishTime = "1970-1-1 08:00:00"; },
       copiesNumber},
      {"a 13-digit stamp is milliseconds",
       {{"n=\"1587450600\",", "n=\"1587450600000\","}},
       [](ArticleAccount& a) { a.publishTime = "2020-4-21 14:30:00"; },
       copiesNumber},
  };
  const std::string base = ReadLookupFixture("article_page.html");
  ASSERT_FALSE(base.empty());
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string page = base;
    for (const auto& [from, to] : c.edits) {
      ASSERT_NE(page.find(from), std::string::npos) << from;
      page = ReplaceAll(std::move(page), from, to);
    }
    const std::string path = "/s/variant" + std::to_string(++row);
    server_.RoutePath(path, Response::Html(page));
    const std::string address = kArticleHost + path;

    ArticleAccount want = FullPageAccount(address);
    c.change(want);
    const ArticleLookup got = LookupArticleAccount(address);
    EXPECT_EQ(got.account, want);
    EXPECT_EQ(got.outcome, c.outcome(want));
  }
}

TEST_F(ArticleLookupTest, FailedFetchGivesEmptyFieldsAndTheNotice) {
  server_.RoutePath("/s/closed", Response::Raw(""));
  struct Case {
    const char* name;
    std::string address;
  };
  const Case cases[] = {
      {"empty address", ""},
      {"server closes without an answer", std::string(kArticleHost) + "/s/closed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ArticleLookup got = LookupArticleAccount(c.address);
    // The publish time is the script branch's reading of the empty stamp.
    ArticleAccount want;
    want.publishTime = "1970-1-1 08:00:00";
    want.link = c.address;
    EXPECT_EQ(got.account, want);
    EXPECT_EQ(got.outcome, Notice());
  }
}

}  // namespace
}  // namespace gavrel
