#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace vesk::platform::win32 {

namespace {

constexpr std::int64_t kFileTimeUnitsPerSecond = 10'000'000;

std::int64_t fileTimeSeconds(const FILETIME& t) {
  const ULARGE_INTEGER value{{t.dwLowDateTime, t.dwHighDateTime}};
  return static_cast<std::int64_t>(value.QuadPart / kFileTimeUnitsPerSecond);
}

}  // namespace

Timestamp Win32Clock::now() const {
  // The timer asks every tick. Reading UTC is cheap; converting it to local
  // time is not, so the distance between the two is read again only when
  // the UTC minute turns (zone and daylight-saving changes fall on whole
  // minutes). The milliseconds are dropped: the program works in seconds.
  FILETIME utc{};
  GetSystemTimeAsFileTime(&utc);
  const std::int64_t utcSeconds = fileTimeSeconds(utc);
  if (utcSeconds / 60 != biasMinute_) {
    FILETIME local{};
    if (FileTimeToLocalFileTime(&utc, &local)) {
      biasSeconds_ = fileTimeSeconds(local) - utcSeconds;
      biasMinute_ = utcSeconds / 60;
    }
  }
  static const std::int64_t fileTimeEpoch = toSeconds(toTimestamp(DateTime{1601, 1, 1}));
  return fromSeconds(fileTimeEpoch + utcSeconds + biasSeconds_);
}

std::uint64_t Win32Clock::tickCount() const { return GetTickCount64(); }

}  // namespace vesk::platform::win32
