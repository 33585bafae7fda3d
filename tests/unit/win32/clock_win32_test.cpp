// The local clock, through the platform object that vesk.exe uses.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace vesk::platform::win32 {
namespace {

TEST(Win32Clock, NowIsTheLocalTimeInWholeSeconds) {
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
