// The one rule by which the strips' controls, laid out in the rules' own
// pixels (the game's pixels at 100 %), become screen pixels at a display
// scale: each edge of a control's pixels at 100 % goes to round(edge ×
// scale), halves to even, so that controls that meet at 100 % meet at every
// scale; a line keeps one thickness, scaled and at least one pixel, wherever
// it lies, so that no line vanishes and marks of one width look alike; fonts
// at the scaled size. At scale 1 every value is what the rules gave, rounded
// as before.
#pragma once

namespace vesk::platform {

// The range of scales the system offers (50 % to 500 %), with room.
inline constexpr double kSmallestScale = 0.25;
inline constexpr double kLargestScale = 8.0;

// A control's extent along one axis, in screen pixels: [from, to).
struct Span {
  int from = 0;
  int to = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

struct ScreenScale {
  double factor = 1;

  // Spans of up to this many pixels at 100 % are lines: they keep the
  // thickness extent() gives them.
  static constexpr int kLineThickness = 2;

  // A scale within the range; anything else (not a number, zero, negative,
  // beyond it) is held to the nearest end, and 1 when it is not a number.
  static ScreenScale of(double factor);

  // A coordinate: its pixel at 100 % (x rounded), times factor, rounded;
  // halves to even both times.
  int position(double x) const;
  // A width or height: nothing when it rounds to nothing at scale 1, else
  // round(w × factor), at least 1.
  int extent(double w) const;
  // A control from `start`, `length` long: from position(start) to the
  // position of its far edge at 100 %; a line, or a span that would
  // otherwise shrink to nothing, ends extent(length) beyond its start.
  Span span(double start, double length) const;
  // A font size in points.
  double points(double pt) const { return pt * factor; }

  friend bool operator==(const ScreenScale&, const ScreenScale&) = default;
};

}  // namespace vesk::platform
