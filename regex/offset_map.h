// regex/offset_map.h
//
// Byte offsets in a Text for offsets counted in UTF-16 units of the same
// text. A GBK character is one unit but two bytes, so the two counts part as
// soon as a double-byte character comes first. Offsets are worked out on
// demand from the nearest one already known, so asking for the matches in
// order costs one pass over the subject in all.
// Example: OffsetMap("\xD6\xD0" "a", u"中a").ByteOffset(1) == 2
#pragma once

#include <cstddef>
#include <map>
#include <string_view>

namespace gavrel::regex_detail {

class OffsetMap final {
 public:
  // units must be TextToUtf16(text); both must outlive the map.
  OffsetMap(std::string_view text, std::u16string_view units);

  // The byte offset in text of the character that starts at unit (never
  // inside a surrogate pair); values beyond the end count as the end.
  //
  // text is walked by the layout of GB18030: one byte, two bytes (81-FE then
  // 40-7E or 80-FE) or four (81-FE, 30-39, 81-FE, 30-39), each one unit
  // except a four-byte character beyond the BMP, which is two. A broken
  // sequence is one unit (U+FFFD, or the euro sign for the lone byte 80)
  // and spans what the conversion drops for it. Should the walk ever
  // disagree with the conversion's length, the offsets count the bytes of
  // the units encoded back instead, which is the same for well-formed text.
  [[nodiscard]] std::size_t ByteOffset(std::size_t unit);

 private:
  std::string_view text_;
  std::u16string_view units_;
  bool walkAgrees_;
  std::map<std::size_t, std::size_t> known_{{0, 0}};  // unit -> byte
};

}  // namespace gavrel::regex_detail
