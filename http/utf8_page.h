// http/utf8_page.h
//
// A fast decoder for the common case of a page declared as UTF-8: the body
// straight into Text (GB18030), with the same result as iconv's conversion
// (DecodeCharset(body, "utf-8")) but several times quicker, since a large
// article page is decoded on every visit. Anything it is not sure of (a
// malformed or unmappable sequence) is left to iconv.
// Example: DecodeUtf8Page(TextToBytes("a\xE4\xB8\xAD")) == "a\xD6\xD0"
#pragma once

#include <optional>
#include <string_view>

#include "text/types.h"

namespace gavrel {

// True for the charset names this decoder stands in for: "utf-8" and
// "utf8", letters folded.
[[nodiscard]] bool IsUtf8Name(std::string_view charset);

// The body's UTF-8 decoded into Text, ending before the first zero byte.
// Empty optional (decode with iconv instead) when the body before its first
// zero byte holds a malformed sequence (overlong forms and surrogates
// included), a character GB18030 lacks, or when the mapping table could not
// be built.
[[nodiscard]] std::optional<Text> DecodeUtf8Page(const Bytes& body);

}  // namespace gavrel
