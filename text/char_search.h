// text/char_search.h
//
// Internal to the text toolkit: finding a needle in a text at character
// starts only, in time linear in the text's length. Candidates come from a
// fast byte search (memmem, or memchr for both cases of the first letter when
// letters are folded); each candidate is then checked against the character
// walk, which only ever moves forward, so no byte is walked twice.
// A byte below 0x80 is one character; a byte of 0x80 or above forms one
// character with the byte after it. After a low byte a character always
// begins, so a candidate is a character start exactly when the run of high
// bytes just before it (back to the last known start) has even length.
// When false candidates (misaligned, or when folding, differing after the
// first byte) cost more than a few times the distance searched, the searcher
// switches to a Knuth-Morris-Pratt scan whose state carries across calls, so
// the total work stays linear in the text's length whatever the needle.
// Example:
//   CharSearcher s("\xB0\x41\x41", "A", false);
//   s.Next(0) == 2   // the byte at 1 is the second half of B0 41
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace gavrel::detail {

inline constexpr std::size_t kNoMatch = static_cast<std::size_t>(-1);

// True for the lead byte of a double-byte character (and its second bytes).
[[nodiscard]] inline bool IsHighByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The length of the character that begins at i (1 or 2; 1 for a lead byte in
// the last position).
[[nodiscard]] inline std::size_t CharLength(std::string_view text, std::size_t i) {
  return IsHighByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

[[nodiscard]] inline char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

class CharSearcher {
 public:
  // foldCase: ASCII letters match in either case, byte by byte. needle must
  // not be empty; both views must outlive the searcher.
  CharSearcher(std::string_view text, std::string_view needle, bool foldCase);

  // 0-based position of the first occurrence at or after from that begins at
  // a character of a walk started at from (from itself counts as a character
  // start) and fits before the end; kNoMatch when there is none. Calls must
  // pass non-decreasing values of from.
  [[nodiscard]] std::size_t Next(std::size_t from);

 private:
  // First byte position at or after from where the needle's bytes occur.
  [[nodiscard]] std::size_t Candidate(std::size_t from);
  [[nodiscard]] std::size_t FoldedCandidate(std::size_t from);
  [[nodiscard]] bool FoldedEqualAt(std::size_t at) const;
  // The Knuth-Morris-Pratt scan, for needles that defeat the candidates.
  [[nodiscard]] std::size_t ScanCandidate(std::size_t from);
  // Counts the false candidate at at; true once the scan should take over.
  [[nodiscard]] bool CountFalseCandidate(std::size_t at);
  [[nodiscard]] char Key(char c) const { return fold_ ? FoldAscii(c) : c; }
  // Whether pos begins a character; moves known_ forward past pos.
  [[nodiscard]] bool StartsCharacter(std::size_t pos);

  std::string_view text_;
  std::string_view needle_;
  bool fold_;
  std::size_t known_ = 0;  // a position known to begin a character
  // Cached next positions of the first needle byte in lower and upper case.
  std::size_t nextLower_ = 0;
  std::size_t nextUpper_ = 0;
  bool lowerValid_ = false;
  bool upperValid_ = false;
  // Knuth-Morris-Pratt state: failure_[j] is the length of the longest proper
  // border of needle_[0..j]; matched_ needle bytes end just before scanPos_.
  std::size_t origin_ = kNoMatch;  // where the first search began
  std::size_t waste_ = 0;          // work spent on false candidates
  bool scanning_ = false;
  std::vector<std::size_t> failure_;
  std::size_t scanPos_ = 0;
  std::size_t matched_ = 0;
};

}  // namespace gavrel::detail
