// lookups/lookups.h
//
// The three tools: the account behind an article link, the latest article of
// an account, and short links turned into permanent links. They fetch pages
// with WebVisit and cut fields out with the marker helpers; they never see a
// widget. The latter two are click handlers that work through Controls.
// Example: LookupArticleAccount(address).outcome.kind == OutcomeKind::ShowNotice
#pragma once

#include <string_view>

#include "lookups/controls.h"
#include "text/types.h"

namespace gavrel {

// Result of the article-link lookup, in the order the fields are worked out
// and written into their boxes. Every field is empty when not found.
struct ArticleAccount {
  Text originalId;
  Text wechatNumber;
  Text nickname;
  Text title;
  Text summary;
  Text publishTime;
  Text link;
  friend bool operator==(const ArticleAccount&, const ArticleAccount&) = default;
};

enum class OutcomeKind { CopyToClipboard, ShowNotice };

// What the user gets at the end: a text on the clipboard, or a notice.
struct LookupOutcome {
  OutcomeKind kind = OutcomeKind::ShowNotice;
  Text text;
  friend bool operator==(const LookupOutcome&, const LookupOutcome&) = default;
};

struct ArticleLookup {
  ArticleAccount account;
  LookupOutcome outcome;
};

// Fetches the article page once and cuts out the account and article fields.
// Never fails: problems show as empty fields, and an empty original ID gives
// the notice outcome.
[[nodiscard]] ArticleLookup LookupArticleAccount(std::string_view address);

// The publish-time stamp of a page as a date text; empty when no date can be
// made of it.
[[nodiscard]] Text TimestampToText(std::string_view stamp);

// Click handler of 按钮_提取最新文章.
void SearchLatestArticle(Controls& ui);
// Click handler of 按钮_短链接转长连接.
void ResolveShortLinks(Controls& ui);

}  // namespace gavrel
