// The arithmetic of the placement beside the game window: the game's frame
// and caption measured from its rectangles, the marker scale derived from
// the overlay's width, which branch a placement takes, and where the
// secondary strip goes. SetForm (in set_form.cpp) applies the results.
#pragma once

#include <cstdint>

#include "common/main_state.h"
#include "common/window_types.h"
#include "platform/types.h"

namespace vesk {

inline constexpr char kGameWindowClass[] = " M H F ";
inline constexpr int kOverlayHeight = 190;
// The strips restacked in place, never taking the activation from the game.
inline constexpr unsigned kOwnRestack =
    platform::kSwpNoMove | platform::kSwpNoSize | platform::kSwpNoActivate;
// Without a measurable game window the strips take a 1024 x 768 screen.
inline constexpr int kFallbackWidth = 1024;
inline constexpr int kFallbackHeight = 768;

struct GameFrame {
  double frameX = 0;
  double frameY = 0;
  double captionHeight = 0;
};

// Half the width difference as the side frame (halves kept), the rest of
// the height difference as the caption; a minimised window (client all
// zero) is taken to have 4, 4 and 42.
GameFrame measureGameFrame(const Rect& window, const Rect& client);

struct MeterGeometry {
  double meterLeft = 0;
  double meterRightPad = 0;
  double meterStep = 0;
};

// Fifteen steps of the health scale across the overlay, inset by the frame.
MeterGeometry calcMeterGeometry(double frameX, float widthPixels);

enum class PlacementBranch {
  NoGame,        // no game window
  NoWindowRect,  // its outer rectangle cannot be read
  NoClientRect,  // its client rectangle cannot be read
  Minimised,     // client rectangle all zero
  Park,          // placed, unmoved, nothing pending: park at the origin
  Place,         // place over the client area
};

// The branch for a measured game window (both rectangles read, client not
// zero): park when a placement is on record at the same top-left corner
// and no placement is pending.
PlacementBranch placeOrPark(const MainState& s);

// The overlay's top-left corner over the game's client area, rounded to
// 16-bit integers (halves to even). Throws OverflowError.
struct Point16 {
  std::int16_t x = 0;
  std::int16_t y = 0;
};
Point16 overlayCorner(const MainState& s);

// The secondary strip's outer corner, screen pixels, so that a box of the
// given size ends at (right, bottom) less the frame. The position goes
// through twips as the window keeps it, rounded to 32-bit integers (halves
// to even). Throws OverflowError.
struct Point32 {
  std::int32_t x = 0;
  std::int32_t y = 0;
};
Point32 secondaryCorner(double right, double bottom, const MainState& s, double boxWidth,
                        double boxHeight, int twipsPerPixelX, int twipsPerPixelY);

}  // namespace vesk
