// text/primitives.h
//
// Lengths, slices, searches, replacement, splitting and trimming over Text.
// Texts are walked by characters: a byte below 0x80 is one character, a byte
// of 0x80 or above forms one character with the byte after it (a lead byte in
// the last position ends the walk). A match can only begin where a character
// begins. Only the 26 ASCII letters have a case. Nothing throws; arguments out
// of range give the empty text, 0 or -1.
// Example: FindText("\xB0\x41\x41", "A") == 3
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "text/text_list.h"
#include "text/types.h"

namespace gavrel {

// Number of bytes.
[[nodiscard]] Pos TextLength(std::string_view text);
// First n bytes; empty when n <= 0; the whole text when n exceeds the length.
[[nodiscard]] Text TextLeft(std::string_view text, Pos n);
// Last n bytes; empty when n <= 0; the whole text when n exceeds the length.
[[nodiscard]] Text TextRight(std::string_view text, Pos n);
// n bytes from 1-based position start, cut short at the end; empty when
// start < 1, start is beyond the last byte, or n <= 0.
[[nodiscard]] Text TextMid(std::string_view text, Pos start, Pos n);
// The first byte as a signed 8-bit number; 0 for the empty text.
[[nodiscard]] int CharCode(std::string_view text);

// Position of the first occurrence of sub at or after start (below 2: 1), or
// -1. An empty sub gives 1 when text[start..] is not empty, else -1.
[[nodiscard]] Pos FindText(std::string_view text, std::string_view sub, Pos start = 1,
                           bool ignoreCase = false);
// Position of the last occurrence of sub lying wholly before limit, or -1.
// limit absent: the whole text; limit < 2: nothing is searched.
[[nodiscard]] Pos FindTextLast(std::string_view text, std::string_view sub,
                               std::optional<Pos> limit = std::nullopt, bool ignoreCase = false);
// Occurrences of find replaced by with, left to right, never overlapping,
// from start (absent or below 1: 1). count absent: every occurrence; count 0:
// nothing. caseSensitive false folds ASCII letters.
[[nodiscard]] Text ReplaceText(std::string_view text, std::string_view find,
                               std::string_view with = {}, Pos start = 1,
                               std::optional<Pos> count = std::nullopt, bool caseSensitive = true);
// Pieces between exact occurrences of separator. Empty text: empty list.
// Empty separator: the whole text. Inner pieces may be empty; an empty last
// piece is dropped ("a;;b" -> a,"",b; ";a" -> "",a; "a;" -> a).
[[nodiscard]] TextList SplitText(std::string_view text, std::string_view separator);
// Without the leading and trailing blanks (0x20 and the full-width A1 A1).
[[nodiscard]] Text TrimBothEnds(std::string_view text);
// Without any blank (0x20 and A1 A1).
[[nodiscard]] Text RemoveSpaces(std::string_view text);
// a-z in single-byte characters turned into A-Z; double-byte characters kept.
[[nodiscard]] Text UpperCase(std::string_view text);
// 0 when equal (ASCII letters folded when caseSensitive is false); negative
// when a sorts first by byte value, positive otherwise.
[[nodiscard]] int CompareText(std::string_view a, std::string_view b, bool caseSensitive = true);
// n ASCII spaces; empty when n < 1.
[[nodiscard]] Text BlankText(Pos n);
// Full-width forms folded to ASCII, then leading white space, an optional
// sign and decimal digits. No digits: 0. Beyond 32 bits: clamped.
[[nodiscard]] std::int32_t TextToInt(std::string_view text);
// The bytes of the text, without a terminator.
[[nodiscard]] Bytes TextToBytes(std::string_view text);
// The bytes up to, not including, the first zero byte.
[[nodiscard]] Text BytesToText(const Bytes& bytes);

}  // namespace gavrel
