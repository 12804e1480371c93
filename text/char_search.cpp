#include "text/char_search.h"

#include <cstring>

namespace gavrel::detail {
namespace {

bool HasAsciiLetter(std::string_view s) {
  for (const char c : s) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  }
  return false;
}

// First position at or after from of byte c, or kNoMatch.
std::size_t FindByte(std::string_view text, std::size_t from, char c) {
  if (from >= text.size()) return kNoMatch;
  const void* hit = std::memchr(text.data() + from, c, text.size() - from);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : kNoMatch;
}

// A false candidate costs up to a needle's length of work (the restarted
// byte search prepares the needle again; a folded check compares it). While
// that waste stays within a few times the distance searched, the candidates
// are worth it; beyond, the scan takes over.
constexpr std::size_t kWastePerByte = 4;
constexpr std::size_t kWasteAllowance = 4096;

}  // namespace

CharSearcher::CharSearcher(std::string_view text, std::string_view needle, bool foldCase)
    : text_(text), needle_(needle), fold_(foldCase && HasAsciiLetter(needle)) {}

std::size_t CharSearcher::Next(std::size_t from) {
  if (origin_ == kNoMatch) origin_ = from;
  known_ = from;
  std::size_t pos = from;
  while (true) {
    const std::size_t c = Candidate(pos);
    if (c == kNoMatch) return kNoMatch;
    if (StartsCharacter(c)) return c;
    if (!scanning_ && CountFalseCandidate(c)) scanning_ = true;
    pos = c + 1;
  }
}

bool CharSearcher::StartsCharacter(std::size_t pos) {
  std::size_t p = pos;
  while (p > known_ && IsHighByte(text_[p - 1])) --p;
  const bool starts = (pos - p) % 2 == 0;
  // Not a start means pos is the second byte of a pair, so pos + 1 is one.
  known_ = starts ? pos : pos + 1;
  return starts;
}

std::size_t CharSearcher::Candidate(std::size_t from) {
  const std::size_t m = needle_.size();
  if (from > text_.size() || text_.size() - from < m) return kNoMatch;
  if (scanning_) return ScanCandidate(from);
  if (fold_) return FoldedCandidate(from);
  const void* hit = memmem(text_.data() + from, text_.size() - from, needle_.data(), m);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data()) : kNoMatch;
}

bool CharSearcher::FoldedEqualAt(std::size_t at) const {
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    if (FoldAscii(text_[at + i]) != FoldAscii(needle_[i])) return false;
  }
  return true;
}

std::size_t CharSearcher::FoldedCandidate(std::size_t from) {
  const std::size_t last = text_.size() - needle_.size();  // last position a match fits
  const char first = needle_[0];
  const char lower = FoldAscii(first);
  const bool letter = lower >= 'a' && lower <= 'z';
  const char upper = letter ? static_cast<char>(lower - 'a' + 'A') : lower;
  std::size_t pos = from;
  while (pos <= last) {
    if (!lowerValid_ || (nextLower_ != kNoMatch && nextLower_ < pos)) {
      nextLower_ = FindByte(text_, pos, lower);
      lowerValid_ = true;
    }
    std::size_t c = nextLower_;
    if (letter) {
      if (!upperValid_ || (nextUpper_ != kNoMatch && nextUpper_ < pos)) {
        nextUpper_ = FindByte(text_, pos, upper);
        upperValid_ = true;
      }
      if (nextUpper_ < c) c = nextUpper_;
    }
    if (c == kNoMatch || c > last) return kNoMatch;
    if (FoldedEqualAt(c)) return c;
    if (CountFalseCandidate(c)) {
      scanning_ = true;
      return ScanCandidate(c + 1);
    }
    pos = c + 1;
  }
  return kNoMatch;
}

bool CharSearcher::CountFalseCandidate(std::size_t at) {
  waste_ += needle_.size();
  return waste_ > kWasteAllowance + kWastePerByte * (at - origin_);
}

std::size_t CharSearcher::ScanCandidate(std::size_t from) {
  const std::size_t m = needle_.size();
  if (failure_.empty()) {
    failure_.assign(m, 0);
    for (std::size_t j = 1, k = 0; j < m; ++j) {
      while (k > 0 && Key(needle_[j]) != Key(needle_[k])) k = failure_[k - 1];
      if (Key(needle_[j]) == Key(needle_[k])) ++k;
      failure_[j] = k;
    }
  }
  // A scan already past from carries on (occurrences that begin before from
  // are skipped); otherwise it starts afresh at from.
  if (from >= scanPos_) {
    scanPos_ = from;
    matched_ = 0;
  }
  while (scanPos_ < text_.size()) {
    const char c = Key(text_[scanPos_++]);
    while (matched_ > 0 && Key(needle_[matched_]) != c) matched_ = failure_[matched_ - 1];
    if (Key(needle_[matched_]) == c) ++matched_;
    if (matched_ == m) {
      matched_ = failure_[m - 1];
      const std::size_t at = scanPos_ - m;
      if (at >= from) return at;
    }
  }
  return kNoMatch;
}

}  // namespace gavrel::detail
