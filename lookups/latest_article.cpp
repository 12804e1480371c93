// lookups/latest_article.cpp
//
// SearchLatestArticle: an account search on Sogou's WeChat search, then one
// fetch of the latest article it links to. Every field is cut by markers
// searched from the first byte, case-sensitive; the clean-up replacements
// ignore letter case.
#include <optional>
#include <string_view>

#include "http/http.h"
#include "lookups/lookups.h"
#include "lookups/marker_text.h"
#include "text/codepage.h"
#include "text/escape.h"
#include "text/markers.h"

namespace gavrel {
namespace {

constexpr std::string_view kQueryBox = "编辑框2_查询最新文章";
constexpr std::string_view kNicknameBox = "编辑框2_微信昵称";
constexpr std::string_view kWechatNumberBox = "编辑框2_微信号";
constexpr std::string_view kLatestLinkBox = "编辑框2_最新文章";
constexpr std::string_view kOriginalIdBox = "编辑框2_原始ID";
constexpr std::string_view kTitleBox = "编辑框2_图文标题";
constexpr std::string_view kSummaryBox = "编辑框2_图文简介";

constexpr std::string_view kSearchPrefix =
    "http://weixin.sogou.com/weixin?type=1&s_from=input&query=";
constexpr std::string_view kSearchSuffix = "&ie=utf8&_sug_=y&_sug_type_=";

// The first account's nickname: its anchor, without the highlight tags the
// search puts around the query, then the text of the tag.
[[nodiscard]] Text NicknameFrom(std::string_view searchPage) {
  const Text anchor = TextBetween(searchPage, "account_name_0", "a>");
  const Text plain = ReplaceBatch(anchor, std::nullopt, 1, false, "<em>", "",
                                  "<!--red_beg-->", "", "<!--red_end-->", "", "</em>", "");
  return TextBetween(plain, Marker("\">"), "</");
}

// The first latest-article link in the page, with its HTML-escaped
// ampersands turned back into "&".
[[nodiscard]] Text LatestLinkFrom(std::string_view searchPage) {
  const Text href = CutTwice(searchPage, Utf8ToText(u8"最近文章"), "</a>", Marker("href=\""),
                             Marker("\">"));
  return ReplaceBatch(href, std::nullopt, 1, false, "&amp;", "&");
}

}  // namespace

void SearchLatestArticle(Controls& ui) {
  // The hint state is not looked at: a box still showing its hint searches
  // for the hint text.
  const Text query = TrimBlanks(ui.GetControlText(kQueryBox));
  ui.SetControlText(kQueryBox, query);

  Text address(kSearchPrefix);
  address += ScriptEscape(query);
  address += kSearchSuffix;
  const Text searchPage = WebVisit(address);

  const Text quote = Marker("\"");
  ui.SetControlText(kNicknameBox, NicknameFrom(searchPage));
  ui.SetControlText(kWechatNumberBox,
                    TextBetween(searchPage, Marker("weixinhao\">"), "</label>"));
  ui.SetControlText(kLatestLinkBox, LatestLinkFrom(searchPage));

  // The article is fetched at the link as the box now holds it.
  const Text article = WebVisit(ui.GetControlText(kLatestLinkBox));
  ui.SetControlText(kOriginalIdBox, CutTwice(article, "user_name", "user_name_new", quote, quote));
  ui.SetControlText(kTitleBox, CutTwice(article, "msg_title", ";", quote, quote));
  ui.SetControlText(kSummaryBox, CutTwice(article, "msg_desc", ";", quote, quote));

  if (!ui.GetControlText(kNicknameBox).empty()) {
    ui.SetClipboardText(ui.GetControlText(kLatestLinkBox));
  } else {
    ui.ShowTimedNotice(Utf8ToText(u8"未找到公众号，请在微信手动查询"));
  }
}

}  // namespace gavrel
