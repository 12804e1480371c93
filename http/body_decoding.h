// http/body_decoding.h
//
// Re-decoding a response body by the charset its page declares in a meta
// tag near its start, so that a UTF-8 (or Big5, ...) page reaches the tools
// as correct Text.
// Example: DecodeBody(TextToBytes("<meta charset=utf-8>\xE4\xB8\xAD"))
//   == Utf8ToText("<meta charset=utf-8>中")
#pragma once

#include <string_view>

#include "text/types.h"

namespace gavrel {

// The declared charset: the first capture of "<meta.+?charset=[^\w]?([-\w]+)"
// (letters folded; "." stops at a line break) in the first 1024 bytes of
// plain, or "" when there is none. plain is the body up to its first zero
// byte, so a declaration behind a zero byte is not seen.
[[nodiscard]] Text DeclaredCharset(std::string_view plain);

// The page text for the body. The plain conversion (the body up to its
// first zero byte, BytesToText) when DeclaredCharset of it finds nothing,
// finds exactly "gbk" or "gb2312" (case counts), or finds a name iconv does
// not know; otherwise all the body's bytes decoded from the declared charset,
// cut at the first zero character. GB2312 in other letter cases is decoded
// as GBK, so the GBK characters such pages hold survive.
[[nodiscard]] Text DecodeBody(const Bytes& body);

}  // namespace gavrel
