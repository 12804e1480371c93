// lookups/article_lookup.cpp
//
// LookupArticleAccount: one fetch of an article page and ten marker cuts,
// each searching from the first byte, case-sensitive and byte-exact.
#include <string_view>

#include "http/http.h"
#include "lookups/lookups.h"
#include "lookups/marker_text.h"
#include "text/codepage.h"
#include "text/markers.h"

namespace gavrel {

ArticleLookup LookupArticleAccount(std::string_view address) {
  const Text page = WebVisit(address);
  const Text quote = Marker("\"");

  ArticleLookup result;
  ArticleAccount& account = result.account;
  account.originalId = CutTwice(page, "user_name", ";", quote, quote);
  account.wechatNumber = CutTwice(page, "profile_meta_label", "span>",
                                  Marker("profile_meta_value\">"), "</");
  account.nickname = TextBetween(page, Marker("profile_nickname\">"), "</strong>");
  account.title = CutTwice(page, "og:title", "/>", Marker("content=\""), quote);
  account.summary = CutTwice(page, "msg_desc", "msg_cdn_url", quote, quote);
  account.publishTime =
      TimestampToText(TextBetween(page, Marker("\",n=\""), Marker("\",s=\"")));
  account.link = Text(address);

  if (account.originalId.empty()) {
    result.outcome = {OutcomeKind::ShowNotice,
                      Utf8ToText(u8"未获得原始ID，请确认微信链接是否正确")};
  } else {
    result.outcome = {OutcomeKind::CopyToClipboard,
                      account.wechatNumber.empty() ? account.originalId : account.wechatNumber};
  }
  return result;
}

}  // namespace gavrel
