#include "text/escape.h"

#include <string>

#include "text/codepage.h"
#include "text/primitives.h"

namespace gavrel {

namespace {

// U+2019, the right single quotation mark, in the program's code page. It
// stands in for the apostrophe while escaping and passes unescaped.
constexpr std::string_view kSubstitute = "\xA1\xAF";
constexpr char16_t kSubstituteUnit = 0x2019;

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Code units that escape() leaves as they are.
[[nodiscard]] bool PassesUnescaped(char16_t unit) {
  if ((unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') ||
      (unit >= u'0' && unit <= u'9')) {
    return true;
  }
  return std::u16string_view(u"@*_+-./").find(unit) != std::u16string_view::npos;
}

void AppendHex(Text& out, unsigned value, int digits) {
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
    out += kHexDigits[(value >> shift) & 0xF];
  }
}

// escape() over the UTF-16 units of text, with every apostrophe turned into
// the substitute first and the substitute kept as itself. A character beyond
// the BMP is two units and comes out as two %uXXXX.
[[nodiscard]] Text EscapeUnits(std::string_view text) {
  const std::u16string units = TextToUtf16(text);
  Text out;
  out.reserve(units.size() * 3);
  for (const char16_t unit : units) {
    if (unit == u'\'' || unit == kSubstituteUnit) {
      out += kSubstitute;
    } else if (PassesUnescaped(unit)) {
      out += static_cast<char>(unit);
    } else if (unit < 0x100) {
      out += '%';
      AppendHex(out, unit, 2);
    } else {
      out += "%u";
      AppendHex(out, unit, 4);
    }
  }
  return out;
}

}  // namespace

Text ScriptEscape(std::string_view text, bool bracketsPass, bool punctuationPass,
                  std::string_view unicodePrefix) {
  Text escaped = EscapeUnits(text);
  if (bracketsPass) {
    escaped = ReplaceText(escaped, "%7B", "{");
    escaped = ReplaceText(escaped, "%7D", "}");
    escaped = ReplaceText(escaped, "%5B", "[");
    escaped = ReplaceText(escaped, "%5D", "]");
    escaped = ReplaceText(escaped, "%28", "(");
    escaped = ReplaceText(escaped, "%29", ")");
  }
  if (punctuationPass) {
    escaped = ReplaceText(escaped, "%3A", ":");
    escaped = ReplaceText(escaped, "%2C", ",");
    escaped = ReplaceText(escaped, "%22", "\"");
  }
  if (unicodePrefix != "%u" && !TrimBothEnds(unicodePrefix).empty()) {
    escaped = ReplaceText(escaped, "%u", unicodePrefix);
  }
  return ReplaceText(escaped, kSubstitute, "'");
}

}  // namespace gavrel
