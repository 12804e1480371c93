// http/header_block.cpp
#include "http/header_block.h"

#include "text/markers.h"
#include "text/primitives.h"

namespace gavrel {
namespace {

constexpr std::string_view kCrlf = "\r\n";

struct DefaultHeader {
  std::string_view presence;  // searched anywhere in the block, letters folded
  std::string_view line;      // appended verbatim, CRLF included
  bool postOnly;
};

constexpr DefaultHeader kDefaults[] = {
    {"User-Agent: ",
     "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n",
     false},
    {"Accept: ", "Accept: text/html, application/xhtml+xml, */*\r\n", false},
    {"Accept-Encoding: ", "Accept-Encoding: gbk, GB2312\r\n", false},
    {"Accept-Language: ", "Accept-Language: zh-cn\r\n", false},
    {"Content-Type:", "Content-Type: application/x-www-form-urlencoded\r\n", true},
    {"Cache-Control: ", "Cache-Control: no-cache\r\n", false},
};

constexpr int kMethodPost = 1;

Text CapitalizeName(std::string_view name) {
  if (FindText(name, "-") == kNotFound) return CapitalizeFirst(name);
  Text out;
  std::size_t start = 0;
  for (;;) {
    std::size_t dash = name.find('-', start);
    out += CapitalizeFirst(name.substr(start, dash - start));
    if (dash == std::string_view::npos) break;
    out += '-';
    start = dash + 1;
  }
  return out;
}

}  // namespace

Text CapitalizeFirst(std::string_view text) {
  return UpperCase(TextLeft(text, 1)) + TextMid(text, 2, TextLength(text));
}

Text NormalizeHeaderNames(std::string_view block) {
  Text out;
  const TextList pieces = SplitText(block, kCrlf);
  for (const Text& piece : pieces.Items()) {
    Pos colon = FindText(piece, ":");
    if (colon == kNotFound) continue;
    out += CapitalizeName(TextLeft(piece, colon - 1));
    out += TextMid(piece, colon, TextLength(piece));
    out += kCrlf;
  }
  if (!out.empty()) out.resize(out.size() - kCrlf.size());
  return out;
}

Text GetHeaderValue(std::string_view block, std::string_view name) {
  const TextList pieces = SplitText(block, kCrlf);
  for (const Text& piece : pieces.Items()) {
    if (TextLeft(piece, TextLength(name)) == name) {
      return TextRightOfLast(piece, Text(name) + ": ");
    }
  }
  return {};
}

Text BuildHeaderBlock(std::string_view extraHeaders, int method, std::string_view cookies,
                      bool addDefaultHeaders, bool normalizeHeaderCase) {
  Text block;
  if (!extraHeaders.empty()) {
    block = extraHeaders;
    block += kCrlf;
  }
  if (addDefaultHeaders) {
    for (const DefaultHeader& d : kDefaults) {
      if (d.postOnly && method != kMethodPost) continue;
      if (FindText(block, d.presence, 1, true) == kNotFound) block += d.line;
    }
  }
  if (normalizeHeaderCase) block = NormalizeHeaderNames(block);
  if (FindText(block, "Connection") != kNotFound &&
      GetHeaderValue(block, "Connection") == "keep-alive") {
    block = ReplaceText(block, "Connection: keep-alive\r\n", "");
  }
  if (FindText(block, "Cookie:", 1, true) == kNotFound && !cookies.empty()) {
    if (FindText(cookies, "Cookie:", 1, true) == kNotFound) {
      block += "\r\nCookie: ";
    } else {
      block += kCrlf;
    }
    block += cookies;
    block += kCrlf;
  }
  return block;
}

}  // namespace gavrel
