// Long subjects and run-away patterns: a 10 MB match, many matches over a
// long text, and patterns with exponential backtracking all end promptly
// without a crash.
#include <gtest/gtest.h>

#include <string>

#include "regex/regex.h"
#include "text/codepage.h"

namespace gavrel {
namespace {

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

Text Repeat(std::string_view piece, std::size_t bytes) {
  Text out;
  out.reserve(bytes + piece.size());
  while (out.size() < bytes) out += piece;
  return out;
}

// A text pasted into the short-link tool with one address of 10 MB, made of
// ASCII and double-byte characters.
TEST(RegexLimitsTest, TenMegabyteMatch) {
  const Text address = "http://a.cn/" + Repeat(Utf8ToText("x中y文"), kTenMegabytes);
  const Text subject = Utf8ToText("见 ") + address + "\r\nhttp://b.cn";
  RegexObject re;
  ASSERT_TRUE(re.Create("[a-zA-z]+://[^\\s]*", subject, false, true, true));
  ASSERT_EQ(re.MatchCount(), 2);
  int position = -1;
  const Text first = re.MatchText(1, &position);
  EXPECT_EQ(first.size(), address.size());
  EXPECT_TRUE(first == address);  // not EXPECT_EQ: no 10 MB failure message
  EXPECT_EQ(position, 3);
  EXPECT_EQ(re.MatchText(2, &position), "http://b.cn");
  EXPECT_EQ(position, static_cast<int>(subject.size() - 11));
}

// Many matches over a long subject, each asked for with its position: stays
// linear in the subject (a fault here shows as the test timing out).
TEST(RegexLimitsTest, ManyMatchesOverALongSubject) {
  const std::size_t count = 200'000;
  const Text unit = Utf8ToText("中a ");  // four bytes, three characters
  const Text subject = Repeat(unit, count * unit.size());
  RegexObject re;
  ASSERT_TRUE(re.Create("\\S+", subject));
  ASSERT_EQ(re.MatchCount(), static_cast<int>(count));
  for (int i = 1; i <= re.MatchCount(); ++i) {
    int position = -1;
    const Text text = re.MatchText(i, &position);
    if (text != Utf8ToText("中a") || position != (i - 1) * 4) {
      FAIL() << "match " << i << " at " << position;
    }
  }
  EXPECT_EQ(re.ReplaceMatches("$&").size(), subject.size());
}

// Exponential backtracking stops at the engine's limits: Create still
// succeeds, and no match is reported for the search that was cut short.
TEST(RegexLimitsTest, RunAwayPatternsStop) {
  const Text as = Text(30, 'a') + "b";
  struct Case {
    const char* name;
    const char* pattern;
    Text subject;
  };
  const Case cases[] = {
      {"nested plus", "(a+)+$", as},
      {"alternation of overlapping parts", "(a|aa)+$", as},
      {"nested star", "(a*)*$", as},
      {"words and optional spaces", "^(\\w+\\s?)+$", Text(40, 'w') + "!"},
      {"a group repeated over 10 MB", "(a|b)*$", Text(kTenMegabytes, 'a') + "!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegexObject re;
    ASSERT_TRUE(re.Create(c.pattern, c.subject));
    EXPECT_EQ(re.MatchCount(), 0);
  }
}

TEST(RegexLimitsTest, MatchesBeforeALimitAreKept) {
  RegexObject re;
  ASSERT_TRUE(re.Create("\\d|(a+)+$", "1 " + Text(30, 'a') + "b"));
  ASSERT_EQ(re.MatchCount(), 1);
  EXPECT_EQ(re.MatchText(1), "1");
}

}  // namespace
}  // namespace gavrel
