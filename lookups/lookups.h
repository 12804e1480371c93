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

// Fetches the article page once (a GET of address exactly as given; the
// caller trims it) and cuts out the account and article fields, each from the
// first occurrence of its markers, case-sensitive. Never fails: a page that
// cannot be fetched or lacks a marker gives empty fields (the publish time
// then reads the empty stamp, 1970-01-01 00:00 UTC in the machine's zone),
// and an empty original ID gives the notice
// "未获得原始ID，请确认微信链接是否正确". Otherwise the outcome copies the
// WeChat number, or the original ID when there is none. Touches no control.
[[nodiscard]] ArticleLookup LookupArticleAccount(std::string_view address);

// The publish-time stamp of a page as a date text; empty when no date can be
// made of it.
//  - exactly 10 bytes: a whole number of seconds (digits with an optional
//    sign; anything else gives the empty text) shown in China time, UTC+8,
//    whatever the machine's zone, as "yyyy-MM-dd  HH:mm:ss" with two blanks;
//    "hh" (01-12, no AM/PM) when the user's locale has a 12-hour clock:
//    "1587450600" -> "2020-04-21  14:30:00" or "2020-04-21  02:30:00".
//  - any other length: milliseconds read as a script engine reads a string
//    given to Date.setTime (see lookups/script_number.h: the empty text is 0,
//    hex and exponents are read, anything else is NaN), shown in the
//    machine's zone (TZ honoured) as "year-month-day HH:mm:ss" without
//    leading zeros in month and day: "1587450600000" -> "2020-4-21 14:30:00"
//    under UTC+8. NaN and times beyond 8.64e15 ms give the empty text.
// The stamp is only ever parsed as a number, never run as script.
[[nodiscard]] Text TimestampToText(std::string_view stamp);

// Click handler of 按钮_提取最新文章: the query of 编辑框2_查询最新文章
// trimmed and written back (a box still showing its hint searches for the
// hint), an account search on http://weixin.sogou.com, then a fetch of the
// latest-article link as 编辑框2_最新文章 holds it. Writes the six result
// boxes in the order nickname, WeChat number, link, original ID, title,
// summary; then copies the link (an empty one too) when a nickname was found,
// else shows "未找到公众号，请在微信手动查询" and leaves the clipboard alone.
void SearchLatestArticle(Controls& ui);
// Click handler of 按钮_短链接转长连接: empties 编辑框_长链接结果, fetches every
// address in 编辑框_短链接输入 in order (a scheme of letters, "://", then up to
// the next white space; the same address twice is fetched twice) and appends
// one line per address, ended by CR LF: the page's permanent link, or an
// empty line when the page gives none. Then copies the list (empty text when
// there was no address) and empties the input box. Shows no notice.
void ResolveShortLinks(Controls& ui);

}  // namespace gavrel
