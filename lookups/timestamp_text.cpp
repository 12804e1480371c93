// lookups/timestamp_text.cpp
//
// TimestampToText: the publish-time stamp of an article page as a date text.
// A stamp of exactly ten bytes is seconds, shown in China time (UTC+8) as
// "yyyy-MM-dd  HH:mm:ss" (two blanks; "hh" when the locale uses a 12-hour
// clock, without AM/PM). Any other stamp is read as a script engine reads
// the argument of Date.setTime, and the engine's date text is reassembled as
// "year-month-day time", e.g. "2020-4-21 14:30:00" in the machine's zone.
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "lookups/clock_style.h"
#include "lookups/lookups.h"
#include "lookups/script_date.h"
#include "lookups/script_number.h"

namespace gavrel {
namespace {

constexpr long long kChinaOffsetSeconds = 8 * 3600;

// Ten bytes that are an optional sign and decimal digits; anything else is
// not a whole number of seconds.
[[nodiscard]] bool ReadWholeSeconds(std::string_view stamp, long long& seconds) {
  std::size_t i = 0;
  bool negative = false;
  if (!stamp.empty() && (stamp[0] == '+' || stamp[0] == '-')) {
    negative = stamp[0] == '-';
    i = 1;
  }
  if (i == stamp.size()) return false;
  long long value = 0;
  for (; i < stamp.size(); ++i) {
    if (stamp[i] < '0' || stamp[i] > '9') return false;
    value = value * 10 + (stamp[i] - '0');
  }
  seconds = negative ? -value : value;
  return true;
}

[[nodiscard]] Text CalendarText(std::string_view stamp) {
  long long seconds = 0;
  if (!ReadWholeSeconds(stamp, seconds)) return {};
  using namespace std::chrono;
  const sys_seconds at{std::chrono::seconds{seconds + kChinaOffsetSeconds}};
  const sys_days day = floor<days>(at);
  const year_month_day date{day};
  const hh_mm_ss clock{at - day};
  int hour = static_cast<int>(clock.hours().count());
  if (UsesTwelveHourClock()) {
    hour %= 12;
    if (hour == 0) hour = 12;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u  %02d:%02d:%02d",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), hour,
                static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return buffer;
}

// The engine's date text split at each single blank; two blanks in a row
// give an empty part, a blank at the end adds none.
[[nodiscard]] std::vector<std::string_view> SplitAtBlanks(std::string_view text) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    parts.push_back(text.substr(0, blank));
    if (blank == std::string_view::npos) break;
    text.remove_prefix(blank + 1);
  }
  return parts;
}

[[nodiscard]] Text MonthNumber(std::string_view abbreviation) {
  constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr",
                                                        "May", "Jun", "Jul", "Aug",
                                                        "Sep", "Oct", "Nov", "Dec"};
  for (std::size_t i = 0; i < kMonths.size(); ++i) {
    if (abbreviation == kMonths[i]) return std::to_string(i + 1);
  }
  return Text(abbreviation);
}

[[nodiscard]] Text ScriptBranchText(std::string_view stamp) {
  const Text dateText = ScriptDateText(TimeClip(ScriptToNumber(stamp)));
  if (dateText.empty()) return {};
  const std::vector<std::string_view> parts = SplitAtBlanks(dateText);
  if (parts.size() < 6) return {};
  Text out(parts[5]);
  out += '-';
  out += MonthNumber(parts[1]);
  out += '-';
  out += parts[2];
  out += ' ';
  out += parts[3];
  return out;
}

}  // namespace

Text TimestampToText(std::string_view stamp) {
  if (stamp.size() == 10) return CalendarText(stamp);
  return ScriptBranchText(stamp);
}

}  // namespace gavrel
