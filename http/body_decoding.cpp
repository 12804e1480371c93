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
    if (std::optional<Text> decoded = DecodeCharset(body, charset)) return std::move(*decoded);
  }
  return BytesToText(body);
}

}  // namespace gavrel
