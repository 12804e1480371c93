#include "text/markers.h"

#include "text/primitives.h"

namespace gavrel {
namespace {

// A marker with every "#引号" token turned into one double quote.
Text ExpandQuoteToken(std::string_view marker) {
  if (marker.find('#') == std::string_view::npos) return Text(marker);
  return ReplaceText(marker, kQuoteToken, "\"");
}

}  // namespace

Text TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return Text(text.substr(first, last - first + 1));
}

Text TextLeftOf(std::string_view text, std::string_view marker, Pos start, bool ignoreCase) {
  const Pos p = FindText(text, marker, start < 1 ? 1 : start, ignoreCase);
  if (p == kNotFound) return {};
  return TextLeft(text, p - 1);
}

Text TextRightOfLast(std::string_view text, std::string_view marker, std::optional<Pos> limit,
                     bool ignoreCase) {
  const Pos length = TextLength(text);
  const Pos p = FindTextLast(text, marker, limit ? *limit : length + 1, ignoreCase);
  if (p == kNotFound) return {};
  return TextRight(text, length - TextLength(marker) - p + 1);
}

Text TextBetween(std::string_view text, std::string_view left, std::string_view right, Pos start,
                 bool ignoreCase) {
  const Text l = ExpandQuoteToken(left);
  const Text r = ExpandQuoteToken(right);
  const Pos p = FindText(text, l, start, ignoreCase);
  if (p == kNotFound) return {};
  const Pos b = p + TextLength(l);
  const Pos q = FindText(text, r, b, ignoreCase);
  if (q == kNotFound) return {};
  return TextMid(text, b, q - b);
}

Text ReplaceBatch(std::string_view text, std::optional<Pos> count, Pos start, bool caseSensitive,
                  std::string_view find1, std::string_view with1, std::string_view find2,
                  std::string_view with2, std::string_view find3, std::string_view with3,
                  std::string_view find4, std::string_view with4, std::string_view find5,
                  std::string_view with5) {
  const Pos from = start == 0 ? 1 : start;
  const std::pair<std::string_view, std::string_view> pairs[] = {
      {find1, with1}, {find2, with2}, {find3, with3}, {find4, with4}, {find5, with5}};
  Text result(text);
  for (const auto& [find, with] : pairs) {
    if (find.empty()) continue;
    result = ReplaceText(result, find, with, from, count, caseSensitive);
  }
  return result;
}

}  // namespace gavrel
