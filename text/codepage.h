// text/codepage.h
//
// Conversions between Text (GB18030) and other encodings, over iconv.
// No conversion fails as a whole: an invalid byte sequence becomes U+FFFD
// (in Text: its GB18030 bytes) and the rest converts; the single byte 0x80
// reads as the euro sign, as in code page 936.
// Example: ToWideBytes("A") == {0x41,0x00,0x00,0x00}
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/types.h"

namespace gavrel {

// The UTF-16LE form of text, with a two-byte terminator unless dropTerminator.
// The empty text gives empty Bytes (no terminator either). A zero byte in the
// input ends the text there.
[[nodiscard]] Bytes ToWideBytes(std::string_view text, bool dropTerminator = false);
// UTF-16LE to Text; a NUL unit ends the text, an odd last byte is ignored.
[[nodiscard]] Text WideToText(const Bytes& wide);

// Text <-> UTF-16 code units, for the regular-expression engine and escaping.
// Characters beyond U+FFFF are surrogate pairs; an unpaired surrogate becomes
// U+FFFD; Utf16ToText's result ends before the first zero unit.
[[nodiscard]] std::u16string TextToUtf16(std::string_view text);
[[nodiscard]] Text Utf16ToText(std::u16string_view units);

// UTF-8 <-> Text, for literals in our sources and for the window's strings.
// Invalid UTF-8 input becomes U+FFFD, as above; the result ends before the
// first zero byte. The char8_t form takes u8"..." literals directly.
// Example: Utf8ToText(u8"中") == "\xD6\xD0"
[[nodiscard]] Text Utf8ToText(std::string_view utf8);
[[nodiscard]] Text Utf8ToText(std::u8string_view utf8);
[[nodiscard]] std::string TextToUtf8(std::string_view text);

// The bytes decoded from the named charset (any name iconv knows, in any
// case) into Text, cut at the first zero unit. Empty optional when iconv does
// not know the charset, and for an empty name or one with iconv's "//"
// options. Bad sequences become U+FFFD as above.
// Example: DecodeCharset({0xE4,0xB8,0xAD}, "utf-8") == "\xD6\xD0"
[[nodiscard]] std::optional<Text> DecodeCharset(const Bytes& bytes, std::string_view charset);

}  // namespace gavrel
