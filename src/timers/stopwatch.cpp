#include "timers/stopwatch.h"

#include <cmath>
#include <cstdio>

namespace vesk {

std::string fmtSW(float seconds) {
  // Each step stores back into a float, so the result matches a display
  // computed in single precision (59.999 shows 0:00:59.99, never 1:00.00).
  const float h = std::floor(seconds / 3600.0f);
  seconds = seconds - 3600.0f * h;
  const float m = std::floor(seconds / 60.0f);
  seconds = seconds - 60.0f * m;
  const float s = std::floor(seconds);
  const float cs = std::floor((seconds - s) * 100.0f);
  char text[64];
  std::snprintf(text, sizeof text, "%.0f:%02d:%02d.%02d", static_cast<double>(h),
                static_cast<int>(m), static_cast<int>(s), static_cast<int>(cs));
  return text;
}

void updSW(bool clk, MainState& s, std::string& display, std::uint64_t tick) {
  if (clk) {
    if (s.swRunning) {
      s.swRunning = false;
    } else {
      s.swRunning = true;
      // Started again from a frozen time: keep counting from the first start.
      if (display == kStopwatchReset) s.swStartTick = tick;
    }
  } else if (!s.swRunning) {
    display = kStopwatchReset;
  }
}

float stopwatchSeconds(const MainState& s, std::uint64_t tick) {
  const std::uint64_t elapsed = tick >= s.swStartTick ? tick - s.swStartTick : 0;
  return static_cast<float>(static_cast<double>(elapsed) / 1000.0);
}

}  // namespace vesk
