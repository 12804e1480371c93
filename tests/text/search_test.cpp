// FindText and FindTextLast: where the walk starts, the -1 result, the
// character walk over double-byte characters, and the ignoreCase switch.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/text.h"

namespace gavrel {
namespace {

struct FindCase {
  const char* name;
  std::string text;
  std::string sub;
  Pos start;
  bool ignoreCase;
  Pos want;
};

TEST(FindText, PositionsAndNotFound) {
  const FindCase cases[] = {
      {"first occurrence", "abcabc", "c", 1, false, 3},
      {"from position 4", "abcabc", "c", 4, false, 6},
      {"start on the match", "abcabc", "c", 6, false, 6},
      {"start 0 means 1", "abc", "a", 0, false, 1},
      {"negative start means 1", "abc", "a", -5, false, 1},
      {"start beyond the end", "abc", "x", 9, false, -1},
      {"start just past the last byte", "abc", "c", 4, false, -1},
      {"absent", "abc", "x", 1, false, -1},
      {"must fit before the end", "abc", "cd", 1, false, -1},
      {"whole text", "abc", "abc", 1, false, 1},
      {"longer than the text", "ab", "abc", 1, false, -1},
      {"empty text", "", "a", 1, false, -1},
      {"empty sub from 3 gives 1", "abc", "", 3, false, 1},
      {"empty sub, start 0", "abc", "", 0, false, 1},
      {"empty sub past the end", "abc", "", 4, false, -1},
      {"empty sub in empty text", "", "", 1, false, -1},
      {"multi-byte marker", "x=\"1\" content=\"2\"", "content=\"", 1, false, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindText(c.text, c.sub, c.start, c.ignoreCase), c.want);
  }
}

TEST(FindText, IgnoreCaseFoldsAsciiLettersOnly) {
  const FindCase cases[] = {
      {"folded", "ABC", "b", 1, true, 2},
      {"exact", "ABC", "b", 1, false, -1},
      {"folded upper sub", "abc", "BC", 1, true, 2},
      {"mixed", "xHtTp://", "http", 1, true, 2},
      {"no letters in sub", "a1b1", "1", 1, true, 2},
      {"the at sign is not a letter", "@`", "`", 1, true, 2},
      {"brackets are not letters", "[{", "{", 1, true, 2},
      // Folding works byte by byte, also on the second byte of a pair:
      // B0 41 and B0 61 are the same character with ignoreCase.
      {"second byte folded", "\xB0\x61", "\xB0\x41", 1, true, 1},
      {"second byte exact", "\xB0\x61", "\xB0\x41", 1, false, -1},
      {"letter after the first byte", "aab", "AB", 1, true, 2},
      {"start skips a folded match", "Abab", "AB", 2, true, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindText(c.text, c.sub, c.start, c.ignoreCase), c.want);
  }
}

TEST(FindText, MatchesBeginOnlyAtCharacterStarts) {
  const FindCase cases[] = {
      // B0 41 is one character, so the first A is its second byte.
      {"second byte never starts a match", "\xB0\x41\x41", "A", 1, false, 3},
      {"same with ignoreCase", "\xB0\x41\x61", "A", 1, true, 3},
      {"whole pair matches", "a\xB0\x41", "\xB0\x41", 1, false, 2},
      {"pair boundary after a run", "\xB0\xB0\xB0\x41\x41", "A", 1, false, 5},
      {"run of three leads", "\xB0\xB0\xB0\x41", "\xB0\x41", 1, false, 3},
      {"run of four leads", "\xB0\xB0\xB0\xB0\x41", "\xB0\x41", 1, false, -1},
      {"pair of leads", "\xB0\xB0\xB0\x41", "\xB0\xB0", 1, false, 1},
      {"inside a pair, then the next start", "\xB0\xB0\xB0\xB0", "\xB0\xB0", 2, false, 2},
      // A start on the second byte makes that byte a character start.
      {"start on a second byte", "\xB0\x41\x41", "A", 2, false, 2},
      {"start on a second byte, shifted walk", "\xB0\xB0\x41", "\xB0\x41", 2, false, 2},
      {"same bytes walked from 1", "\xB0\xB0\x41", "\xB0\x41", 1, false, -1},
      {"lead byte at the very end", "ab\xB0", "\xB0", 1, false, 3},
      {"gbk text", "\xD6\xD0\xCE\xC4", "\xCE\xC4", 1, false, 3},
      {"gbk text, misaligned bytes", "\xD6\xD0\xCE\xC4", "\xD0\xCE", 1, false, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindText(c.text, c.sub, c.start, c.ignoreCase), c.want);
  }
}

struct FindLastCase {
  const char* name;
  std::string text;
  std::string sub;
  std::optional<Pos> limit;
  bool ignoreCase;
  Pos want;
};

TEST(FindTextLast, LimitAndWalk) {
  const FindLastCase cases[] = {
      {"last full stop", "a.b.c", ".", std::nullopt, false, 4},
      {"limit 4 stops before the second", "a.b.c", ".", 4, false, 2},
      {"limit 5 includes position 4", "a.b.c", ".", 5, false, 4},
      {"limit 1 searches nothing", "a.b.c", ".", 1, false, -1},
      {"limit 0", "a.b.c", ".", 0, false, -1},
      {"negative limit", "a.b.c", ".", -3, false, -1},
      {"limit far beyond the end", "a.b.c", ".", 99, false, 4},
      {"occurrence must end before limit", "abcabc", "bc", 6, false, 2},
      {"occurrence ending just before limit", "abcabc", "bc", 7, false, 5},
      {"absent", "abc", "x", std::nullopt, false, -1},
      {"empty sub", "abc", "", std::nullopt, false, 1},
      {"empty sub, limit 1", "abc", "", 1, false, -1},
      {"empty sub, empty text", "", "", std::nullopt, false, -1},
      {"overlapping occurrences", "aaaa", "aa", std::nullopt, false, 3},
      {"ignoreCase", "a/B/b", "b", std::nullopt, true, 5},
      {"exact", "a/b/B", "b", std::nullopt, false, 3},
      {"second byte never starts a match", "A\xB0\x41", "A", std::nullopt, false, 1},
      {"pair at the end", "\xB0\x41\xB0\x41", "\xB0\x41", std::nullopt, false, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindTextLast(c.text, c.sub, c.limit, c.ignoreCase), c.want);
  }
}

TEST(FindText, LongRunsOfDoubleByteText) {
  // A long run of double-byte characters in which the sub occurs only across
  // character boundaries, then once aligned: the walk must keep its parity.
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "\xB0\xA1";
  const std::string misaligned = "\xA1\xB0";
  EXPECT_EQ(FindText(text, misaligned), -1);
  EXPECT_EQ(FindTextLast(text, misaligned), -1);
  text += "x\xA1\xB0";
  EXPECT_EQ(FindText(text, misaligned), 10002);
  EXPECT_EQ(FindTextLast(text, misaligned), 10002);
  // A start on a second byte shifts the whole walk by one byte.
  EXPECT_EQ(FindText(text, "\xA1\xB0", 2), 2);
  EXPECT_EQ(FindText(text, "\xB0\xA1", 2), -1);
}

TEST(FindText, LongMisalignedNeedleStaysLinear) {
  // Every "A" is the second byte of B0 41, so every candidate of this needle
  // is false; a search that restarted its byte search per candidate would
  // spend needle-length work on each of a million candidates.
  std::string text;
  for (int i = 0; i < (1 << 20); ++i) text += "\xB0" "A";
  std::string needle = "A";
  for (int i = 0; i < 2000; ++i) needle += "\xB0" "A";
  EXPECT_EQ(FindText(text, needle), -1);
  EXPECT_EQ(FindText(text, needle, 1, true), -1);
  EXPECT_EQ(FindTextLast(text, needle), -1);
  EXPECT_EQ(ReplaceText(text, needle, "x"), text);
  EXPECT_EQ(FindText(text, needle, 2), 2);  // walked from the second byte, it matches
}

}  // namespace
}  // namespace gavrel
