// http/cookies.h
//
// The cookies and Location of a response, and the merge of sent and
// received cookies. A cookie text is name=value pairs joined by "; ". Only
// the first name=value of a Set-Cookie line is kept; attributes are dropped;
// a pair ending in "=deleted" counts as removed. A caller that passes the
// same two variables (cookies, receivedCookies) to every WebVisit carries a
// cookie jar from request to request.
// Example: with cookies "a=0; b=2" and a response setting a=1 and c=3, both
//   variables come back as "a=1; c=3; b=2".
#pragma once

#include <string_view>

#include "text/text_list.h"
#include "text/types.h"

namespace gavrel {

// Walks the raw header block line by line (lines split at CRLF):
//  - a line whose name before the first ": " is exactly "Set-Cookie" (case
//    counts) adds its pair to receivedCookies: the text between "Set-Cookie:"
//    and the first ";" after it (or the whole line without "Set-Cookie:"
//    when it has no ";"), trimmed of blanks, followed by "; " (nothing is put
//    in front, so a value held on entry runs straight into the first pair);
//  - a line starting with "Location: " (letters folded) sets location to the
//    rest of the line; a later one wins; none leaves location unchanged;
//  - after each line, pending window messages are pumped (PumpMessages).
// A trailing "; " of receivedCookies is then dropped. When
// mergeReceivedCookies is set and cookies is not empty, both become
// MergeCookies(cookies, receivedCookies).
void HarvestResponseHeaders(std::string_view responseHeaders, Text& cookies, Text& receivedCookies,
                            Text& location, bool mergeReceivedCookies);

// Merges the sent pairs into the received ones: every blank is first removed
// from both variables (inside values too); the received pairs come first in
// their order, then each sent pair whose name is not there yet, in sent
// order; pairs ending in "=deleted" and exact repeats are left out. sent
// takes the merged text (received keeps its blank-free form); the merged
// text is returned.
Text MergeCookies(Text& sent, Text& received);

// The pair's text before its first "=" (all of it when there is none), with
// blanks trimmed at both ends.
[[nodiscard]] Text CookieName(std::string_view pair);

// True when some pair of the list has exactly (case counts) that name.
[[nodiscard]] bool HasCookieName(const TextList& pairs, std::string_view name);

// The text split at separator with repeated parts (exact repeats) dropped,
// joined again by separator; the first occurrence keeps its place. "" -> "".
[[nodiscard]] Text DedupParts(std::string_view text, std::string_view separator);

// 1-based position of the first element equal to text (case counts), or -1.
[[nodiscard]] Pos IndexOfText(const TextList& list, std::string_view text);

}  // namespace gavrel
