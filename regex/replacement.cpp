#include "regex/replacement.h"

namespace gavrel::regex_detail {

namespace {

[[nodiscard]] bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

void AppendGroup(std::u16string& out, std::u16string_view subject,
                 std::span<const std::size_t> groups, std::size_t group) {
  const std::size_t start = groups[2 * group];
  const std::size_t end = groups[2 * group + 1];
  if (start == kUnsetOffset || end < start) return;
  out += subject.substr(start, end - start);
}

}  // namespace

void AppendReplacement(std::u16string& out, std::u16string_view replacement,
                       std::u16string_view subject, std::span<const std::size_t> groups) {
  const std::size_t groupCount = groups.size() / 2 - 1;
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    const char16_t c = replacement[i];
    if (c != u'$' || i + 1 == replacement.size()) {
      out += c;
      continue;
    }
    const char16_t next = replacement[i + 1];
    if (next == u'$') {
      out += u'$';
      ++i;
    } else if (next == u'&') {
      AppendGroup(out, subject, groups, 0);
      ++i;
    } else if (next == u'`') {
      out += subject.substr(0, groups[0]);
      ++i;
    } else if (next == u'\'') {
      out += subject.substr(groups[1]);
      ++i;
    } else if (IsDigit(next)) {
      std::size_t number = next - u'0';
      std::size_t used = 1;
      if (i + 2 < replacement.size() && IsDigit(replacement[i + 2])) {
        const std::size_t twoDigits = number * 10 + (replacement[i + 2] - u'0');
        if (twoDigits >= 1 && twoDigits <= groupCount) {
          number = twoDigits;
          used = 2;
        }
      }
      if (number >= 1 && number <= groupCount) {
        AppendGroup(out, subject, groups, number);
        i += used;
      } else {
        out += c;  // no such group: the dollar sign and digits stay
      }
    } else {
      out += c;
    }
  }
}

}  // namespace gavrel::regex_detail
