// ReplaceText (start, absent count against 0, the caseSensitive switch, no
// re-scan of inserted text) and SplitText (empty pieces).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "text/text.h"

namespace gavrel {
namespace {

struct ReplaceCase {
  const char* name;
  std::string text, find, with;
  Pos start;
  std::optional<Pos> count;
  bool caseSensitive;
  std::string want;
};

TEST(ReplaceText, StartCountAndCase) {
  const auto all = std::nullopt;
  const ReplaceCase cases[] = {
      {"folded", "aAa", "a", "x", 1, all, false, "xxx"},
      {"exact", "aAa", "a", "x", 1, all, true, "xAx"},
      {"count 1", "aAa", "a", "x", 1, 1, true, "xAa"},
      {"from position 2", "aAa", "a", "x", 2, all, true, "aAx"},
      {"start 0 means 1", "aAa", "a", "x", 0, all, true, "xAx"},
      {"start beyond the end", "aAa", "a", "x", 4, all, true, "aAa"},
      {"count 0 replaces nothing", "aaa", "a", "x", 1, 0, true, "aaa"},
      {"count beyond the occurrences", "aaa", "a", "x", 1, 9, true, "xxx"},
      {"count 2 of 3", "a.a.a", "a", "", 1, 2, true, "..a"},
      {"no overlap", "aaa", "aa", "b", 1, all, true, "ba"},
      {"inserted text not searched", "ab", "a", "aa", 1, all, true, "aab"},
      {"growing replacement", "a;b;c", ";", "<;>", 1, all, true, "a<;>b<;>c"},
      {"with left out deletes", "a-b-c", "-", "", 1, all, true, "abc"},
      {"empty find", "abc", "", "x", 1, all, true, "abc"},
      {"empty text", "", "a", "x", 1, all, true, ""},
      {"find at the very end", "abc", "bc", "X", 1, all, true, "aX"},
      {"fewer bytes than find remain", "abc", "cd", "X", 1, all, true, "abc"},
      {"second byte never starts a match", "\xB0\x41\x41", "A", "x", 1, all, true, "\xB0\x41x"},
      {"second byte folded in a pair", "\xB0\x61", "\xB0\x41", "x", 1, all, false, "x"},
      {"whole pairs replaced", "\xD6\xD0\xCE\xC4\xD6\xD0", "\xD6\xD0", "-", 1, all, true,
       "-\xCE\xC4-"},
      {"start on a second byte", "\xB0\x41\x41", "A", "x", 2, all, true, "\xB0xx"},
      {"walk resumes right after a match", "\xB0\xB0\x41", "\xB0", "", 1, all, true, "A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplaceText(c.text, c.find, c.with, c.start, c.count, c.caseSensitive), c.want);
  }
}

TEST(ReplaceText, DefaultsReplaceEveryExactOccurrence) {
  EXPECT_EQ(ReplaceText("aAa", "a"), "A");
  EXPECT_EQ(ReplaceText("aAa", "a", "x"), "xAx");
}

struct SplitCase {
  const char* name;
  std::string text, separator;
  std::vector<std::string> want;
};

TEST(SplitText, EmptyPieces) {
  const SplitCase cases[] = {
      {"inner empty piece", "a;;b", ";", {"a", "", "b"}},
      {"leading separator", ";a", ";", {"", "a"}},
      {"trailing separator dropped", "a;", ";", {"a"}},
      {"CR LF lines", "a\r\n\r\nb\r\n", "\r\n", {"a", "", "b"}},
      {"separator only", ";", ";", {""}},
      {"two separators", ";;", ";", {"", ""}},
      {"no separator", "abc", ";", {"abc"}},
      {"empty separator", "a;b", "", {"a;b"}},
      {"empty text", "", ";", {}},
      {"case matters", "aXbxc", "x", {"aXb", "c"}},
      {"second byte is not a separator", "\xB0;x;y", ";", {"\xB0;x", "y"}},
      {"separator at a character start after a pair", "\xB0\x41;", ";", {"\xB0\x41"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TextList list = SplitText(c.text, c.separator);
    EXPECT_EQ(list.Items(), c.want);
    EXPECT_EQ(list.Size(), static_cast<Pos>(c.want.size()));
  }
}

TEST(TextList, ItemsAreOneBasedAndGrowByAppend) {
  TextList list = SplitText("a;;b", ";");
  EXPECT_EQ(list.Item(1), "a");
  EXPECT_EQ(list.Item(2), "");
  EXPECT_EQ(list.Item(3), "b");
  EXPECT_EQ(list.Item(0), "");  // outside 1..Size(): the empty text
  EXPECT_EQ(list.Item(4), "");
  list.Append("c");
  EXPECT_EQ(list.Size(), 4);
  EXPECT_EQ(list.Item(4), "c");
  EXPECT_EQ(TextList().Size(), 0);
}

}  // namespace
}  // namespace gavrel
