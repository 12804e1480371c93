// lookups/marker_text.h
//
// Small helpers the tools share for writing their markers.
// Markers are written in our sources with a plain double quote where the
// page holds one; Marker turns each into the "#引号" token that TextBetween
// expands back, so the cut searches exactly what the marker shows.
// Example: Marker("content=\"") == "content=" + kQuoteToken
#pragma once

#include <string>
#include <string_view>

#include "text/markers.h"
#include "text/types.h"

namespace gavrel {

// ascii with every '"' replaced by kQuoteToken.
[[nodiscard]] inline Text Marker(std::string_view ascii) {
  Text out;
  for (char c : ascii) {
    if (c == '"') {
      out += kQuoteToken;
    } else {
      out += c;
    }
  }
  return out;
}

// Two cuts: the piece between left1 and right1 in source, then the piece
// between left2 and right2 in that piece. An empty first piece gives the
// empty text, since nothing can be found in it.
[[nodiscard]] inline Text CutTwice(std::string_view source, std::string_view left1,
                                   std::string_view right1, std::string_view left2,
                                   std::string_view right2) {
  return TextBetween(TextBetween(source, left1, right1), left2, right2);
}

}  // namespace gavrel
