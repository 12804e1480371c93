// regex/offset_map.h
//
// Byte offsets in Text for offsets counted in UTF-16 units of the same text.
// A GBK character is one unit but two bytes, so the two counts part as soon
// as a double-byte character comes first. Offsets are worked out on demand
// from the nearest one already known, so asking for the matches in order
// costs one pass over the subject in all.
// Example: for u"中a", ByteOffset(1) == 2
#pragma once

#include <cstddef>
#include <map>
#include <string_view>

namespace gavrel::regex_detail {

class OffsetMap final {
 public:
  // units must outlive the map.
  explicit OffsetMap(std::u16string_view units) : units_(units) {}

  // The length in bytes of Utf16ToText(units.substr(0, unit)). unit must lie
  // on a character boundary (never inside a surrogate pair); values beyond
  // the end count as the end.
  [[nodiscard]] std::size_t ByteOffset(std::size_t unit);

 private:
  std::u16string_view units_;
  std::map<std::size_t, std::size_t> known_{{0, 0}};
};

}  // namespace gavrel::regex_detail
