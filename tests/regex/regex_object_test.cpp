// RegexObject: the two patterns the program uses, match and group access,
// positions, replacement, failure and object lifetime.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "regex/regex.h"
#include "text/codepage.h"
#include "text/markers.h"

namespace gavrel {
namespace {

constexpr const char* kMetaPattern = "<meta.+?charset=[^\\w]?([-\\w]+)";
constexpr const char* kAddressPattern = "[a-zA-z]+://[^\\s]*";

// Every match text of the last Create, as UTF-8 for readable failures.
std::vector<std::string> AllMatches(const RegexObject& re) {
  std::vector<std::string> out;
  for (int i = 1; i <= re.MatchCount(); ++i) out.push_back(TextToUtf8(re.MatchText(i)));
  return out;
}

TEST(RegexObjectTest, MetaCharsetPattern) {
  struct Case {
    const char* name;
    const char* head;  // UTF-8
    const char* want;  // sub-match 1; empty when there is no match
  };
  const Case cases[] = {
      {"quoted utf-8", "<head><meta charset=\"utf-8\"></head>", "utf-8"},
      {"unquoted gbk", "<meta http-equiv=Content-Type content=text/html;charset=gbk>", "gbk"},
      {"capitals match, capture keeps case", "<META CHARSET=GBK>", "GBK"},
      {"single quote", "<meta charset='gb2312'>", "gb2312"},
      {"content attribute",
       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />", "UTF-8"},
      {"shortest run to the first charset=", "<meta charset=big5><meta charset=utf-8>", "big5"},
      {"Chinese text inside the tag", "<meta name=\"标题\" charset=\"utf-8\">", "utf-8"},
      {"charset= on the next line",
       "<meta http-equiv=\"Content-Type\"\ncontent=\"text/html; charset=utf-8\">", ""},
      {"charset= after a CR line break", "<meta\rcharset=utf-8>", ""},
      {"charset= after CRLF, later tag on one line", "<meta\r\ncharset=x>\n<meta charset=euc-jp>",
       "euc-jp"},
      {"needs a character between", "<metacharset=utf-8>", ""},
      {"no meta", "<html><head><title>charset=utf-8</title>", ""},
      {"two characters between charset= and the name", "<meta charset= \"utf-8\">", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegexObject re;
    ASSERT_TRUE(re.Create(kMetaPattern, Utf8ToText(c.head)));
    EXPECT_EQ(TextToUtf8(re.SubMatchText(1, 1)), c.want);
    EXPECT_EQ(re.SubMatchCount(), *c.want ? 1 : 0);
  }
}

TEST(RegexObjectTest, AddressPattern) {
  struct Case {
    const char* name;
    const char* text;  // UTF-8
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"two addresses on one line", "http://a.cn/s/1 https://b.cn/s/2",
       {"http://a.cn/s/1", "https://b.cn/s/2"}},
      {"same address twice", "http://a/x http://a/x", {"http://a/x", "http://a/x"}},
      {"glued Chinese full stop belongs to the address", "看http://a.cn/s/1。谢谢",
       {"http://a.cn/s/1。谢谢"}},
      {"closing bracket and quote belong to it", "(http://a/b) \"http://c/d\"",
       {"http://a/b)", "http://c/d\""}},
      {"line breaks end it", "http://a/1\nhttp://a/2\r\nhttp://a/3\r",
       {"http://a/1", "http://a/2", "http://a/3"}},
      {"tab ends it", "http://a/1\thttp://a/2", {"http://a/1", "http://a/2"}},
      {"full-width space ends it", "http://a/1\u3000下一行", {"http://a/1"}},
      {"no-break space ends it", "http://a/1\u00A0x", {"http://a/1"}},
      {"scheme in any case", "HTTPS://A/1 HtTp://b", {"HTTPS://A/1", "HtTp://b"}},
      {"A-z admits [ \\ ] ^ _ `", "[\\]^_`://x", {"[\\]^_`://x"}},
      {"scheme starts after a digit", "1http://x h2://y", {"http://x"}},
      {"scheme stops at a Chinese character", "网址http://x", {"http://x"}},
      {"nothing after ://", "http:// next", {"http://"}},
      {"no scheme", "://x www.a.cn", {}},
      {"empty text", "", {}},
      {"letters glued before the scheme belong to it", "seehttp://x", {"seehttp://x"}},
      {"a run of letters without :// before one with it", "abc:/def ghi://j",
       {"ghi://j"}},
      {"glued to the end of an earlier address", "http://a/b://c http://d",
       {"http://a/b://c", "http://d"}},
  };
  // The short-link tool puts a lookbehind in front, which must find the same
  // matches (it only spares rescanning a run of letters from each letter).
  for (const char* pattern : {kAddressPattern, "(?<![a-zA-z])[a-zA-z]+://[^\\s]*"}) {
    SCOPED_TRACE(pattern);
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      RegexObject re;
      ASSERT_TRUE(re.Create(pattern, Utf8ToText(c.text), false, true, true));
      EXPECT_EQ(AllMatches(re), c.want);
    }
  }
}

// A GBK character whose second byte is an ASCII letter: B0 41 is one
// character, so its "A" is no scheme letter. A search over the raw bytes
// would find "A://x".
TEST(RegexObjectTest, MatchesCharactersNotBytes) {
  RegexObject re;
  ASSERT_TRUE(re.Create(kAddressPattern, "\xB0\x41://x"));
  EXPECT_EQ(re.MatchCount(), 0);

  ASSERT_TRUE(re.Create("a.b", Utf8ToText("a中b a😀b")));
  EXPECT_EQ(AllMatches(re), (std::vector<std::string>{"a中b", "a😀b"}));
}

TEST(RegexObjectTest, NoMatchAndInvalidPattern) {
  RegexObject re;
  ASSERT_TRUE(re.Create("xyz", "abc"));
  EXPECT_EQ(re.MatchCount(), 0);
  EXPECT_EQ(re.SubMatchCount(), 0);
  EXPECT_EQ(re.GetPattern(), "xyz");
  EXPECT_EQ(re.ReplaceMatches("-"), "abc");

  for (const char* bad : {"(a", "a)", "[a", "a{2,1}", "*a", "a**", "\\"}) {
    SCOPED_TRACE(bad);
    RegexObject fresh;
    ASSERT_TRUE(fresh.Create("a", "a"));
    EXPECT_FALSE(fresh.Create(bad, "a (a a) [a"));
    // A failed Create leaves nothing of the earlier one behind.
    EXPECT_EQ(fresh.MatchCount(), 0);
    EXPECT_EQ(fresh.SubMatchCount(), 0);
    EXPECT_EQ(fresh.GetPattern(), "");
    EXPECT_EQ(fresh.MatchText(1), "");
    EXPECT_EQ(fresh.SubMatchText(1, 1), "");
    EXPECT_EQ(fresh.ReplaceMatches("x"), "");
  }
}

TEST(RegexObjectTest, IndexesOutOfRangeGiveEmptyText) {
  RegexObject re;
  ASSERT_TRUE(re.Create("(\\d)(x)?", "1 2"));
  ASSERT_EQ(re.MatchCount(), 2);
  ASSERT_EQ(re.SubMatchCount(), 2);
  struct Case {
    int i, j;
  };
  for (const Case c : {Case{0, 1}, Case{3, 1}, Case{-1, 1}, Case{1, 0}, Case{1, 3}, Case{1, -1},
                       Case{1, 2}}) {
    SCOPED_TRACE(testing::Message() << "i=" << c.i << " j=" << c.j);
    int position = 99;
    EXPECT_EQ(re.SubMatchText(c.i, c.j, &position), "");
    EXPECT_EQ(position, -2);
  }
  for (int i : {0, 3, -1}) {
    int position = 99;
    EXPECT_EQ(re.MatchText(i, &position), "");
    EXPECT_EQ(position, -2);
  }
  EXPECT_EQ(re.MatchText(2), "2");
  EXPECT_EQ(re.SubMatchText(2, 1), "2");
}

TEST(RegexObjectTest, GroupThatTookNoPartIsEmpty) {
  RegexObject re;
  ASSERT_TRUE(re.Create("(a)|(b)", "ba"));
  ASSERT_EQ(re.MatchCount(), 2);
  EXPECT_EQ(re.SubMatchCount(), 2);
  EXPECT_EQ(re.SubMatchText(1, 1), "");
  EXPECT_EQ(re.SubMatchText(1, 2), "b");
  EXPECT_EQ(re.SubMatchText(2, 1), "a");
  int position = 99;
  EXPECT_EQ(re.SubMatchText(2, 2, &position), "");
  EXPECT_EQ(position, -2);
  // An empty group that did take part is at its own place.
  ASSERT_TRUE(re.Create("a(x*)b", "zab"));
  EXPECT_EQ(re.SubMatchText(1, 1, &position), "");
  EXPECT_EQ(position, 2);
}

TEST(RegexObjectTest, Switches) {
  struct Case {
    const char* name;
    const char* pattern;
    const char* subject;
    bool caseSensitive, multiline, global;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"case ignored by default", "abc", "ABC aBc", false, true, true, {"ABC", "aBc"}},
      {"case sensitive", "abc", "ABC abc", true, true, true, {"abc"}},
      {"class ignores case too", "[a-c]+", "xAbCx", false, true, true, {"AbC"}},
      {"not global: first match only", "\\d+", "12 34", false, true, false, {"12"}},
      {"multiline ^", "^\\w+", "ab\ncd\r\nef\rgh", false, true, true, {"ab", "cd", "ef", "gh"}},
      {"multiline $", "\\w+$", "ab\ncd\r\nef", false, true, true, {"ab", "cd", "ef"}},
      {"without multiline ^ is the start", "^\\w+", "ab\ncd", false, false, true, {"ab"}},
      {"without multiline $ is the very end", "\\w$", "ab\n", false, false, true, {}},
      {"dot stops at a line feed", "a.b", "a\nb a\rb a b", false, true, true, {"a b"}},
      {"empty matches step one character", "x*", "ab", false, true, true, {"", "", ""}},
      {"empty match after a match", "a*", "baaac", false, true, true, {"", "aaa", "", ""}},
      {"empty matches around an emoji", "", "😀", false, true, true, {"", ""}},
      {"lazy plus", "<.+?>", "<a><b>", false, true, true, {"<a>", "<b>"}},
      {"greedy plus", "<.+>", "<a><b>", false, true, true, {"<a><b>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegexObject re;
    ASSERT_TRUE(re.Create(Utf8ToText(c.pattern), Utf8ToText(c.subject), c.caseSensitive,
                          c.multiline, c.global));
    EXPECT_EQ(AllMatches(re), c.want);
  }
}

TEST(RegexObjectTest, QuoteToken) {
  const Text pattern = "id=" + Text(kQuoteToken) + "(\\w+)" + Text(kQuoteToken);
  RegexObject re;
  ASSERT_TRUE(re.Create(pattern, "id=\"abc\"", false, true, true, true));
  EXPECT_EQ(re.GetPattern(), "id=\"(\\w+)\"");
  EXPECT_EQ(re.SubMatchText(1, 1), "abc");

  // Left out: the token is matched as it stands.
  ASSERT_TRUE(re.Create(pattern, "id=\"abc\" id=" + Text(kQuoteToken) + "x" + Text(kQuoteToken)));
  EXPECT_EQ(re.GetPattern(), pattern);
  EXPECT_EQ(re.SubMatchText(1, 1), "x");
}

// Positions are 0-based byte offsets in the subject. Double-byte characters
// before a match make them differ from the UTF-16 offsets; the same text
// earlier in the subject or in the match must not be reported instead.
TEST(RegexObjectTest, Positions) {
  struct Case {
    const char* name;
    const char* pattern;
    const char* subject;  // UTF-8
    std::vector<int> matchPositions;
    std::vector<int> groupPositions;  // of group 1, per match
  };
  const Case cases[] = {
      {"ASCII", "b", "abab", {1, 3}, {}},
      {"after double-byte text", "x", "中文x x", {4, 6}, {}},
      {"same text earlier in the subject", "ab", "ab中文ab", {0, 6}, {}},
      {"after an emoji (four bytes)", "x", "😀x", {4}, {}},
      {"group away from the match start", "a\\w(a)", "中aba", {2}, {4}},
      {"group text also at the match start", "\\d(\\d)", "中11 文33", {2, 7}, {3, 8}},
      {"group after a Chinese character in the match", "中(\\w)", "x中a中b", {1, 4}, {3, 6}},
      {"empty match at the end", "$", "中", {2}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegexObject re;
    ASSERT_TRUE(re.Create(Utf8ToText(c.pattern), Utf8ToText(c.subject)));
    ASSERT_EQ(re.MatchCount(), static_cast<int>(c.matchPositions.size()));
    for (int i = 1; i <= re.MatchCount(); ++i) {
      int position = -99;
      const Text text = re.MatchText(i, &position);
      EXPECT_EQ(position, c.matchPositions[i - 1]) << "match " << i;
      // The offset points at the match's own bytes.
      EXPECT_EQ(Utf8ToText(c.subject).substr(static_cast<std::size_t>(position), text.size()),
                text);
      if (!c.groupPositions.empty()) {
        const Text group = re.SubMatchText(i, 1, &position);
        EXPECT_EQ(position, c.groupPositions[i - 1]) << "group of match " << i;
        EXPECT_EQ(Utf8ToText(c.subject).substr(static_cast<std::size_t>(position), group.size()),
                  group);
      }
    }
  }
}

// Broken and unusual byte sequences before a match: the position still
// indexes the subject as the caller holds it.
TEST(RegexObjectTest, PositionsIndexTheSubjectAsGiven) {
  struct Case {
    const char* name;
    std::string subject;
    int want;
  };
  const Case cases[] = {
      {"lone byte 80 (euro sign)", "\x80x", 1},
      {"byte FF", "\xFFx", 1},
      {"lead byte before a space", "\x81 x", 2},
      {"lead byte, digit, ASCII", "\x81\x30x", 2},
      {"lead, digit, lead, space", "\x81\x30\x81 x", 4},
      {"four-byte character in the BMP", "\x81\x30\x81\x30x", 4},
      {"four-byte shape past the BMP range", "\x84\x31\xA5\x30x", 4},
      {"four-byte character beyond the BMP", "\x94\x39\xDA\x33x", 4},
      {"unassigned four-byte shape", "\x85\x30\x81\x30x", 4},
      {"mixed", "\xB0\xA1\x80\x94\x39\xDA\x33\xFF\x81\x30\x81\x30x", 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegexObject re;
    ASSERT_TRUE(re.Create("x", c.subject));
    ASSERT_EQ(re.MatchCount(), 1);
    int position = -99;
    EXPECT_EQ(re.MatchText(1, &position), "x");
    EXPECT_EQ(position, c.want);
  }
}

TEST(RegexObjectTest, PositionsAskedInAnyOrder) {
  RegexObject re;
  ASSERT_TRUE(re.Create("\\d", Utf8ToText("中1文2字3")));
  const int want[] = {2, 5, 8};
  for (int i : {3, 1, 2, 3, 1}) {
    int position = -99;
    (void)re.MatchText(i, &position);
    EXPECT_EQ(position, want[i - 1]) << "match " << i;
  }
}

TEST(RegexObjectTest, ReplaceMatches) {
  struct Case {
    const char* name;
    const char* pattern;
    bool global;
    const char* replacement;
    const char* want;  // over the subject "ab中cd ef"
  };
  const Case cases[] = {
      {"plain text", "[a-z]+", true, "_", "_中_ _"},
      {"first only when not global", "[a-z]+", false, "_", "_中cd ef"},
      {"groups swapped", "(\\w)(\\w)", true, "$2$1", "ba中dc fe"},
      {"whole match", "中", true, "[$&]", "ab[中]cd ef"},
      {"before and after", "中", true, "<$`|$'>", "ab<ab|cd ef>cd ef"},
      {"dollar sign", "中", true, "$$1", "ab$1cd ef"},
      {"group that does not exist", "(c)d", true, "$2$0$", "ab中$2$0$ ef"},
      {"two digits fall back to one", "(c)d", true, "$10", "ab中c0 ef"},
      {"two-digit group", "(a)(b)(中)(c)(d)()()()()( )", true, "$10$9$1", " aef"},
      {"group that took no part", "(x)?e", true, "[$1]", "ab中cd []f"},
      {"no match", "z", true, "_", "ab中cd ef"},
      {"empty matches", "", true, "-", "-a-b-中-c-d- -e-f-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegexObject re;
    ASSERT_TRUE(
        re.Create(Utf8ToText(c.pattern), Utf8ToText("ab中cd ef"), false, true, c.global));
    EXPECT_EQ(TextToUtf8(re.ReplaceMatches(Utf8ToText(c.replacement))), c.want);
  }
  RegexObject never;
  EXPECT_EQ(never.ReplaceMatches("x"), "");
}

TEST(RegexObjectTest, MovingHandsTheMatchesOver) {
  RegexObject a;
  ASSERT_TRUE(a.Create("\\d", Utf8ToText("中1 2")));
  RegexObject b(std::move(a));
  EXPECT_EQ(b.MatchCount(), 2);
  int position = 0;
  EXPECT_EQ(b.MatchText(2, &position), "2");
  EXPECT_EQ(position, 4);
  EXPECT_EQ(b.GetPattern(), "\\d");

  RegexObject c;
  ASSERT_TRUE(c.Create("x", "xx"));
  c = std::move(b);
  EXPECT_EQ(c.MatchText(1), "1");
  // A moved-from object answers as a fresh one and can be used again.
  EXPECT_EQ(a.MatchCount(), 0);   // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(a.GetPattern(), "");  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(a.MatchText(1), "");  // NOLINT(bugprone-use-after-move)
  ASSERT_TRUE(a.Create("y", "y"));
  EXPECT_EQ(a.MatchCount(), 1);
}

TEST(RegexObjectTest, FreshObjectAnswersEmpty) {
  const RegexObject re;
  EXPECT_EQ(re.GetPattern(), "");
  EXPECT_EQ(re.MatchCount(), 0);
  EXPECT_EQ(re.SubMatchCount(), 0);
  int position = 7;
  EXPECT_EQ(re.MatchText(1, &position), "");
  EXPECT_EQ(position, -2);
  EXPECT_EQ(re.SubMatchText(1, 1), "");
}

}  // namespace
}  // namespace gavrel
