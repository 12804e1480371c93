#include "text/codepage.h"

#include <string>

#include "text/iconv_converter.h"

namespace gavrel {
namespace {

using detail::ConvertLenient;
using detail::Iconv;
using detail::SourceRule;
using detail::Target;

constexpr const char* kTextCharset = "GB18030";

// Converts between two charsets that every glibc knows; a missing converter
// (a broken installation) gives the empty result rather than a crash.
std::string Convert(std::string_view input, const char* from, SourceRule rule, Target target) {
  if (input.empty()) return {};
  auto cd = Iconv::Open(detail::TargetName(target), from);
  if (!cd) return {};
  return ConvertLenient(*cd, input, rule, target);
}

// Text never holds a zero byte: a conversion result ends before its first one.
Text CutAtZero(std::string converted) {
  const auto zero = converted.find('\0');
  if (zero != std::string::npos) converted.resize(zero);
  return converted;
}

std::string_view BeforeZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// Little-endian bytes of UTF-16 units, independent of the host's byte order.
std::string UnitsToLeBytes(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (const char16_t u : units) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

}  // namespace

Bytes ToWideBytes(std::string_view text, bool dropTerminator) {
  const std::string_view content = BeforeZero(text);
  if (content.empty()) return {};
  const std::string wide = Convert(content, kTextCharset, SourceRule::kGb18030, Target::kUtf16Le);
  Bytes out(wide.begin(), wide.end());
  if (!dropTerminator) {
    out.push_back(0);
    out.push_back(0);
  }
  return out;
}

Text WideToText(const Bytes& wide) {
  std::size_t units = wide.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    if (wide[2 * i] == 0 && wide[2 * i + 1] == 0) {
      units = i;
      break;
    }
  }
  const std::string_view le(reinterpret_cast<const char*>(wide.data()), units * 2);
  return CutAtZero(Convert(le, "UTF-16LE", SourceRule::kUnit16, Target::kGb18030));
}

std::u16string TextToUtf16(std::string_view text) {
  const std::string le = Convert(text, kTextCharset, SourceRule::kGb18030, Target::kUtf16Le);
  std::u16string units(le.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(le[2 * i]) |
                                     (static_cast<unsigned char>(le[2 * i + 1]) << 8));
  }
  return units;
}

Text Utf16ToText(std::u16string_view units) {
  return CutAtZero(
      Convert(UnitsToLeBytes(units), "UTF-16LE", SourceRule::kUnit16, Target::kGb18030));
}

Text Utf8ToText(std::string_view utf8) {
  return CutAtZero(Convert(utf8, "UTF-8", SourceRule::kByte, Target::kGb18030));
}

Text Utf8ToText(std::u8string_view utf8) {
  return Utf8ToText(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

std::string TextToUtf8(std::string_view text) {
  return Convert(text, kTextCharset, SourceRule::kGb18030, Target::kUtf8);
}

std::optional<Text> DecodeCharset(const Bytes& bytes, std::string_view charset) {
  // An empty name would make iconv pick the locale's charset, and "//" suffixes
  // switch on iconv's own error handling; neither is a charset a page can mean.
  if (charset.empty() || charset.find('/') != std::string_view::npos ||
      charset.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  auto cd = Iconv::Open(kTextCharset, std::string(charset));
  if (!cd) return std::nullopt;
  const std::string_view input(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return CutAtZero(
      ConvertLenient(*cd, input, detail::RuleForCharset(charset), Target::kGb18030));
}

}  // namespace gavrel
