#include "common/timestamp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace vesk {

void PrintTo(const DateTime& dt, std::ostream* os) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", dt.year, dt.month, dt.day,
                dt.hour, dt.minute, dt.second);
  *os << buf;
}

namespace {

using namespace std::string_literals;

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return DateTime{y, mo, d, h, mi, s};
}

std::string show(const DateTime& dt) {
  std::ostringstream os;
  PrintTo(dt, &os);
  return os.str();
}

// Julian Day Number of a Gregorian date and back (Fliegel and Van Flandern),
// independent of the calendar code under test.
std::int64_t julianDay(std::int64_t y, std::int64_t m, std::int64_t d) {
  return (1461 * (y + 4800 + (m - 14) / 12)) / 4 + (367 * (m - 2 - 12 * ((m - 14) / 12))) / 12 -
         (3 * ((y + 4900 + (m - 14) / 12) / 100)) / 4 + d - 32075;
}

DateTime civilFromJulianDay(std::int64_t jd) {
  std::int64_t l = jd + 68569;
  const std::int64_t n = 4 * l / 146097;
  l = l - (146097 * n + 3) / 4;
  const std::int64_t i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  const std::int64_t j = 80 * l / 2447;
  const std::int64_t d = l - 2447 * j / 80;
  l = j / 11;
  return at(static_cast<int>(100 * (n - 49) + i + l), static_cast<int>(j + 2 - 12 * l),
            static_cast<int>(d));
}

TEST(TimestampCalendar, AgreesWithJulianDayNumbersOverTwoCenturies) {
  const std::int64_t epoch = julianDay(1899, 12, 30);
  int leapDays = 0;
  for (std::int64_t jd = julianDay(1900, 3, 1); jd <= julianDay(2099, 12, 31); ++jd) {
    DateTime dt = civilFromJulianDay(jd);
    const std::int64_t secondOfDay = jd * 7919 % 86400;  // a different time of day each day
    dt.hour = static_cast<int>(secondOfDay / 3600);
    dt.minute = static_cast<int>(secondOfDay / 60 % 60);
    dt.second = static_cast<int>(secondOfDay % 60);
    if (dt.month == 2 && dt.day == 29) ++leapDays;

    ASSERT_TRUE(isValidDateTime(dt)) << show(dt);
    const Timestamp t = toTimestamp(dt);
    ASSERT_EQ(toSeconds(t), (jd - epoch) * 86400 + secondOfDay) << show(dt);
    ASSERT_EQ(std::floor(t), jd - epoch) << show(dt);
    ASSERT_EQ(toDateTime(t), dt) << show(dt);
    ASSERT_EQ(formatDate(t, "yyyy/MM/dd HH:nn:ss"), show(dt));
    ASSERT_EQ(parseDate(show(dt)), t) << show(dt);
  }
  EXPECT_EQ(leapDays, 49);  // 1904 .. 2096, 2000 included
}

TEST(TimestampCalendar, KnownValues) {
  EXPECT_EQ(toTimestamp(at(1899, 12, 30)), 0.0);
  EXPECT_EQ(toTimestamp(at(1900, 1, 1)), 2.0);
  EXPECT_EQ(toTimestamp(at(1900, 3, 1)), 61.0);
  EXPECT_EQ(toTimestamp(at(2009, 9, 16, 12)), 40072.5);
  EXPECT_EQ(parseDate("2009/09/16 12:00:00"), 40072.5);
  EXPECT_EQ(toDateTime(40072.5), at(2009, 9, 16, 12));
  EXPECT_EQ(toDateTime(0.0), at(1899, 12, 30));
}

TEST(TimestampCalendar, LeapYearsAndFieldRanges) {
  EXPECT_FALSE(isValidDateTime(at(1900, 2, 29)));
  EXPECT_TRUE(isValidDateTime(at(2000, 2, 29)));
  EXPECT_FALSE(isValidDateTime(at(2100, 2, 29)));
  EXPECT_FALSE(isValidDateTime(at(2009, 2, 29)));
  EXPECT_TRUE(isValidDateTime(at(2008, 2, 29)));
  EXPECT_FALSE(isValidDateTime(at(2010, 4, 31)));
  EXPECT_EQ(toDateTime(addDays(toTimestamp(at(2100, 2, 28)), 1)), at(2100, 3, 1));

  EXPECT_TRUE(isValidDateTime(at(100, 1, 1)));
  EXPECT_TRUE(isValidDateTime(at(9999, 12, 31, 23, 59, 59)));
  for (const DateTime& bad :
       {at(99, 12, 31), at(10000, 1, 1), at(2010, 0, 1), at(2010, 13, 1), at(2010, 1, 0),
        at(2010, 1, 32), at(2010, 1, 1, 24), at(2010, 1, 1, 0, 60), at(2010, 1, 1, 0, 0, 60),
        at(2010, 1, 1, -1), at(2010, 1, 1, 0, -1), at(2010, 1, 1, 0, 0, -1), at(2010, -9, 1),
        at(2010, 1, -5)}) {
    EXPECT_FALSE(isValidDateTime(bad)) << show(bad);
  }
}

TEST(TimestampCalendar, MomentsBeforeTheEpochCountForward) {
  EXPECT_EQ(toDateTime(-0.25), at(1899, 12, 29, 18));
  EXPECT_EQ(toDateTime(-1.75), at(1899, 12, 28, 6));
  EXPECT_EQ(toTimestamp(at(1899, 12, 29, 18)), -0.25);
  EXPECT_EQ(parseDate("1899/12/29 18:00"), -0.25);
  EXPECT_EQ(toTimestamp(at(100, 1, 1)), -657434.0);
  EXPECT_EQ(formatDate(toTimestamp(at(100, 1, 1)), "yyyy/M/d"), "0100/1/1");
}

TEST(TimestampCalendar, OutOfRangeValuesClampToTheEnds) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(toDateTime(1e300), at(9999, 12, 31, 23, 59, 59));
  EXPECT_EQ(toDateTime(inf), at(9999, 12, 31, 23, 59, 59));
  EXPECT_EQ(toDateTime(-inf), at(100, 1, 1));
  EXPECT_EQ(toDateTime(std::numeric_limits<double>::quiet_NaN()), at(1899, 12, 30));
  EXPECT_EQ(toDateTime(addDays(0, std::numeric_limits<std::int64_t>::max())),
            at(9999, 12, 31, 23, 59, 59));
  EXPECT_EQ(toDateTime(addDays(0, std::numeric_limits<std::int64_t>::min())), at(100, 1, 1));
}

TEST(TimestampSeconds, EveryMinuteOfADayLandsOnItsMinute) {
  const Timestamp day = toTimestamp(at(2010, 9, 25));
  for (int m = 0; m < 1440; ++m) {
    const DateTime expected = at(2010, 9, 25, m / 60, m % 60);
    const Timestamp naive = day + m / 1440.0;  // not exact in binary
    ASSERT_EQ(toDateTime(naive), expected) << m;
    ASSERT_EQ(truncateToMinute(naive), toTimestamp(expected)) << m;
    const std::string text = formatDate(naive, "yyyy/MM/dd HH:nn");
    ASSERT_EQ(parseDate(text), toTimestamp(expected)) << text;
  }
}

TEST(TimestampSeconds, ToDateTimeRoundsToTheNearestSecond) {
  const std::int64_t s = toSeconds(toTimestamp(at(2010, 9, 25, 18, 0, 59)));
  EXPECT_EQ(toDateTime(fromSeconds(s) + 0.4 / 86400), at(2010, 9, 25, 18, 0, 59));
  EXPECT_EQ(toDateTime(fromSeconds(s) + 0.6 / 86400), at(2010, 9, 25, 18, 1, 0));
  EXPECT_EQ(toDateTime(toTimestamp(at(2010, 12, 31, 23, 59, 59)) + 0.6 / 86400), at(2011, 1, 1));
  EXPECT_EQ(toSeconds(fromSeconds(-1)), -1);
}

TEST(TimestampSeconds, TruncateToMinuteDropsSeconds) {
  EXPECT_EQ(truncateToMinute(toTimestamp(at(2010, 9, 25, 18, 0, 59))),
            toTimestamp(at(2010, 9, 25, 18)));
  EXPECT_EQ(truncateToMinute(toTimestamp(at(2010, 9, 25, 18, 0, 30))),
            toTimestamp(at(2010, 9, 25, 18)));
  EXPECT_EQ(truncateToMinute(toTimestamp(at(2010, 9, 25, 18))), toTimestamp(at(2010, 9, 25, 18)));
  EXPECT_EQ(truncateToMinute(toTimestamp(at(1899, 12, 29, 18, 0, 59))), -0.25);
}

TEST(TimestampSeconds, MinuteDiffCountsMinuteBoundaries) {
  const auto t = [](int h, int mi, int s = 0) { return toTimestamp(at(2010, 9, 25, h, mi, s)); };
  EXPECT_EQ(minuteDiff(t(12, 0, 45), t(12, 1, 15)), 1);
  EXPECT_EQ(minuteDiff(t(12, 0, 0), t(12, 0, 59)), 0);
  EXPECT_EQ(minuteDiff(t(12, 0, 59), t(12, 1, 0)), 1);
  EXPECT_EQ(minuteDiff(t(12, 0), t(13, 0)), 60);
  EXPECT_EQ(minuteDiff(t(12, 0), toTimestamp(at(2010, 9, 26))), 720);
  EXPECT_EQ(minuteDiff(t(13, 0), t(12, 0)), -60);
  EXPECT_EQ(minuteDiff(t(12, 1, 15), t(12, 0, 45)), -1);
  EXPECT_EQ(minuteDiff(t(23, 59, 30), toTimestamp(at(2010, 9, 26, 0, 0, 10))), 1);
  // Before the epoch the floor still goes down, not towards zero.
  EXPECT_EQ(minuteDiff(fromSeconds(-1), 0.0), 1);
  EXPECT_EQ(minuteDiff(fromSeconds(-61), fromSeconds(-59)), 1);
  EXPECT_EQ(minuteDiff(fromSeconds(-59), fromSeconds(-1)), 0);
}

TEST(TimestampSeconds, AddDaysKeepsTheTimeOfDay) {
  EXPECT_EQ(toDateTime(addDays(toTimestamp(at(2010, 9, 25, 18, 1)), 1)), at(2010, 9, 26, 18, 1));
  EXPECT_EQ(toDateTime(addDays(toTimestamp(at(2009, 12, 31, 18, 1, 7)), 1)),
            at(2010, 1, 1, 18, 1, 7));
  EXPECT_EQ(toDateTime(addDays(toTimestamp(at(2009, 3, 1, 0, 0, 1)), -1)),
            at(2009, 2, 28, 0, 0, 1));
  EXPECT_EQ(addDays(toTimestamp(at(1899, 12, 30, 6)), -1), -0.75);
  EXPECT_EQ(toDateTime(addDays(-0.75, -365)), at(1898, 12, 29, 6));
}

TEST(TimestampFormat, PatternsOfTheProgram) {
  const Timestamp t = toTimestamp(at(2010, 9, 5, 8, 3, 7));
  EXPECT_EQ(formatDate(t, "yyyy/MM/dd HH:nn"), "2010/09/05 08:03");
  EXPECT_EQ(formatDate(t, "MM/dd HH:nn"), "09/05 08:03");
  EXPECT_EQ(formatDate(t, "MM/dd"), "09/05");
  EXPECT_EQ(formatDate(t, "M月"), "9月");
  EXPECT_EQ(formatDate(t, "d日"), "5日");
  EXPECT_EQ(formatDate(t, "H時"), "8時");
  EXPECT_EQ(formatDate(t, "n分"), "3分");
  EXPECT_EQ(formatDate(t, "yyyy年"), "2010年");
  EXPECT_EQ(formatDate(t, "ss s"), "07 7");
  const Timestamp late = toTimestamp(at(2010, 12, 25, 18, 45, 30));
  EXPECT_EQ(formatDate(late, "M/d H:n:s"), "12/25 18:45:30");
  EXPECT_EQ(formatDate(late, "yyyy年M月d日H時n分"), "2010年12月25日18時45分");
}

TEST(TimestampFormat, LongestTokenWinsAndTheRestIsLiteral) {
  const Timestamp t = toTimestamp(at(2010, 9, 5, 8, 3, 7));
  EXPECT_EQ(formatDate(t, ""), "");
  EXPECT_EQ(formatDate(t, "MMM"), "099");
  EXPECT_EQ(formatDate(t, "yyy yy y"), "yyy yy y");
  EXPECT_EQ(formatDate(t, "yyyyy"), "2010y");
  EXPECT_EQ(formatDate(t, "Day ~ #"), "Day ~ #");
  EXPECT_EQ(formatDate(t, "\xE2\x87\x92 \xFF"), "\xE2\x87\x92 \xFF");
}

struct Accepted {
  const char* text;
  DateTime expected;
};

TEST(TimestampParse, AcceptsTheFormsTheProgramMeets) {
  const Accepted cases[] = {
      {"2009/09/16 12:00:00", at(2009, 9, 16, 12)},
      {"2010/09/25 18:00", at(2010, 9, 25, 18)},
      {"2010/9/25", at(2010, 9, 25)},
      {"2010-09-25 18:00", at(2010, 9, 25, 18)},
      {"2010-9-5 8:3:7", at(2010, 9, 5, 8, 3, 7)},
      {"  2010/09/25 18:00\t ", at(2010, 9, 25, 18)},
      {"2010/09/25   18:00", at(2010, 9, 25, 18)},
      {"2010/09/25\t18:00:59", at(2010, 9, 25, 18, 0, 59)},
      {"2000/02/29 23:59:59", at(2000, 2, 29, 23, 59, 59)},
      {"0100/01/01", at(100, 1, 1)},
      {"9999/12/31 23:59:59", at(9999, 12, 31, 23, 59, 59)},
      {"2010年9月25日18時0分", at(2010, 9, 25, 18)},
      {"2010年9月25日", at(2010, 9, 25)},
      {"2010年12月25日18時45分30秒", at(2010, 12, 25, 18, 45, 30)},
      {"2010年 9月 25日 18時 0分", at(2010, 9, 25, 18)},
      {" 2010年9月25日\t18時0分 ", at(2010, 9, 25, 18)},
  };
  for (const Accepted& c : cases) {
    EXPECT_EQ(parseDate(c.text), toTimestamp(c.expected)) << c.text;
  }
}

TEST(TimestampParse, RefusesOtherTextAndMomentsThatDoNotExist) {
  const std::string refused[] = {"",
                                 " \t ",
                                 "hello",
                                 "2010",
                                 "2010/09",
                                 "2010/09/",
                                 "2010/09/25x",
                                 "2010/09/25 18",
                                 "2010/09/25 18:",
                                 "2010/09/25 18:00:",
                                 "2010/09/25 18:00x",
                                 "2010/09/25 18:00:00:00",
                                 "2010/09/25 18 :00",
                                 "2010/09/2518:00",
                                 "2010/09-25",
                                 "2010.09.25",
                                 "2010 09 25",
                                 "2010:09:25 18:00",
                                 "2010/ 09/25",
                                 "+2010/09/25",
                                 "-2010/09/25",
                                 "2010//09/25",
                                 "2010/001/01",
                                 "2010/09/25 018:00",
                                 "2010/09/25 18:000",
                                 "20100/1/1",
                                 "99999999999999999999/1/1",
                                 "2010/1/99999999999999999999",
                                 "２０１０/09/25",
                                 "2010/02/30",
                                 "2009/02/29",
                                 "2100/02/29",
                                 "2010/09/25 24:00",
                                 "2010/09/25 18:60",
                                 "2010/09/25 18:00:60",
                                 "2010/13/01",
                                 "2010/00/10",
                                 "2010/01/00",
                                 "0099/12/31",
                                 "99/01/01",
                                 "10000/01/01",
                                 "2010年9月",
                                 "2010年9月25日18時",
                                 "2010年9月25日18時0分x",
                                 "2010年9月25日 18:00",
                                 "2010 年9月25日",
                                 "2010年2月30日",
                                 "2010年9月25日18時0分60秒",
                                 "2010年9月25日0時0分0秒0",
                                 std::string("2010/09/25\0", 11),
                                 "2010\xE5\xB9",
                                 "2010年9月25日\xFF",
                                 "\xEF\xBB\xBF"
                                 "2010/09/25",
                                 "2010/09/25\n18:00",
                                 "2010\t/09/25"};
  for (const std::string& text : refused) {
    EXPECT_EQ(parseDate(text), std::nullopt) << text;
  }
}

// Valid texts with random bytes deleted, replaced or inserted: whatever the
// parser accepts must be a real moment on a whole second that formats and
// parses back to itself.
TEST(TimestampParse, MutatedTextsGiveRealMomentsOrNothing) {
  const std::string seeds[] = {"2010/09/25 18:00:30", "2010-9-5 8:3", "2010年9月25日18時0分30秒"};
  const std::string bytes = "0123456789/-: \t\xE5\xB9\xB4\xFFx\0"s;
  std::mt19937 rng(12345);
  int accepted = 0;
  for (int i = 0; i < 30000; ++i) {
    std::string text = seeds[i % 3];
    for (int k = 1 + static_cast<int>(rng() % 3); k > 0 && !text.empty(); --k) {
      const std::size_t at = rng() % text.size();
      const char b = bytes[rng() % bytes.size()];
      switch (rng() % 3) {
        case 0:
          text.erase(at, 1);
          break;
        case 1:
          text[at] = b;
          break;
        default:
          text.insert(at, 1, b);
      }
    }
    const std::optional<Timestamp> t = parseDate(text);
    if (!t) continue;
    ++accepted;
    ASSERT_TRUE(isValidDateTime(toDateTime(*t))) << text;
    ASSERT_EQ(fromSeconds(toSeconds(*t)), *t) << text;
    ASSERT_EQ(parseDate(formatDate(*t, "yyyy/MM/dd HH:nn:ss")), t) << text;
  }
  EXPECT_GT(accepted, 1000);
}

}  // namespace
}  // namespace vesk
