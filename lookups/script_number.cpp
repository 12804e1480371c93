// lookups/script_number.cpp
#include "lookups/script_number.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <memory>
#include <string>
#include <type_traits>

#include "text/codepage.h"

namespace gavrel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMaxTime = 8.64e15;

[[nodiscard]] bool IsScriptSpace(char16_t u) {
  switch (u) {
    case 0x0009: case 0x000A: case 0x000B: case 0x000C: case 0x000D:
    case 0x0020: case 0x00A0: case 0x1680: case 0x2028: case 0x2029:
    case 0x202F: case 0x205F: case 0x3000: case 0xFEFF:
      return true;
    default:
      return u >= 0x2000 && u <= 0x200A;
  }
}

[[nodiscard]] bool IsDigit(char16_t u) { return u >= u'0' && u <= u'9'; }

[[nodiscard]] int HexValue(char16_t u) {
  if (IsDigit(u)) return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

[[nodiscard]] double ParseHex(std::u16string_view digits) {
  if (digits.empty()) return kNaN;
  double value = 0;
  for (char16_t u : digits) {
    const int d = HexValue(u);
    if (d < 0) return kNaN;
    value = value * 16 + d;
  }
  return value;
}

// True when s is digits [. digits] [e [sign] digits] or . digits [exponent],
// with at least one digit in the mantissa.
[[nodiscard]] bool IsUnsignedDecimal(std::u16string_view s) {
  std::size_t i = 0;
  std::size_t mantissaDigits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++mantissaDigits;
  if (i < s.size() && s[i] == u'.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == s.size();
}

struct LocaleFree {
  void operator()(locale_t loc) const { freelocale(loc); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

// Reads an already checked decimal literal. strtod_l with the C locale keeps
// the decimal point a '.' whatever setlocale the program has called, and
// gives +-HUGE_VAL on overflow and 0 on underflow, as ECMAScript rounds.
[[nodiscard]] double ReadDecimal(std::u16string_view literal) {
  std::string ascii(literal.begin(), literal.end());
  const LocaleHandle c(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0)));
  if (!c) return kNaN;
  return strtod_l(ascii.c_str(), nullptr, c.get());
}

}  // namespace

double ScriptToNumber(std::string_view text) {
  const std::u16string units = TextToUtf16(text);
  std::u16string_view s = units;
  while (!s.empty() && IsScriptSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsScriptSpace(s.back())) s.remove_suffix(1);
  if (s.empty()) return 0;

  if (s.size() >= 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
    return ParseHex(s.substr(2));
  }

  double sign = 1;
  std::u16string_view unsignedPart = s;
  if (s.front() == u'+' || s.front() == u'-') {
    sign = s.front() == u'-' ? -1 : 1;
    unsignedPart.remove_prefix(1);
  }
  if (unsignedPart == u"Infinity") return sign * std::numeric_limits<double>::infinity();
  if (!IsUnsignedDecimal(unsignedPart)) return kNaN;
  return sign * ReadDecimal(unsignedPart);
}

double TimeClip(double time) {
  if (!std::isfinite(time) || std::fabs(time) > kMaxTime) return kNaN;
  return std::trunc(time);
}

}  // namespace gavrel
