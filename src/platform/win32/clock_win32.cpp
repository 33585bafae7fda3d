#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace vesk::platform::win32 {

Timestamp Win32Clock::now() const {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  // The milliseconds are dropped: the program works in whole seconds.
  return toTimestamp(
      DateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
}

std::uint64_t Win32Clock::tickCount() const { return GetTickCount64(); }

}  // namespace vesk::platform::win32
