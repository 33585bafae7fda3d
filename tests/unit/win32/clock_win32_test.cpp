// The local clock, through the platform object that vesk.exe uses.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace vesk::platform::win32 {
namespace {

// In a zone away from UTC (the test commands run the tests in Japan's), so
// that the local offset's sign shows: the wrong one puts every time twice
// the offset away.
TEST(Win32Clock, NowIsTheLocalTimeInWholeSeconds) {
  TIME_ZONE_INFORMATION zone{};
  const DWORD kind = GetTimeZoneInformation(&zone);
  ASSERT_NE(kind, TIME_ZONE_ID_INVALID);
  const LONG bias =
      zone.Bias + (kind == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : zone.StandardBias);
  ASSERT_NE(bias, 0) << "the local time is UTC: set TZ (scripts/wine-run.sh sets JST-9)";
  Win32Platform platform;
  Clock& clock = platform.services().clock;
  for (;;) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const Timestamp now = clock.now();
    SYSTEMTIME after{};
    GetLocalTime(&after);
    if (before.wSecond != after.wSecond) continue;  // a second boundary in between: again
    EXPECT_EQ(fromSeconds(toSeconds(now)), now);
    EXPECT_EQ(toDateTime(now), (DateTime{before.wYear, before.wMonth, before.wDay, before.wHour,
                                         before.wMinute, before.wSecond}));
    break;
  }
}

}  // namespace
}  // namespace vesk::platform::win32
