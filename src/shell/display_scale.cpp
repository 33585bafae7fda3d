#include "shell/display_scale.h"

namespace vesk {

namespace {

constexpr int kUnawareDpi = 96;

}  // namespace

double onScreenScale(const platform::WindowDpi& window) {
  if (window.awareness == platform::DpiAwareness::PerMonitor || window.monitorDpi <= 0) return 1;
  const int drawnAt = window.windowDpi > 0 ? window.windowDpi : kUnawareDpi;
  return static_cast<double>(window.monitorDpi) / drawnAt;
}

platform::ScreenScale stripScale(const platform::DisplayScaling& display,
                                 std::optional<double> gameScale) {
  if (!display.ownPixels) return {};
  return platform::ScreenScale::of(gameScale ? *gameScale : onScreenScale(display.startContext));
}

}  // namespace vesk
