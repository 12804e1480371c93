// lookups/script_number.h
//
// A text read as a number the way ECMAScript's ToNumber reads a string:
// white space and line terminators trimmed at both ends, the empty text is 0,
// a decimal literal with optional sign, fraction and exponent, a 0x/0X hex
// integer (no sign), or "Infinity" with optional sign. Anything else is NaN.
// The text is never run as script; it is only parsed.
// Example: ScriptToNumber(" 0x1A ") == 26.0; ScriptToNumber("12px") is NaN
#pragma once

#include <string_view>

namespace gavrel {

// The number text stands for, or NaN. text is Text (GB18030): the white space
// trimmed is ECMAScript's set (tab, VT, FF, blank, no-break space, BOM, the
// Unicode space separators such as the full-width space A1 A1, CR, LF, and
// U+2028/U+2029). Digits, signs, points and letters count only in ASCII.
// A decimal too large for a double is +-Infinity; one too small is 0.
[[nodiscard]] double ScriptToNumber(std::string_view text);

// ECMAScript's TimeClip: NaN for a value that is not finite or lies beyond
// 8.64e15 in magnitude, else the value truncated toward zero.
[[nodiscard]] double TimeClip(double time);

}  // namespace gavrel
