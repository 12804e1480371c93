// http/header_block.h
//
// The block of request header lines WebVisit sends: the caller's lines,
// completed with browser-like defaults, header names capitalised, a redundant
// keep-alive line dropped and a Cookie line added. Lines are separated by
// CRLF. Nothing here fails; a malformed block is passed on as built.
// Example: BuildHeaderBlock("", 0, "", true, true) ==
//   "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
//   "Accept: text/html, application/xhtml+xml, */*\r\n"
//   "Accept-Encoding: gbk, GB2312\r\nAccept-Language: zh-cn\r\nCache-Control: no-cache"
#pragma once

#include <string_view>

#include "text/types.h"

namespace gavrel {

// The block, in this order:
//  1. extraHeaders followed by CRLF (nothing when it is empty);
//  2. when addDefaultHeaders: each default line (User-Agent, Accept,
//     Accept-Encoding, Accept-Language, Content-Type only for method 1,
//     Cache-Control) appended unless its name followed by ": " (for
//     Content-Type just "Content-Type:") already occurs anywhere in the block,
//     letters folded; so "X-Accept: 1" suppresses the Accept default;
//  3. when normalizeHeaderCase: NormalizeHeaderNames (which drops the final
//     CRLF and every line without a colon);
//  4. when the block contains "Connection" and its Connection value is
//     exactly "keep-alive", every "Connection: keep-alive\r\n" is removed (a
//     last line without CRLF stays);
//  5. unless "Cookie:" occurs anywhere in the block (letters folded), a
//     non-empty cookies is added as "\r\nCookie: " + cookies + "\r\n", or as
//     "\r\n" + cookies + "\r\n" when cookies already holds "Cookie:".
[[nodiscard]] Text BuildHeaderBlock(std::string_view extraHeaders, int method,
                                    std::string_view cookies, bool addDefaultHeaders,
                                    bool normalizeHeaderCase);

// Every header name of the block capitalised per dash-separated part
// ("x-requested-with" -> "X-Requested-With", "USER-AGENT" unchanged); values
// untouched. Lines without a colon (empty ones too) are dropped; the lines
// kept are joined by CRLF with none after the last. No colon anywhere: "".
[[nodiscard]] Text NormalizeHeaderNames(std::string_view block);

// The first byte upper-cased when it is a-z; the rest unchanged. "" stays "".
[[nodiscard]] Text CapitalizeFirst(std::string_view text);

// The value of the first line whose first bytes are exactly name (a longer
// name starting with it qualifies too): the text after the last name + ": "
// in that line, or "" when that line lacks it. No such line: "".
[[nodiscard]] Text GetHeaderValue(std::string_view block, std::string_view name);

}  // namespace gavrel
