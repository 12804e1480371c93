// lookups/script_date.h
//
// The text a script engine of the JScript kind gives for a Date object: the
// time value in the machine's own time zone (TZ honoured), written as six
// blank-separated parts "Ddd Mmm D HH:MM:SS UTC+HHMM YYYY".
// Example: under TZ=Asia/Shanghai, ScriptDateText(0) ==
//          "Thu Jan 1 08:00:00 UTC+0800 1970"
#pragma once

#include "text/types.h"

namespace gavrel {

// The date text of a time value in milliseconds since 1970-01-01 00:00 UTC.
// NaN (an invalid date) gives "NaN". The day has no leading zero; the zone is
// "UTC" alone at offset zero, else "UTC+HHMM" or "UTC-HHMM" (whole minutes);
// the year is a plain number, written with a minus sign before year 1
// (astronomical numbering: year 0 is 1 BC), so the text always has six parts.
// Fractions of a second are dropped toward the past (-1 ms reads 23:59:59).
[[nodiscard]] Text ScriptDateText(double timeValue);

}  // namespace gavrel
