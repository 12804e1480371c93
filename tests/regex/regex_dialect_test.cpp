// The pattern dialect: ECMAScript's \s over Unicode spaces with an ASCII \w,
// ranges by character code, escapes, and the empty-class forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regex/regex.h"
#include "text/codepage.h"

namespace gavrel {
namespace {

std::vector<std::string> AllMatches(const RegexObject& re) {
  std::vector<std::string> out;
  for (int i = 1; i <= re.MatchCount(); ++i) out.push_back(TextToUtf8(re.MatchText(i)));
  return out;
}

// Each character against every spelling of \s and \S, alone and in classes.
TEST(RegexDialectTest, WhiteSpaceIsEcmaScriptWhiteSpace) {
  struct Char {
    const char* name;
    const char* utf8;
    bool space;
  };
  const Char chars[] = {
      {"tab", "\t", true},
      {"line feed", "\n", true},
      {"vertical tab", "\v", true},
      {"form feed", "\f", true},
      {"carriage return", "\r", true},
      {"space", " ", true},
      {"no-break space", "\u00A0", true},
      {"ogham space mark", "\u1680", true},
      {"en quad", "\u2000", true},
      {"hair space", "\u200A", true},
      {"line separator", "\u2028", true},
      {"paragraph separator", "\u2029", true},
      {"narrow no-break space", "\u202F", true},
      {"medium mathematical space", "\u205F", true},
      {"full-width space", "\u3000", true},
      {"byte order mark", "\uFEFF", true},
      {"zero-width space", "\u200B", false},
      {"next line", "\u0085", false},
      {"letter", "a", false},
      {"hyphen", "-", false},
      {"Chinese character", "中", false},
      {"Chinese full stop", "。", false},
      {"emoji", "😀", false},
  };
  struct Form {
    const char* pattern;
    bool matchesSpace;
  };
  const Form forms[] = {
      {"\\s", true},    {"\\S", false},    {"[\\s]", true},   {"[^\\s]", false},
      {"[\\S]", false}, {"[^\\S]", true},  {"[x\\s]", true},  {"[\\sx]", true},
      {"[x\\S]", false}, {"[^x\\s]", false},
  };
  for (const auto& ch : chars) {
    for (const auto& form : forms) {
      SCOPED_TRACE(std::string(ch.name) + " against " + form.pattern);
      RegexObject re;
      ASSERT_TRUE(re.Create(Utf8ToText(form.pattern), Utf8ToText(ch.utf8)));
      EXPECT_EQ(re.MatchCount(), ch.space == form.matchesSpace ? 1 : 0);
    }
  }
}

TEST(RegexDialectTest, Syntax) {
  struct Case {
    const char* name;
    const char* pattern;
    const char* subject;  // UTF-8
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"\\w is ASCII only", "\\w+", "a_1中é", {"a_1"}},
      {"\\W takes a Chinese character", "\\W", "中", {"中"}},
      {"\\d is ASCII only", "\\d", "\u0661\uFF11", {}},
      {"\\b by ASCII words", "\\bx\\b", "中x中 axb", {"x"}},
      {"A-z by character code", "[A-z]", "@[\\]^_`{", {"[", "\\", "]", "^", "_", "`"}},
      {"range of Chinese characters", "[\\u4E00-\\u9FFF]+", "ab中文cd", {"中文"}},
      {"\\uHHHH", "\\u4E2D", "中", {"中"}},
      {"\\xHH", "\\x41\\x7e", "A~", {"A~"}},
      {"\\u without four digits is u", "\\u41", "u41", {"u41"}},
      {"meaningless escape is the character", "\\q\\y", "qy", {"qy"}},
      {"\\Q and \\E are letters", "\\Q.\\E", "QxE", {"QxE"}},
      {"escaped \\s is not white space", "\\\\s", "\\s", {"\\s"}},
      {"[] never matches", "a[]", "a", {}},
      {"[^] takes a line break", "a[^]b", "a\nb", {"a\nb"}},
      {"hyphen after \\s in a class is literal", "[\\s-x]", "-m x", {"-", " ", "x"}},
      {"POSIX item copied as it stands", "[[:digit:]\\s]+", "1 2a", {"1 2"}},
      {"reference to a group that took no part", "(?:(a)|b)\\1c", "bc", {"bc"}},
      {"lone brace is literal", "a{", "a{", {"a{"}},
      {"counted repeat", "\\d{2,3}", "1 12 1234", {"12", "123"}},
      {"case ignored beyond ASCII", "é", "É", {"É"}},
      {"dot takes an emoji as one character", "^.$", "😀", {"😀"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegexObject re;
    ASSERT_TRUE(re.Create(Utf8ToText(c.pattern), Utf8ToText(c.subject)));
    EXPECT_EQ(AllMatches(re), c.want);
  }
}

TEST(RegexDialectTest, PcreOnlyStartOptionsCannotWidenTheDialect) {
  RegexObject re;
  EXPECT_FALSE(re.Create("(*UCP)\\w", "中"));
}

}  // namespace
}  // namespace gavrel
