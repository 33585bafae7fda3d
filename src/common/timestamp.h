// Timestamps: days since 1899-12-30 00:00 local time, the time of day as the
// fraction. All conversions go through whole seconds so that a moment such as
// 18:01 (not exact in binary) never lands a second or a minute early.
//
// The scale is linear on both sides of 0: the day is floor(t) and the time of
// day is counted forward from it, so -0.25 is 1899-12-29 18:00 and -1.75 is
// 1899-12-28 06:00. Time zones and daylight saving play no part.
//
// Representable moments run from 0100-01-01 00:00:00 to 9999-12-31 23:59:59.
// A timestamp beyond either end is read as that end, and NaN as 0, so every
// conversion below has a defined result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

using Timestamp = double;

struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// True when the fields name a real moment: year 100..9999, an existing day of
// that month, hour 0..23, minute and second 0..59.
bool isValidDateTime(const DateTime& dt);

// Requires isValidDateTime(dt).
Timestamp toTimestamp(const DateTime& dt);

// The calendar fields of t, rounded to the nearest whole second.
DateTime toDateTime(Timestamp t);

// Whole seconds since 1899-12-30 00:00, rounded to the nearest second, and back.
std::int64_t toSeconds(Timestamp t);
Timestamp fromSeconds(std::int64_t seconds);

// Adds whole days; the time of day stays as it was.
Timestamp addDays(Timestamp t, std::int64_t days);

// Drops the seconds: 18:00:59 gives 18:00:00.
Timestamp truncateToMinute(Timestamp t);

// Minute boundaries from a to b: floor(b * 1440) - floor(a * 1440), counted
// on whole seconds. Negative when b lies before a.
std::int64_t minuteDiff(Timestamp a, Timestamp b);

// Formats t with a pattern built from the tokens yyyy (four digits), MM, M,
// dd, d, HH, H, nn, n and ss, s (two digits / no leading zero; hours 0..23);
// the longest token wins at each place and every other character, UTF-8
// included, is copied as it stands. "yyyy/MM/dd HH:nn" gives 2010/09/25 18:00,
// "M月" gives 9月.
std::string formatDate(Timestamp t, std::string_view pattern);

// Reads a date and time in the forms the program meets: "2009/09/16 12:00:00",
// "2010/09/25 18:00", "2010/9/25", "2010-09-25 18:00" and the unit form
// "2010年9月25日18時0分" (UTF-8). In the numeric form the date separator is "/"
// or "-" (the same twice), one or more blanks precede the time, and the
// seconds may be left out; in the unit form "秒" may follow, the time may be
// left out, and blanks may stand between the parts. A date alone means
// midnight. Blanks (space, tab) around the text are ignored. Returns nothing
// for any other text and for moments that do not exist (30 February, 24:00,
// minute 60, a year outside 100..9999). Safe for arbitrary bytes.
std::optional<Timestamp> parseDate(std::string_view text);

}  // namespace vesk
