#include "regex/pattern_dialect.h"

namespace gavrel::regex_detail {

namespace {

// ECMAScript's white space and line terminators, as class items. The escapes
// \xHH and \uHHHH are read by PCRE2 under PCRE2_ALT_BSUX, which the object
// always sets.
constexpr std::u16string_view kSpaceItems =
    u"\\x09-\\x0D\\x20\\u00A0\\u1680\\u2000-\\u200A\\u2028\\u2029\\u202F\\u205F\\u3000\\uFEFF";

// Everything else, up to U+10FFFF. \uHHHH cannot name a character beyond the
// BMP, so the last range ends in the literal surrogate pair of U+10FFFF.
constexpr std::u16string_view kNonSpaceItems =
    u"\\x00-\\x08\\x0E-\\x1F\\x21-\\x9F\\u00A1-\\u167F\\u1681-\\u1FFF\\u200B-\\u2027"
    u"\\u202A-\\u202E\\u2030-\\u205E\\u2060-\\u2FFF\\u3001-\\uFEFE\\uFF00-\xDBFF\xDFFF";

// A POSIX item such as [:alpha:] inside a class: its length from the '[' on,
// or 0 when none starts at i. PCRE2 reads it as one item, so an \s inside it
// is not an escape.
std::size_t PosixItemLength(std::u16string_view p, std::size_t i) {
  if (i + 1 >= p.size() || p[i] != u'[') return 0;
  const char16_t kind = p[i + 1];
  if (kind != u':' && kind != u'.' && kind != u'=') return 0;
  for (std::size_t k = i + 2; k + 1 < p.size(); ++k) {
    if (p[k] == u']') return 0;  // PCRE2 gives up on the item at a bare ']'
    if (p[k] == kind && p[k + 1] == u']') return k + 2 - i;
  }
  return 0;
}

}  // namespace

std::optional<std::u16string> TranslatePattern(std::u16string_view p) {
  std::u16string out;
  out.reserve(p.size());
  bool inClass = false;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char16_t c = p[i];
    if (c == u'\\') {
      if (i + 1 == p.size()) return std::nullopt;
      const char16_t e = p[++i];
      if (e == u's' || e == u'S') {
        if (inClass) {
          out += e == u's' ? kSpaceItems : kNonSpaceItems;
          // A hyphen right after a class escape is a literal hyphen, not a
          // range from the last character of the expansion.
          if (i + 1 < p.size() && p[i + 1] == u'-') {
            out += u"\\-";
            ++i;
          }
        } else {
          out += e == u's' ? u"[" : u"[^";
          out += kSpaceItems;
          out += u']';
        }
      } else if (e == u'Q' || e == u'E') {
        out += e;  // ECMAScript: an escaped letter without meaning is the letter
      } else {
        out += c;
        out += e;
      }
      continue;
    }
    if (inClass) {
      if (const std::size_t n = PosixItemLength(p, i); n != 0) {
        out += p.substr(i, n);
        i += n - 1;
        continue;
      }
      if (c == u']') inClass = false;
      out += c;
      continue;
    }
    out += c;
    if (c == u'[') {
      inClass = true;
      if (i + 1 < p.size() && p[i + 1] == u'^') out += p[++i];
    }
  }
  return out;
}

}  // namespace gavrel::regex_detail
