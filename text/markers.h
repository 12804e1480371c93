// text/markers.h
//
// Cutting fields out of page text by fixed marker strings, and batch
// replacement. Markers given to TextBetween may hold the token "#引号"
// (in GBK: 23 D2 FD BA C5), which stands for one double quote.
// Example: TextBetween("a<b>c", "<", ">") == "b"
#pragma once

#include <optional>
#include <string_view>

#include "text/types.h"

namespace gavrel {

// The five bytes of the "#引号" token in the program's code page.
inline constexpr std::string_view kQuoteToken = "#\xD2\xFD\xBA\xC5";

// Without leading and trailing ASCII spaces (0x20) only; tabs, line breaks
// and full-width spaces at either end remain.
[[nodiscard]] Text TrimBlanks(std::string_view text);
// The part of text before the first marker found at or after start (below 1:
// 1), always from the first byte; empty when the marker is not found.
[[nodiscard]] Text TextLeftOf(std::string_view text, std::string_view marker, Pos start = 1,
                              bool ignoreCase = false);
// The part of text after the last marker lying wholly before limit (absent:
// the whole text), up to the end of the text; empty when not found or when
// the marker ends the text.
// Example: TextRightOfLast("a/b/c", "/") == "c"; with limit 4: "b/c"
[[nodiscard]] Text TextRightOfLast(std::string_view text, std::string_view marker,
                                   std::optional<Pos> limit = std::nullopt,
                                   bool ignoreCase = false);
// The bytes strictly between the first left marker at or after start (below
// 2: 1) and the next right marker, searched from just after the left one;
// empty when either is missing or when they touch. Every "#引号" token in
// either marker becomes one double quote first (matched exactly). An empty
// right marker always gives the empty text; an empty left marker makes the
// right one be searched from start. Linear in the text's length.
// Example: TextBetween("L1L2R", "L", "R") == "1L2"
[[nodiscard]] Text TextBetween(std::string_view text, std::string_view left,
                               std::string_view right, Pos start = 1, bool ignoreCase = false);
// Up to five ReplaceText passes, one after the other, each with the same
// count (absent: all), start (absent or 0: 1) and case switch (default:
// letters folded). An empty find changes nothing; later pairs see the output
// of earlier ones.
[[nodiscard]] Text ReplaceBatch(std::string_view text, std::optional<Pos> count = std::nullopt,
                                Pos start = 1, bool caseSensitive = false,
                                std::string_view find1 = {}, std::string_view with1 = {},
                                std::string_view find2 = {}, std::string_view with2 = {},
                                std::string_view find3 = {}, std::string_view with3 = {},
                                std::string_view find4 = {}, std::string_view with4 = {},
                                std::string_view find5 = {}, std::string_view with5 = {});

}  // namespace gavrel
