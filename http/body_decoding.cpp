// http/body_decoding.cpp
#include "http/body_decoding.h"

#include <algorithm>
#include <optional>

#include "http/utf8_page.h"
#include "regex/regex.h"
#include "text/codepage.h"
#include "text/primitives.h"

namespace gavrel {
namespace {

constexpr std::string_view kMetaCharsetPattern = "<meta.+?charset=[^\\w]?([-\\w]+)";
constexpr Pos kSearchedBytes = 1024;

// The decoder for a declared name. A page that declares GB2312 (in any
// letter case) is read as GBK, the superset that such pages really use and
// that Windows itself reads under that name: iconv's strict GB2312 would
// turn every character outside GB2312 into a replacement character.
std::string_view DecoderName(std::string_view charset) {
  return CompareText(charset, "gb2312", false) == 0 ? std::string_view("GBK") : charset;
}

}  // namespace

Text DeclaredCharset(std::string_view plain) {
  RegexObject regex;
  if (!regex.Create(kMetaCharsetPattern, TextLeft(plain, kSearchedBytes))) return {};
  return regex.SubMatchText(1, 1);
}

Text DecodeBody(const Bytes& body) {
  // Only the head of the plain conversion is searched; the whole of it is
  // made only when it is the result, so a large page is not copied twice.
  std::size_t head = std::min<std::size_t>(body.size(), kSearchedBytes);
  const auto* bytes = reinterpret_cast<const char*>(body.data());
  std::string_view subject(bytes, head);
  subject = subject.substr(0, subject.find('\0'));
  Text charset = DeclaredCharset(subject);
  if (!charset.empty() && charset != "gbk" && charset != "gb2312") {
    if (IsUtf8Name(charset)) {
      if (std::optional<Text> fast = DecodeUtf8Page(body)) return std::move(*fast);
    }
    if (std::optional<Text> decoded = DecodeCharset(body, DecoderName(charset)))
      return std::move(*decoded);
  }
  return BytesToText(body);
}

}  // namespace gavrel
