// Living with the game window between placements: the strips hide while it
// is minimised or hidden and come back when it is restored, follow it once
// it comes to rest after a move or resize, get back above it when it rises
// over them, drop to the start-up fallback when it closes, and attach to a
// new one. followStep decides; FrmVESK (frm_vesk_follow.cpp) carries out.
#pragma once

#include "common/window_types.h"

namespace vesk {

// How the strips stand towards the game after the last placement.
enum class Attachment {
  None,    // no game: the fallback corner
  Placed,  // on the game's client area
  Parked,  // at the screen's origin, the secondary strip hidden
};

// The game window as looked at now.
struct GameSight {
  bool present = false;  // a live top-level window of the game's class
  bool shown = false;    // visible and not minimised
  Rect windowRect;       // outer rectangle, while shown
  bool above = false;    // lies above one of the shown strips
};

struct FollowState {
  Attachment attachment = Attachment::None;
  bool hidden = false;      // strips hidden for a minimised or hidden game
  Rect seenRect;            // the game's rectangle at the last look, to tell it at rest
  bool rescaleDue = false;  // a display's DPI changed since the last placement
};

enum class FollowStep {
  None,
  Attach,    // a game window appeared: place as the placement hotkey does
  Fallback,  // the game is gone: the strips as at a start without one
  Hide,      // the game was minimised or hidden
  Restore,   // it is back: the strips come back as they stood
  Wait,      // it is moving: look again before following
  Replace,   // it came to rest elsewhere or at another scale: place on it again
  Restack,   // it rose above the strips: put them above it again
};

// lastGameRect: the game's rectangle at the last placement.
FollowStep followStep(const FollowState& f, const GameSight& game, const Rect& lastGameRect);

}  // namespace vesk
