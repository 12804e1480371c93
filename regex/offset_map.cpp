#include "regex/offset_map.h"

#include <iterator>

#include "text/codepage.h"

namespace gavrel::regex_detail {

std::size_t OffsetMap::ByteOffset(std::size_t unit) {
  if (unit > units_.size()) unit = units_.size();
  auto from = std::prev(known_.upper_bound(unit));  // known_ always holds 0
  if (from->first == unit) return from->second;
  // The code page is stateless, so a slice that starts and ends on character
  // boundaries encodes to the same bytes as inside the whole text.
  const std::size_t bytes =
      from->second + Utf16ToText(units_.substr(from->first, unit - from->first)).size();
  known_.emplace_hint(std::next(from), unit, bytes);
  return bytes;
}

}  // namespace gavrel::regex_detail
