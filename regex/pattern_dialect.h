// regex/pattern_dialect.h
//
// Rewrites an ECMAScript-style pattern into one that PCRE2 reads the same
// way. PCRE2 (compiled without Unicode properties, so that \w stays ASCII)
// takes \s as ASCII white space only; ECMAScript's \s also covers the
// Unicode spaces, the full-width space U+3000 among them. So \s and \S are
// spelled out as explicit classes, inside and outside brackets. The other
// dialect points are compile options (see regex_object.cpp).
// Example: TranslatePattern(u"[^\\s]*") == u"[^\\x09-\\x0D\\x20\\u00A0...]*"
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gavrel::regex_detail {

// The pattern with every \s and \S that stands as an escape (not after an
// escaping backslash, not inside a POSIX [:name:] item) replaced by its
// explicit class. \Q and \E, which ECMAScript reads as the letters Q and E,
// become those letters. Everything else is copied unchanged, so that PCRE2
// still reports a malformed pattern as an error. Empty optional for a
// pattern that ends in a lone backslash, which PCRE2 would otherwise take as
// a literal backslash once unknown escapes are literal.
[[nodiscard]] std::optional<std::u16string> TranslatePattern(std::u16string_view pattern);

}  // namespace gavrel::regex_detail
