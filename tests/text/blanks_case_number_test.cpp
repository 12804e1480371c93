// Blanks (TrimBothEnds, RemoveSpaces against TrimBlanks), letter case
// (UpperCase, CompareText) and TextToInt with full-width forms.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "text/text.h"

namespace gavrel {
namespace {

const std::string kFullWidthSpace = "\xA1\xA1";

struct TrimCase {
  const char* name;
  std::string text;
  std::string bothEnds;  // TrimBothEnds
  std::string blanks;    // TrimBlanks
};

TEST(Trimming, TrimBothEndsAgainstTrimBlanks) {
  const TrimCase cases[] = {
      {"ascii spaces", "  a b  ", "a b", "a b"},
      {"leading full-width space", kFullWidthSpace + "a", "a", kFullWidthSpace + "a"},
      {"trailing full-width space", "a" + kFullWidthSpace, "a", "a" + kFullWidthSpace},
      {"full-width then ascii", " " + kFullWidthSpace + " a", "a", kFullWidthSpace + " a"},
      {"leading tab kept", "\ta ", "\ta", "\ta"},
      {"line breaks kept", "\r\na\r\n", "\r\na\r\n", "\r\na\r\n"},
      {"only blanks", " " + kFullWidthSpace + " ", "", kFullWidthSpace},
      {"only ascii spaces", "   ", "", ""},
      {"empty", "", "", ""},
      {"inner blanks kept", " a" + kFullWidthSpace + "b ", "a" + kFullWidthSpace + "b",
       "a" + kFullWidthSpace + "b"},
      // B0 A1 is one character; the A1 after it starts no full-width space.
      {"A1 A1 across characters", "\xB0\xA1\xA1", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
      {"lone lead byte at the end", "a \xA1", "a \xA1", "a \xA1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TrimBothEnds(c.text), c.bothEnds);
    EXPECT_EQ(TrimBlanks(c.text), c.blanks);
  }
}

TEST(Trimming, RemoveSpacesDropsEveryBlank) {
  EXPECT_EQ(RemoveSpaces(" a " + kFullWidthSpace + "b\tc "), "ab\tc");
  EXPECT_EQ(RemoveSpaces("\xB0\xA1\xA1\xA1"), "\xB0\xA1");  // B0 A1, then A1 A1
  EXPECT_EQ(RemoveSpaces("\xB0 "), "\xB0 ");                // B0 20 is one character
  EXPECT_EQ(RemoveSpaces(""), "");
}

TEST(LetterCase, UpperCaseOnlySingleByteLetters) {
  EXPECT_EQ(UpperCase("abc-XYZ-09"), "ABC-XYZ-09");
  EXPECT_EQ(UpperCase("\xB0\x61" "a"), "\xB0\x61" "A");  // the pair B0 61 is kept
  EXPECT_EQ(UpperCase("a\xB0"), "A\xB0");
  EXPECT_EQ(UpperCase(""), "");
}

TEST(LetterCase, CompareTextSwitchRunsOppositeToSearches) {
  struct Case {
    const char* name;
    std::string a, b;
    bool caseSensitive;
    int sign;  // -1, 0 or 1
  };
  const Case cases[] = {
      {"equal", "abc", "abc", true, 0},
      {"case differs, exact", "abc", "ABC", true, 1},
      {"case differs, folded", "abc", "ABC", false, 0},
      {"byte order", "abc", "abd", true, -1},
      {"prefix sorts first", "ab", "abc", true, -1},
      {"longer sorts last", "abc", "ab", false, 1},
      {"high bytes sort after ascii", "\xB0\x41", "z", true, 1},
      {"both empty", "", "", false, 0},
      {"empty against text", "", "a", false, -1},
      {"at sign is not a letter", "@", "`", false, -1},
      {"second byte of a pair is not folded", "\xB0\x41", "\xB0\x61", false, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int got = CompareText(c.a, c.b, c.caseSensitive);
    EXPECT_EQ((got > 0) - (got < 0), c.sign);
  }
}

TEST(TextToInt, FullWidthFormsAndClamping) {
  struct Case {
    const char* name;
    std::string text;
    std::int32_t want;
  };
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  const Case cases[] = {
      {"full-width one two", "\xA3\xB1\xA3\xB2", 12},
      {"digits then letters", "12ab", 12},
      {"empty", "", 0},
      {"no digits", "abc", 0},
      {"negative", "-42", -42},
      {"plus sign", "+7", 7},
      {"full-width minus", "\xA3\xAD\xA3\xB5", -5},
      {"full-width space skipped", "\xA1\xA1" "8", 8},
      {"leading white space", " \t\r\n9", 9},
      {"sign then space", "- 5", 0},
      {"mixed widths", "1\xA3\xB2" "3", 123},
      {"stops at a full-width letter", "4\xA3\xE1", 4},
      {"largest", "2147483647", kMax},
      {"smallest", "-2147483648", kMin},
      {"beyond 32 bits clamps", "99999999999999999999", kMax},
      {"below 32 bits clamps", "-99999999999999999999", kMin},
      {"just beyond", "2147483648", kMax},
      {"leading zeros", "000000000000000000012", 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextToInt(c.text), c.want);
  }
}

}  // namespace
}  // namespace gavrel
