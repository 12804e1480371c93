// Tests of the publish-time text: the ten-byte calendar branch (China time,
// the locale's clock style) and the script branch for every other stamp
// (the machine's zone, the engine's number reading and date text).
#include <gtest/gtest.h>
#include <locale.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "lookups/clock_style.h"
#include "lookups/lookups.h"
#include "lookups/script_date.h"
#include "lookups/script_number.h"
#include "tests/lookups/scoped_env.h"

namespace gavrel {
namespace {

using testing::ScopedEnv;

// Zones written as POSIX TZ rules, so no zone database is needed.
constexpr const char* kChina = "CST-8";
constexpr const char* kUtc = "UTC0";
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";
constexpr const char* kIndia = "IST-5:30";

// Locales that scripts/install-deps.sh generates.
constexpr const char* kTwelveHour = "en_US.UTF-8";
constexpr const char* kTwentyFourHour = "de_DE.UTF-8";

void RequireLocale(const char* name) {
  locale_t loc = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(0));
  ASSERT_NE(loc, static_cast<locale_t>(0))
      << name << " is not installed; run scripts/install-deps.sh";
  freelocale(loc);
}

class TimestampTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RequireLocale(kTwelveHour);
    RequireLocale(kTwentyFourHour);
  }
};

struct Case {
  const char* name;
  const char* zone;
  const char* locale;
  std::string stamp;
  std::string want;
};

TEST_F(TimestampTextTest, TenByteStampsAreSecondsInChinaTime) {
  const Case cases[] = {
      {"24-hour clock", kChina, kTwentyFourHour, "1587450600", "2020-04-21  14:30:00"},
      {"12-hour clock, no AM/PM", kChina, kTwelveHour, "1587450600", "2020-04-21  02:30:00"},
      {"same text whatever the zone", kNewYork, kTwentyFourHour, "1587450600",
       "2020-04-21  14:30:00"},
      {"zone with half hours", kIndia, kTwelveHour, "1587450600", "2020-04-21  02:30:00"},
      {"midnight, 24-hour", kUtc, kTwentyFourHour, "1587398400", "2020-04-21  00:00:00"},
      {"midnight, 12-hour reads 12", kUtc, kTwelveHour, "1587398400", "2020-04-21  12:00:00"},
      {"noon, 12-hour reads 12", kUtc, kTwelveHour, "1587441600", "2020-04-21  12:00:00"},
      {"C locale is 24-hour", kUtc, "C", "1587450600", "2020-04-21  14:30:00"},
      {"zero seconds", kUtc, kTwentyFourHour, "0000000000", "1970-01-01  08:00:00"},
      {"before 1970", kUtc, kTwentyFourHour, "-000000001", "1970-01-01  07:59:59"},
      {"largest ten digits", kUtc, kTwentyFourHour, "9999999999", "2286-11-21  01:46:39"},
      {"smallest ten bytes", kUtc, kTwentyFourHour, "-999999999", "1938-04-25  06:13:21"},
      {"not a whole number", kUtc, kTwentyFourHour, "15874506x0", ""},
      {"a fraction", kUtc, kTwentyFourHour, "158745.060", ""},
      {"leading blank", kUtc, kTwentyFourHour, " 158745060", ""},
      {"a sign alone", kUtc, kTwentyFourHour, "+---------", ""},
      {"double-byte characters", kUtc, kTwentyFourHour,
       "\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4\xD6\xD0", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.stamp.size(), 10u);
    ScopedEnv env({{"TZ", c.zone}, {"LC_ALL", c.locale}});
    EXPECT_EQ(TimestampToText(c.stamp), c.want);
  }
}

TEST_F(TimestampTextTest, OtherStampsAreMillisecondsInTheMachineZone) {
  const Case cases[] = {
      {"13 digits, China", kChina, kTwentyFourHour, "1587450600000", "2020-4-21 14:30:00"},
      {"13 digits, UTC", kUtc, kTwentyFourHour, "1587450600000", "2020-4-21 06:30:00"},
      {"13 digits, New York summer time", kNewYork, kTwentyFourHour, "1587450600000",
       "2020-4-21 02:30:00"},
      {"13 digits, New York winter time", kNewYork, kTwentyFourHour, "1577880000000",
       "2020-1-1 07:00:00"},
      {"always a 24-hour clock", kChina, kTwelveHour, "1587450600000", "2020-4-21 14:30:00"},
      {"empty stamp is zero", kChina, kTwentyFourHour, "", "1970-1-1 08:00:00"},
      {"empty stamp, UTC", kUtc, kTwentyFourHour, "", "1970-1-1 00:00:00"},
      {"9 digits are milliseconds too", kChina, kTwentyFourHour, "158745060",
       "1970-1-3 04:05:45"},
      {"11 digits", kChina, kTwentyFourHour, "15874506000", "1970-7-4 01:35:06"},
      {"blanks and line breaks around", kChina, kTwentyFourHour, " \t1587450600000\r\n",
       "2020-4-21 14:30:00"},
      {"full-width blank alone is zero", kChina, kTwentyFourHour, "\xA1\xA1",
       "1970-1-1 08:00:00"},
      {"hex", kChina, kTwentyFourHour, "0x1719b6dda40", "2020-4-21 14:30:00"},
      {"hex with capital X", kChina, kTwentyFourHour, "0X1719B6DDA40", "2020-4-21 14:30:00"},
      {"exponent", kChina, kTwentyFourHour, "1.5874506e12", "2020-4-21 14:30:00"},
      {"fraction is dropped", kChina, kTwentyFourHour, "1587450600999.9",
       "2020-4-21 14:30:00"},
      {"negative shows the second it falls in", kChina, kTwentyFourHour, "-1",
       "1970-1-1 07:59:59"},
      {"latest time a date holds", kChina, kTwentyFourHour, "8.64e15", "275760-9-13 08:00:00"},
      {"earliest time a date holds", kChina, kTwentyFourHour, "-8.64e15",
       "-271821-4-20 08:00:00"},
      {"one past the latest", kChina, kTwentyFourHour, "8640000000000001", ""},
      {"Infinity", kChina, kTwentyFourHour, "Infinity", ""},
      {"not a number", kChina, kTwentyFourHour, "NaN", ""},
      {"digits then letters", kChina, kTwentyFourHour, "1587450600000ms", ""},
      {"script text is never run", kChina, kTwentyFourHour, "');alert(1);('", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEnv env({{"TZ", c.zone}, {"LC_ALL", c.locale}});
    EXPECT_EQ(TimestampToText(c.stamp), c.want);
  }
}

// The zone part does not reach TimestampToText's result, so it is checked
// on the engine's date text itself.
TEST_F(TimestampTextTest, DateTextHasSixPartsAndTheZoneOffset) {
  struct ZoneCase {
    const char* zone;
    double time;
    const char* want;
  };
  const ZoneCase cases[] = {
      {kChina, 0, "Thu Jan 1 08:00:00 UTC+0800 1970"},
      {kUtc, 0, "Thu Jan 1 00:00:00 UTC 1970"},
      {kIndia, 0, "Thu Jan 1 05:30:00 UTC+0530 1970"},
      {kNewYork, 0, "Wed Dec 31 19:00:00 UTC-0500 1969"},
      {kNewYork, 1587450600000, "Tue Apr 21 02:30:00 UTC-0400 2020"},
      {kUtc, -62135596800000.0 - 1000, "Sun Dec 31 23:59:59 UTC 0"},
      {kUtc, std::numeric_limits<double>::quiet_NaN(), "NaN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    ScopedEnv env({{"TZ", c.zone}});
    EXPECT_EQ(ScriptDateText(c.time), c.want);
  }
}

TEST(ScriptNumberTest, ReadsStringsAsTheScriptLanguageDoes) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct NumberCase {
    std::string text;
    double want;
  };
  const NumberCase cases[] = {
      {"", 0},
      {"   ", 0},
      {"\v\f\t\r\n 12 \n", 12},
      {"\xA1\xA1" "12\xA1\xA1", 12},   // full-width blanks
      {"\x81\x30\x84\x32" "7", 7},     // no-break space U+00A0
      {"+12", 12},
      {"-12", -12},
      {"012", 12},                     // no octal
      {"1e3", 1000},
      {"1E+3", 1000},
      {"25e-1", 2.5},
      {".5", 0.5},
      {"5.", 5},
      {"-.5e1", -5},
      {"1e400", inf},
      {"-1e400", -inf},
      {"1e-400", 0},
      {"0x1f", 31},
      {"0XFF", 255},
      {"Infinity", inf},
      {"+Infinity", inf},
      {"-Infinity", -inf},
      {"infinity", nan},
      {"inf", nan},
      {"0x", nan},
      {"-0x10", nan},
      {"0x1g", nan},
      {"0b101", nan},
      {"1e", nan},
      {"1e+", nan},
      {".", nan},
      {"+", nan},
      {"1.2.3", nan},
      {"1 2", nan},
      {"1,5", nan},
      {"\xA3\xB1\xA3\xB2", nan},       // full-width digits are not digits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("text: [" + c.text + "]");
    const double got = ScriptToNumber(c.text);
    if (std::isnan(c.want)) {
      EXPECT_TRUE(std::isnan(got)) << got;
    } else {
      EXPECT_EQ(got, c.want);
    }
  }
}

TEST_F(TimestampTextTest, NumberReadingIgnoresTheProgramDecimalComma) {
  // A window program may switch its numeric locale to one that writes a comma.
  const std::string old = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, kTwentyFourHour), nullptr);
  EXPECT_EQ(ScriptToNumber("2.5"), 2.5);
  EXPECT_TRUE(std::isnan(ScriptToNumber("2,5")));
  std::setlocale(LC_NUMERIC, old.c_str());
}

TEST_F(TimestampTextTest, ClockStyleComesFromTheEnvironment) {
  struct StyleCase {
    const char* name;
    std::optional<std::string> all, time, lang;
    bool twelveHour;
  };
  const StyleCase cases[] = {
      {"LC_ALL decides", kTwelveHour, kTwentyFourHour, kTwentyFourHour, true},
      {"LC_ALL over LC_TIME", kTwentyFourHour, kTwelveHour, std::nullopt, false},
      {"LC_TIME over LANG", std::nullopt, kTwelveHour, kTwentyFourHour, true},
      {"LANG alone", std::nullopt, std::nullopt, kTwelveHour, true},
      {"nothing set is C", std::nullopt, std::nullopt, std::nullopt, false},
      {"unknown locale counts as C", "xx_XX.UTF-8", std::nullopt, std::nullopt, false},
      {"Chinese locale", "zh_CN.UTF-8", std::nullopt, std::nullopt, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEnv env({{"LC_ALL", c.all}, {"LC_TIME", c.time}, {"LANG", c.lang}});
    EXPECT_EQ(UsesTwelveHourClock(), c.twelveHour);
  }
}

TEST_F(TimestampTextTest, ClockStyleIgnoresTheProgramGlobalLocale) {
  const std::string old = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, kTwelveHour), nullptr);
  {
    ScopedEnv env({{"LC_ALL", kTwentyFourHour}, {"TZ", kUtc}});
    EXPECT_EQ(TimestampToText("1587450600"), "2020-04-21  14:30:00");
  }
  std::setlocale(LC_ALL, kTwentyFourHour);
  {
    ScopedEnv env({{"LC_ALL", kTwelveHour}, {"TZ", kUtc}});
    EXPECT_EQ(TimestampToText("1587450600"), "2020-04-21  02:30:00");
  }
  std::setlocale(LC_ALL, old.c_str());
}

}  // namespace
}  // namespace gavrel
