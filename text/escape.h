// text/escape.h
//
// Percent-escaping of query texts by the rule of ECMAScript's escape(),
// applied to the UTF-16 form of the text, with the apostrophe kept as is.
// Example: ScriptEscape("a b") == "a%20b"; ScriptEscape("中") == "%u4E2D"
#pragma once

#include <string_view>

#include "text/types.h"

namespace gavrel {

// Letters, digits and @*_+-./ stay; other units below 256 become %XX, the
// rest %uXXXX (capital hex). An apostrophe or U+2019 comes out as "'".
// bracketsPass turns %7B %7D %5B %5D %28 %29 back into {}[](); punctuationPass
// turns %3A %2C %22 back into :," ; a non-blank unicodePrefix other than "%u"
// replaces every "%u".
[[nodiscard]] Text ScriptEscape(std::string_view text, bool bracketsPass = false,
                                bool punctuationPass = false, std::string_view unicodePrefix = {});

}  // namespace gavrel
