#include "text/primitives.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "text/char_search.h"

namespace gavrel {
namespace {

using detail::CharLength;
using detail::CharSearcher;
using detail::FoldAscii;
using detail::kNoMatch;

Pos Size(std::string_view text) { return static_cast<Pos>(text.size()); }

// Length of the blank that begins at i (0 when the character there is none).
std::size_t BlankLength(std::string_view text, std::size_t i) {
  if (text[i] == ' ') return 1;
  if (text[i] == '\xA1' && i + 1 < text.size() && text[i + 1] == '\xA1') return 2;
  return 0;
}

// Full-width forms folded to ASCII, as TextToInt reads them.
Text FoldFullWidth(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = CharLength(text, i);
    if (len == 2) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        out.push_back(static_cast<char>(trail - 0x80));
      } else if (lead == 0xA1 && trail == 0xA1) {
        out.push_back(' ');
      } else if (lead == 0xA1 && trail == 0xAB) {
        out.push_back('~');
      } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
        out.push_back('*');
      } else {
        out.append(text.substr(i, 2));
      }
    } else {
      out.push_back(text[i]);
    }
    i += len;
  }
  return out;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

Pos TextLength(std::string_view text) { return Size(text); }

Text TextLeft(std::string_view text, Pos n) {
  if (n <= 0) return {};
  return Text(text.substr(0, static_cast<std::size_t>(std::min(n, Size(text)))));
}

Text TextRight(std::string_view text, Pos n) {
  if (n <= 0) return {};
  const Pos take = std::min(n, Size(text));
  return Text(text.substr(text.size() - static_cast<std::size_t>(take)));
}

Text TextMid(std::string_view text, Pos start, Pos n) {
  if (start < 1 || start > Size(text) || n <= 0) return {};
  return Text(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n)));
}

int CharCode(std::string_view text) {
  if (text.empty()) return 0;
  return static_cast<int>(static_cast<signed char>(text[0]));
}

Pos FindText(std::string_view text, std::string_view sub, Pos start, bool ignoreCase) {
  const std::size_t from = start < 2 ? 0 : static_cast<std::size_t>(start - 1);
  if (from >= text.size()) return kNotFound;
  if (sub.empty()) return 1;
  CharSearcher searcher(text, sub, ignoreCase);
  const std::size_t at = searcher.Next(from);
  return at == kNoMatch ? kNotFound : static_cast<Pos>(at) + 1;
}

Pos FindTextLast(std::string_view text, std::string_view sub, std::optional<Pos> limit,
                 bool ignoreCase) {
  std::size_t searched = text.size();
  if (limit) {
    if (*limit < 2) return kNotFound;
    searched = static_cast<std::size_t>(std::min(*limit - 1, Size(text)));
  }
  if (searched == 0) return kNotFound;
  if (sub.empty()) return 1;
  // Only occurrences that end inside the searched part count, so the search
  // runs over that part alone; the walk still starts at the first byte.
  const std::string_view part = text.substr(0, searched);
  CharSearcher searcher(part, sub, ignoreCase);
  Pos last = kNotFound;
  for (std::size_t at = searcher.Next(0); at != kNoMatch;
       at = searcher.Next(at + CharLength(part, at))) {
    last = static_cast<Pos>(at) + 1;
  }
  return last;
}

Text ReplaceText(std::string_view text, std::string_view find, std::string_view with, Pos start,
                 std::optional<Pos> count, bool caseSensitive) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (text.empty() || find.empty() || from >= text.size() ||
      (count && *count <= 0)) {
    return Text(text);
  }
  Text out;
  out.reserve(text.size());
  out.append(text.substr(0, from));
  CharSearcher searcher(text, find, !caseSensitive);
  std::size_t pos = from;
  Pos done = 0;
  while (!count || done < *count) {
    const std::size_t at = searcher.Next(pos);
    if (at == kNoMatch) break;
    out.append(text.substr(pos, at - pos));
    out.append(with);
    pos = at + find.size();
    ++done;
  }
  out.append(text.substr(pos));
  return out;
}

TextList SplitText(std::string_view text, std::string_view separator) {
  TextList list;
  if (text.empty()) return list;
  if (separator.empty()) {
    list.Append(text);
    return list;
  }
  CharSearcher searcher(text, separator, false);
  std::size_t pos = 0;
  for (std::size_t at = searcher.Next(0); at != kNoMatch; at = searcher.Next(pos)) {
    list.Append(text.substr(pos, at - pos));
    pos = at + separator.size();
  }
  if (pos < text.size()) list.Append(text.substr(pos));
  return list;
}

Text TrimBothEnds(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t blank = BlankLength(text, i);
    if (blank == 0) break;
    i += blank;
  }
  const std::size_t begin = i;
  std::size_t end = i;  // just after the last character that is not a blank
  while (i < text.size()) {
    const std::size_t len = CharLength(text, i);
    if (BlankLength(text, i) == 0) end = i + len;
    i += len;
  }
  return Text(text.substr(begin, end - begin));
}

Text RemoveSpaces(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t blank = BlankLength(text, i);
    if (blank != 0) {
      i += blank;
      continue;
    }
    const std::size_t len = CharLength(text, i);
    out.append(text.substr(i, len));
    i += len;
  }
  return out;
}

Text UpperCase(std::string_view text) {
  Text out(text);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t len = CharLength(out, i);
    if (len == 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    i += len;
  }
  return out;
}

int CompareText(std::string_view a, std::string_view b, bool caseSensitive) {
  // Up to the first difference both texts hold the same bytes (letters aside,
  // which are single bytes), so their characters line up.
  const std::size_t common = std::min(a.size(), b.size());
  bool secondByte = false;
  for (std::size_t i = 0; i < common; ++i) {
    char x = a[i];
    char y = b[i];
    if (!caseSensitive && !secondByte) {
      x = FoldAscii(x);
      y = FoldAscii(y);
    }
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    secondByte = !secondByte && detail::IsHighByte(a[i]);
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Text BlankText(Pos n) {
  if (n < 1) return {};
  return Text(static_cast<std::size_t>(n), ' ');
}

std::int32_t TextToInt(std::string_view text) {
  const Text ascii = FoldFullWidth(text);
  std::size_t i = 0;
  while (i < ascii.size() && IsSpace(ascii[i])) ++i;
  bool negative = false;
  if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) {
    negative = ascii[i] == '-';
    ++i;
  }
  // Accumulated as a magnitude; once it passes 2^31 it stays clamped.
  constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
    value = std::min(kCap, value * 10 + (ascii[i] - '0'));
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min(value, kCap - 1));
}

Bytes TextToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

Text BytesToText(const Bytes& bytes) {
  const auto zero = std::find(bytes.begin(), bytes.end(), 0);
  return Text(bytes.begin(), zero);
}

}  // namespace gavrel
