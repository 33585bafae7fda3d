#include "platform/screen_scale.h"

#include <algorithm>
#include <cmath>

namespace vesk::platform {

namespace {

// Far beyond any screen, yet safe to add two of without overflow.
constexpr double kCoordinateLimit = 1 << 24;

int toPixel(double value) {
  if (!std::isfinite(value)) return 0;
  // Halves to even, as the program rounds everywhere: lrint in the default
  // rounding mode, one instruction (nearbyint saves and restores the state).
  return static_cast<int>(std::lrint(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

}  // namespace

ScreenScale ScreenScale::of(double factor) {
  if (std::isnan(factor)) return {};
  return {std::clamp(factor, kSmallestScale, kLargestScale)};
}

int ScreenScale::position(double x) const { return toPixel(toPixel(x) * factor); }

int ScreenScale::extent(double w) const {
  if (toPixel(w) <= 0) return 0;
  return std::max(1, toPixel(w * factor));
}

Span ScreenScale::span(double start, double length) const {
  const int from = position(start);
  const int thickness = extent(length);
  if (toPixel(length) <= kLineThickness) return {from, from + thickness};
  // The far edge at 100 % is where the start's pixel and the length's
  // pixels end, as the strips show them at that scale.
  const int to = toPixel((toPixel(start) + toPixel(length)) * factor);
  return {from, std::max(to, from + 1)};
}

}  // namespace vesk::platform
