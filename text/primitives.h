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
// -1; -1 also when start is beyond the last byte. An empty sub gives 1 (not
// start) when text[start..] is not empty, else -1. The walk begins at start
// even when start is the second byte of a pair; a match must begin at a
// character of the walk and fit before the end (a lead byte in the last
// position is a character of its own). ignoreCase folds ASCII letters byte
// by byte, second bytes of pairs included.
// Linear in the text's length: a byte search proposes candidates and the
// walk, which only moves forward, confirms them.
[[nodiscard]] Pos FindText(std::string_view text, std::string_view sub, Pos start = 1,
                           bool ignoreCase = false);
// Position of the last occurrence of sub lying wholly before limit, or -1.
// limit absent: the whole text; limit < 2: nothing is searched; a limit past
// the end counts as the end. The walk starts at the first byte and occurrences
// may overlap ("aaaa", "aa" -> 3). An empty sub gives 1 when the searched part
// is not empty, else -1.
[[nodiscard]] Pos FindTextLast(std::string_view text, std::string_view sub,
                               std::optional<Pos> limit = std::nullopt, bool ignoreCase = false);
// Occurrences of find replaced by with, left to right, never overlapping,
// from start (absent or below 1: 1); the bytes before start are copied as
// they are, and inserted text is never searched again. count absent: every
// occurrence; count 0 (or negative): nothing. caseSensitive false folds ASCII
// letters, byte by byte. An unchanged copy when the text or find is empty or
// start is beyond the last byte. Matches begin at characters, as in FindText;
// after a match the walk resumes right behind it.
[[nodiscard]] Text ReplaceText(std::string_view text, std::string_view find,
                               std::string_view with = {}, Pos start = 1,
                               std::optional<Pos> count = std::nullopt, bool caseSensitive = true);
// Pieces between exact occurrences of separator. Empty text: empty list.
// Empty separator: the whole text. Inner pieces may be empty; an empty last
// piece is dropped ("a;;b" -> a,"",b; ";a" -> "",a; "a;" -> a).
[[nodiscard]] TextList SplitText(std::string_view text, std::string_view separator);
// Without the leading and trailing blanks (0x20 and the full-width A1 A1,
// the latter only as a whole character of the walk). Tabs and line breaks
// are not blanks. See TrimBlanks in markers.h for the ASCII-only variant.
[[nodiscard]] Text TrimBothEnds(std::string_view text);
// Without any blank (0x20 and A1 A1 as whole characters).
[[nodiscard]] Text RemoveSpaces(std::string_view text);
// a-z in single-byte characters turned into A-Z; double-byte characters kept.
[[nodiscard]] Text UpperCase(std::string_view text);
// 0 when equal (ASCII letters folded when caseSensitive is false); negative
// when a sorts first by byte value, positive otherwise; a prefix sorts first.
// Folding applies to single-byte characters only: the second byte of a pair
// and the full-width letters keep their case.
[[nodiscard]] int CompareText(std::string_view a, std::string_view b, bool caseSensitive = true);
// n ASCII spaces; empty when n < 1.
[[nodiscard]] Text BlankText(Pos n);
// Full-width forms folded to ASCII first (A3 A1..A3 FE -> 21..7E, A1 A1 ->
// space, A1 AB -> '~', A1 EE / A1 EF -> '*'), then leading white space, an
// optional sign and decimal digits up to the first non-digit. No digits: 0.
// A value beyond 32 bits clamps to INT32_MAX or INT32_MIN.
[[nodiscard]] std::int32_t TextToInt(std::string_view text);
// The bytes of the text, without a terminator.
[[nodiscard]] Bytes TextToBytes(std::string_view text);
// The bytes up to, not including, the first zero byte.
[[nodiscard]] Text BytesToText(const Bytes& bytes);

}  // namespace gavrel
