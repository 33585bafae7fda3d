#include "timers/tick_rules.h"

namespace vesk {

namespace {

constexpr std::int16_t kRefreshFallbackTicks = 1000;
constexpr std::int16_t kMinuteRefreshMinTicks = 10;

}  // namespace

bool takeFullRefresh(MainState& s, Timestamp now) {
  // Saturates: the count is reset by every refresh, so only a stopped clock
  // of the refresh rules could reach the top, and it must not wrap.
  if (s.refreshTick < INT16_MAX) ++s.refreshTick;
  const bool due = s.refreshRequested ||
                   (toDateTime(now).second == 0 && s.refreshTick >= kMinuteRefreshMinTicks) ||
                   s.refreshTick >= kRefreshFallbackTicks;
  if (due) {
    s.refreshRequested = false;
    s.refreshTick = 0;
  }
  return due;
}

Colour deadlineColour(Timestamp deadline, Timestamp now) {
  const std::int64_t minutesLeft = minuteDiff(now, deadline);
  if (minutesLeft < 60) return 0x0000FF;
  if (minutesLeft < 180) return 0x0000C0;
  if (minutesLeft < 360) return 0x0040C0;
  if (minutesLeft < 540) return 0x008080;
  if (minutesLeft < 720) return 0x008000;
  return kFrameGrey;
}

Colour gemBoxColour(const MainState& s, Timestamp now) {
  return s.P_CaravanFlg == 1 ? deadlineColour(s.P_CaravanDate, now) : kFrameGrey;
}

}  // namespace vesk
