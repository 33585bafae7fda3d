// The quest stopwatch on the top line of the main strip. It counts with the
// system tick counter, so a change of the clock does not disturb it; the
// line's own text doubles as the reset marker.
#pragma once

#include <cstdint>
#include <string>

#include "common/main_state.h"

namespace vesk {

inline constexpr char kStopwatchReset[] = "0:00:00.00";

// h:mm:ss.cc with every step in single precision; hours do not wrap.
std::string fmtSW(float seconds);

// Start or stop (clk true), or reset while stopped (clk false). `display` is
// the text of the stopwatch line; `tick` the tick counter now.
void updSW(bool clk, MainState& s, std::string& display, std::uint64_t tick);

// Seconds since the stopwatch's start tick, as the display shows them. The
// 64-bit tick neither wraps nor turns negative over any uptime.
float stopwatchSeconds(const MainState& s, std::uint64_t tick);

}  // namespace vesk
