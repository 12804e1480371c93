// lookups/clock_style.h
//
// Whether the user's locale writes the time of day with a 12-hour clock.
// The answer comes from the environment (LC_ALL, then LC_TIME, then LANG),
// read afresh on every call, and does not depend on what setlocale the
// program itself has called.
// Example: with LC_ALL=en_US.UTF-8, UsesTwelveHourClock() == true
#pragma once

namespace gavrel {

// True when the locale's time format (LC_TIME's T_FMT) writes the hour with
// %I or %l, or is the 12-hour form %r. A locale that cannot be loaded counts
// as "C", which uses a 24-hour clock.
[[nodiscard]] bool UsesTwelveHourClock();

}  // namespace gavrel
