// http/cookies.cpp
#include "http/cookies.h"

#include <string>
#include <unordered_set>

#include "http/pump.h"
#include "text/markers.h"
#include "text/primitives.h"

namespace gavrel {
namespace {

constexpr std::string_view kPairSeparator = "; ";

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

void HarvestResponseHeaders(std::string_view responseHeaders, Text& cookies, Text& receivedCookies,
                            Text& location, bool mergeReceivedCookies) {
  const TextList lines = SplitText(responseHeaders, "\r\n");
  for (const Text& line : lines.Items()) {
    if (TextLeftOf(line, ": ") == "Set-Cookie") {
      Text pair = FindText(line, ";") != kNotFound
                      ? TextBetween(line, "Set-Cookie:", ";")
                      : ReplaceText(line, "Set-Cookie:", "", 1, std::nullopt, false);
      receivedCookies += TrimBothEnds(pair);
      receivedCookies += kPairSeparator;
    }
    if (CompareText(TextLeft(line, 10), "Location: ", false) == 0) {
      location = TextMid(line, 11, TextLength(line) - 10);
    }
    PumpMessages();
  }
  if (EndsWith(receivedCookies, kPairSeparator)) {
    receivedCookies.resize(receivedCookies.size() - kPairSeparator.size());
  }
  if (mergeReceivedCookies && !cookies.empty()) {
    receivedCookies = MergeCookies(cookies, receivedCookies);
  }
}

Text MergeCookies(Text& sent, Text& received) {
  sent = RemoveSpaces(sent);
  received = RemoveSpaces(received);
  TextList merged = SplitText(received, ";");
  // The names in the merged list, so that a long jar is not scanned again
  // for every sent pair; the same test as HasCookieName over the list.
  std::unordered_set<Text> names;
  for (const Text& pair : merged.Items()) names.insert(CookieName(pair));
  const TextList pairs = SplitText(sent, ";");
  for (const Text& pair : pairs.Items()) {
    if (names.insert(CookieName(pair)).second) merged.Append(pair);
  }
  Text text;
  for (const Text& pair : merged.Items()) {
    if (TextRight(pair, 8) == "=deleted") continue;
    text += pair;
    text += kPairSeparator;
  }
  if (!text.empty()) text.resize(text.size() - kPairSeparator.size());
  text = DedupParts(text, kPairSeparator);
  sent = text;
  return text;
}

Text CookieName(std::string_view pair) {
  Pos equals = FindText(pair, "=");
  return TrimBothEnds(equals == kNotFound ? Text(pair) : TextLeft(pair, equals - 1));
}

bool HasCookieName(const TextList& pairs, std::string_view name) {
  for (const Text& pair : pairs.Items()) {
    if (CookieName(pair) == name) return true;
  }
  return false;
}

Text DedupParts(std::string_view text, std::string_view separator) {
  Text out;
  std::unordered_set<Text> seen;  // same answer as IndexOfText over the parts seen
  const TextList parts = SplitText(text, separator);
  for (const Text& part : parts.Items()) {
    if (!seen.insert(part).second) continue;
    out += part;
    out += separator;
  }
  if (TextLength(out) >= TextLength(separator)) out.resize(out.size() - separator.size());
  return out;
}

Pos IndexOfText(const TextList& list, std::string_view text) {
  const auto& items = list.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return static_cast<Pos>(i) + 1;
  }
  return kNotFound;
}

}  // namespace gavrel
