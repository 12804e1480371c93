// lookups/script_date.cpp
#include "lookups/script_date.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace gavrel {
namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                  "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

[[nodiscard]] Text ZoneText(long offsetSeconds) {
  const long minutes = offsetSeconds / 60;
  if (minutes == 0) return "UTC";
  const long magnitude = std::labs(minutes);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "UTC%c%02ld%02ld", minutes < 0 ? '-' : '+',
                magnitude / 60, magnitude % 60);
  return buffer;
}

}  // namespace

Text ScriptDateText(double timeValue) {
  if (std::isnan(timeValue)) return "NaN";
  // Whole seconds toward the past, so that negative values with a fraction of
  // a second still show the second they fall in.
  const auto seconds = static_cast<std::time_t>(std::floor(timeValue / 1000.0));
  // localtime_r need not look at TZ again by itself; tzset makes a changed
  // zone count.
  tzset();
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return "NaN";
  if (local.tm_wday < 0 || local.tm_wday > 6 || local.tm_mon < 0 || local.tm_mon > 11) {
    return "NaN";
  }
  const long long year = static_cast<long long>(local.tm_year) + 1900;
  char clock[32];
  std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", local.tm_hour, local.tm_min,
                local.tm_sec);
  Text out;
  out += kWeekdays[static_cast<std::size_t>(local.tm_wday)];
  out += ' ';
  out += kMonths[static_cast<std::size_t>(local.tm_mon)];
  out += ' ';
  out += std::to_string(local.tm_mday);
  out += ' ';
  out += clock;
  out += ' ';
  out += ZoneText(local.tm_gmtoff);
  out += ' ';
  out += std::to_string(year);
  return out;
}

}  // namespace gavrel
