// The one rule by which the strips' controls, laid out in the rules' own
// pixels (the game's pixels at 100 %), become screen pixels at a display
// scale: positions round(x × scale), halves to even; widths and heights
// scaled and at least one pixel, so that no line vanishes; fonts at the
// scaled size. At scale 1 every value is what the rules gave, rounded as
// before.
#pragma once

namespace vesk::platform {

// The range of scales the system offers (50 % to 500 %), with room.
inline constexpr double kSmallestScale = 0.25;
inline constexpr double kLargestScale = 8.0;

struct ScreenScale {
  double factor = 1;

  // A scale within the range; anything else (not a number, zero, negative,
  // beyond it) is held to the nearest end, and 1 when it is not a number.
  static ScreenScale of(double factor);

  // A coordinate: round(x × factor), halves to even.
  int position(double x) const;
  // A width or height: nothing when it rounds to nothing at scale 1, else
  // round(w × factor), at least 1.
  int extent(double w) const;
  // A font size in points.
  double points(double pt) const { return pt * factor; }

  friend bool operator==(const ScreenScale&, const ScreenScale&) = default;
};

}  // namespace vesk::platform
