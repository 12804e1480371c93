// The fast searches (byte search for candidates, then a forward-only check of
// the character walk) against a plain transcription of the walk itself: step
// character by character and compare at each one. Random texts over a small
// alphabet rich in lead bytes, letters of both cases and separators.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "text/text.h"

namespace gavrel {
namespace {

std::size_t Step(const std::string& t, std::size_t i) {
  return static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1;
}

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool EqualAt(const std::string& t, std::size_t i, const std::string& s, bool fold) {
  if (i + s.size() > t.size()) return false;
  for (std::size_t k = 0; k < s.size(); ++k) {
    if (fold ? Fold(t[i + k]) != Fold(s[k]) : t[i + k] != s[k]) return false;
  }
  return true;
}

Pos RefFind(const std::string& t, const std::string& s, Pos start, bool fold) {
  std::size_t i = start < 2 ? 0 : static_cast<std::size_t>(start - 1);
  if (i >= t.size()) return -1;
  if (s.empty()) return 1;
  for (; i < t.size(); i += Step(t, i)) {
    if (EqualAt(t, i, s, fold)) return static_cast<Pos>(i) + 1;
  }
  return -1;
}

Pos RefFindLast(const std::string& t, const std::string& s, std::optional<Pos> limit,
                bool fold) {
  std::size_t part = t.size();
  if (limit) part = *limit < 2 ? 0 : std::min<std::size_t>(t.size(), *limit - 1);
  if (part == 0) return -1;
  if (s.empty()) return 1;
  Pos last = -1;
  for (std::size_t i = 0; i < t.size(); i += Step(t, i)) {
    if (i + s.size() <= part && EqualAt(t, i, s, fold)) last = static_cast<Pos>(i) + 1;
  }
  return last;
}

std::string RefReplace(const std::string& t, const std::string& f, const std::string& w,
                       Pos start, std::optional<Pos> count, bool caseSensitive) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (t.empty() || f.empty() || from >= t.size() || (count && *count == 0)) return t;
  std::string out = t.substr(0, from);
  Pos done = 0;
  std::size_t i = from;
  while (i < t.size()) {
    if (EqualAt(t, i, f, !caseSensitive)) {
      out += w;
      i += f.size();
      if (count && ++done == *count) break;
    } else {
      out += t.substr(i, Step(t, i));
      i += Step(t, i);
    }
  }
  if (i < t.size()) out += t.substr(i);
  return out;
}

std::vector<std::string> RefSplit(const std::string& t, const std::string& sep) {
  std::vector<std::string> out;
  if (t.empty()) return out;
  if (sep.empty()) return {t};
  std::size_t piece = 0;
  std::size_t i = 0;
  while (i < t.size()) {
    if (EqualAt(t, i, sep, false)) {
      out.push_back(t.substr(piece, i - piece));
      i += sep.size();
      piece = i;
    } else {
      i += Step(t, i);
    }
  }
  if (piece < t.size()) out.push_back(t.substr(piece));
  return out;
}

class WalkReference : public ::testing::Test {
 protected:
  std::string RandomText(std::size_t maxLength) {
    static constexpr char kAlphabet[] = {'a', 'A', 'b', 'B', ';', 'x', '\xB0', '\xB0',
                                         '\xA1', '\x41', '\x61', '\x80'};
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);
    std::string s(length(rng_), ' ');
    for (char& c : s) c = kAlphabet[pick(rng_)];
    return s;
  }
  Pos RandomPos(Pos hi) { return std::uniform_int_distribution<Pos>(-1, hi)(rng_); }
  bool Coin() { return std::uniform_int_distribution<int>(0, 1)(rng_) == 1; }

  std::mt19937 rng_{20240611};
};

TEST_F(WalkReference, FindTextAndFindTextLast) {
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(24);
    const std::string sub = RandomText(3);
    const Pos start = RandomPos(static_cast<Pos>(text.size()) + 2);
    const bool fold = Coin();
    const std::optional<Pos> limit =
        Coin() ? std::nullopt : std::optional<Pos>(RandomPos(static_cast<Pos>(text.size()) + 2));
    SCOPED_TRACE(::testing::PrintToString(text) + " / " + ::testing::PrintToString(sub));
    ASSERT_EQ(FindText(text, sub, start, fold), RefFind(text, sub, start, fold)) << start;
    ASSERT_EQ(FindTextLast(text, sub, limit, fold), RefFindLast(text, sub, limit, fold))
        << limit.value_or(999);
  }
}

TEST_F(WalkReference, ReplaceTextAndSplitText) {
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(24);
    const std::string find = RandomText(3);
    const std::string with = RandomText(3);
    const Pos start = RandomPos(static_cast<Pos>(text.size()) + 2);
    const std::optional<Pos> count = Coin() ? std::nullopt : std::optional<Pos>(RandomPos(4));
    const bool caseSensitive = Coin();
    SCOPED_TRACE(::testing::PrintToString(text) + " / " + ::testing::PrintToString(find));
    if (!count || *count >= 0) {
      ASSERT_EQ(ReplaceText(text, find, with, start, count, caseSensitive),
                RefReplace(text, find, with, start, count, caseSensitive));
    }
    ASSERT_EQ(SplitText(text, find).Items(), RefSplit(text, find));
  }
}

// Periodic texts full of lead bytes and letters, with long needles cut from
// the text itself: most candidates are misaligned or differ late, which is
// what makes the searcher switch to its fallback scan.
TEST_F(WalkReference, LongNeedlesOnPeriodicText) {
  static const std::string kPeriods[] = {"\xB0" "A", "A\xB0" "a", "\xB0\xB0" "a", "aA", "a"};
  std::uniform_int_distribution<std::size_t> period(0, std::size(kPeriods) - 1);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const std::string& unit = kPeriods[period(rng_)];
    const std::size_t length = std::uniform_int_distribution<std::size_t>(200, 3000)(rng_);
    while (text.size() < length) text += Coin() && Coin() && Coin() ? RandomText(2) : unit;
    const std::size_t needleLength = std::uniform_int_distribution<std::size_t>(17, 40)(rng_);
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size() - needleLength)(rng_);
    std::string needle = text.substr(at, needleLength);
    if (Coin()) needle.back() = 'b';  // occurs nowhere: only false candidates
    const bool fold = Coin();
    const Pos start = RandomPos(static_cast<Pos>(text.size()));
    SCOPED_TRACE(::testing::PrintToString(needle));
    ASSERT_EQ(FindText(text, needle, start, fold), RefFind(text, needle, start, fold));
    ASSERT_EQ(FindTextLast(text, needle, std::nullopt, fold),
              RefFindLast(text, needle, std::nullopt, fold));
    ASSERT_EQ(ReplaceText(text, needle, "<>", start, std::nullopt, !fold),
              RefReplace(text, needle, "<>", start, std::nullopt, !fold));
    ASSERT_EQ(SplitText(text, needle).Items(), RefSplit(text, needle));
  }
}

}  // namespace
}  // namespace gavrel
