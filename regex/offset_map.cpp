#include "regex/offset_map.h"

#include <iterator>

#include "text/codepage.h"

namespace gavrel::regex_detail {

namespace {

struct Step {
  std::size_t bytes;
  std::size_t units;
};

[[nodiscard]] bool InRange(unsigned char b, unsigned char lo, unsigned char hi) {
  return b >= lo && b <= hi;
}

// The character (or broken sequence) that starts at byte i of text.
[[nodiscard]] Step StepAt(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const std::size_t left = text.size() - i;
  const unsigned char b0 = byte(0);
  if (!InRange(b0, 0x81, 0xFE) || left < 2) return {1, 1};
  const unsigned char b1 = byte(1);
  if (InRange(b1, 0x40, 0x7E) || InRange(b1, 0x80, 0xFE)) return {2, 1};
  if (!InRange(b1, 0x30, 0x39)) return {1, 1};
  if (left == 2) return {2, 1};  // a four-byte character cut off by the end
  if (!InRange(byte(2), 0x81, 0xFE)) return {1, 1};
  if (left == 3) return {3, 1};
  if (!InRange(byte(3), 0x30, 0x39)) return {1, 1};
  // Four bytes from 90 30 81 30 on count up from U+10000 to U+10FFFF.
  if (b0 >= 0x90) {
    const unsigned long linear =
        ((((b0 - 0x90) * 10ul + (b1 - 0x30)) * 126ul + (byte(2) - 0x81)) * 10ul) +
        (byte(3) - 0x30);
    if (linear <= 0xFFFFF) return {4, 2};
  }
  return {4, 1};
}

[[nodiscard]] std::size_t CountUnits(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const Step step = StepAt(text, i);
    i += step.bytes;
    units += step.units;
  }
  return units;
}

}  // namespace

OffsetMap::OffsetMap(std::string_view text, std::u16string_view units)
    : text_(text), units_(units), walkAgrees_(CountUnits(text) == units.size()) {}

std::size_t OffsetMap::ByteOffset(std::size_t unit) {
  if (unit > units_.size()) unit = units_.size();
  auto from = std::prev(known_.upper_bound(unit));  // known_ always holds 0
  if (from->first == unit) return from->second;
  std::size_t bytes = from->second;
  if (walkAgrees_) {
    for (std::size_t at = from->first; at < unit && bytes < text_.size();) {
      const Step step = StepAt(text_, bytes);
      bytes += step.bytes;
      at += step.units;
    }
  } else {
    // The code page is stateless, so a slice that starts and ends on
    // character boundaries encodes to the same bytes as inside the whole.
    bytes += Utf16ToText(units_.substr(from->first, unit - from->first)).size();
  }
  known_.emplace_hint(std::next(from), unit, bytes);
  return bytes;
}

}  // namespace gavrel::regex_detail
