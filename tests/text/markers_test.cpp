// The marker helpers: TextLeftOf, TextRightOfLast, TextBetween with the
// "#引号" token, and ReplaceBatch.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/text.h"

namespace gavrel {
namespace {

// The "#引号" token in GBK, spelled out so the test does not lean on the
// toolkit's own constant.
const std::string kQuote = "#\xD2\xFD\xBA\xC5";

TEST(TextBetween, MarkersAndStart) {
  struct Case {
    const char* name;
    std::string text, left, right;
    Pos start;
    bool ignoreCase;
    std::string want;
  };
  const Case cases[] = {
      {"simple", "a<b>c", "<", ">", 1, false, "b"},
      {"first left wins", "L1L2R", "L", "R", 1, false, "1L2"},
      {"markers touch", "<>", "<", ">", 1, false, ""},
      {"no left marker", "abc>", "<", ">", 1, false, ""},
      {"no right marker", "<abc", "<", ">", 1, false, ""},
      {"right only before left", ">a<b", "<", ">", 1, false, ""},
      {"right searched after left", "x>a<b>", "<", ">", 1, false, "b"},
      {"left marker ends the text", "ab<", "<", ">", 1, false, ""},
      {"empty right marker", "a<b>c", "<", "", 1, false, ""},
      {"empty left marker", "ab>c", "", ">", 1, false, "ab"},
      {"start skips the first left", "<1><2>", "<", ">", 2, false, "2"},
      {"start 0 behaves as 1", "<1>", "<", ">", 0, false, "1"},
      {"exact case by default", "<A>", "<a", ">", 1, false, ""},
      {"ignoreCase folds both markers", "<TITLE>x</TITLE>", "<title>", "</title>", 1, true,
       "x"},
      {"quote token", "k content=\"word\" z", "content=" + kQuote, kQuote, 1, false, "word"},
      {"token twice", "a=\"\"b\"\"", "=" + kQuote + kQuote, kQuote, 1, false, "b"},
      {"token is matched exactly", "x=#\xD2\xFD\xBA\xC5y", "=#\xD2\xFD\xBA\xC5", "y", 1,
       false, ""},
      {"gbk markers", "\xB1\xEA\xCC\xE2:\xD6\xD0;", "\xB1\xEA\xCC\xE2:", ";", 1, false,
       "\xD6\xD0"},
      {"left marker inside a pair is skipped", "\xB0<a><b>", "<", ">", 1, false, "b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start, c.ignoreCase), c.want);
  }
}

TEST(TextLeftOfAndRightOfLast, Examples) {
  EXPECT_EQ(TextRightOfLast("a/b/c", "/"), "c");
  EXPECT_EQ(TextLeftOf("a/b/c", "/"), "a");
  EXPECT_EQ(TextLeftOf("a/b/c", "/", 3), "a/b");  // always from the first byte
  EXPECT_EQ(TextLeftOf("a/b/c", "/", 0), "a");
  EXPECT_EQ(TextLeftOf("a/b/c", "/", -4), "a");
  EXPECT_EQ(TextLeftOf("a/b/c", "|"), "");
  EXPECT_EQ(TextLeftOf("A/b", "a", 1, true), "");
  EXPECT_EQ(TextLeftOf("xA/b", "a", 1, true), "x");
  EXPECT_EQ(TextRightOfLast("a/b/", "/"), "");    // the marker ends the text
  EXPECT_EQ(TextRightOfLast("a/b/c", "|"), "");
  EXPECT_EQ(TextRightOfLast("a/b/c", "/", 4), "b/c");  // only the first "/" lies before 4
  EXPECT_EQ(TextRightOfLast("a/b/c", "/", 2), "");
  EXPECT_EQ(TextRightOfLast("a--b--c", "--"), "c");
  EXPECT_EQ(TextRightOfLast("xAyaz", "A", std::nullopt, true), "z");
  EXPECT_EQ(TextRightOfLast("\xB0/a", "/"), "");  // B0 2F is one character: no marker
}

TEST(ReplaceBatch, PairsInOrderWithTheSameSwitches) {
  struct Case {
    const char* name;
    Text got, want;
  };
  const auto all = std::nullopt;
  const Case cases[] = {
      {"case folded", ReplaceBatch("<EM>a</EM> <em>b</em>", all, 1, false, "<em>", "", "</em>", ""),
       "a b"},
      {"pairs left out change nothing", ReplaceBatch("<EM>a</EM>", all, 1, false, "<em>", ""),
       "a</EM>"},
      {"exact when asked", ReplaceBatch("<EM>a<em>", all, 1, true, "<em>", ""), "<EM>a"},
      {"later pairs see earlier output", ReplaceBatch("a", all, 1, false, "a", "b", "b", "c"),
       "c"},
      {"count per pair", ReplaceBatch("aabb", 1, 1, false, "a", "x", "b", "y"), "xayb"},
      {"start per pair", ReplaceBatch("abab", all, 2, false, "a", "", "b", ""), "a"},
      {"start 0 is 1", ReplaceBatch("abab", all, 0, false, "a", ""), "bb"},
      {"empty find changes nothing", ReplaceBatch("abc", all, 1, false, "", "x", "b", ""),
       "ac"},
      {"no pairs", ReplaceBatch("abc"), "abc"},
      {"five pairs",
       ReplaceBatch("12345", all, 1, false, "1", "a", "2", "b", "3", "c", "4", "d", "5", "e"),
       "abcde"},
      {"count 0", ReplaceBatch("aaa", 0, 1, false, "a", "x"), "aaa"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.got, c.want);
  }
}

}  // namespace
}  // namespace gavrel
