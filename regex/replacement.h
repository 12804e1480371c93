// regex/replacement.h
//
// Expanding the references of a replacement text for one match, with the
// ECMAScript rules of String.prototype.replace.
// Example: for the match "ab" of (a)(b) in "xaby", "[$2$1]" gives "[ba]"
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace gavrel::regex_detail {

// Offsets of one match in the subject: groups[0] and groups[1] bound the
// whole match, groups[2*j] and groups[2*j+1] capture group j; a group that
// took no part has kUnsetOffset at both ends.
inline constexpr std::size_t kUnsetOffset = static_cast<std::size_t>(-1);

// Appends replacement to out with its references expanded: $$ a dollar sign,
// $& the match, $` the subject before it, $' the subject after it, $n and
// $nn (01 to 99) a capture group. Two digits are read as one group number
// when that group exists, else one digit is; a number naming no group, and
// any other $, are kept as they stand. A group that took no part gives the
// empty text.
void AppendReplacement(std::u16string& out, std::u16string_view replacement,
                       std::u16string_view subject, std::span<const std::size_t> groups);

}  // namespace gavrel::regex_detail
