// The scale the strips are drawn at: the one at which the game's own
// pixels appear on screen, so that the panel lies over the game's gauges as
// it does at 100 %.
#pragma once

#include <optional>

#include "platform/windowing.h"

namespace vesk {

// How much bigger a window's own pixels appear on screen: 1 for a window
// that draws at its monitor's DPI (per-monitor aware); its monitor's DPI
// over the DPI it draws at for the others, which the system stretches:
// 96 for one that is not DPI aware, the system DPI of its program's start
// for a system-aware one.
double onScreenScale(const platform::WindowDpi& window);

// The strips' scale: the game's (the last game's while there is none), or
// before any game the scale at which the system would have shown the
// program's own windows on the primary monitor. Always 1 when the system
// scales the program's windows itself.
platform::ScreenScale stripScale(const platform::DisplayScaling& display,
                                 std::optional<double> gameScale);

}  // namespace vesk
