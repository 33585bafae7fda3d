#include "shell/game_follow.h"

namespace vesk {

FollowStep followStep(const FollowState& f, const GameSight& game, const Rect& lastGameRect) {
  if (!game.present) {
    return f.attachment != Attachment::None || f.hidden ? FollowStep::Fallback : FollowStep::None;
  }
  if (f.attachment == Attachment::None) return game.shown ? FollowStep::Attach : FollowStep::None;
  if (!game.shown) return f.hidden ? FollowStep::None : FollowStep::Hide;
  if (f.hidden) return FollowStep::Restore;
  if (f.attachment == Attachment::Placed && (game.windowRect != lastGameRect || f.rescaleDue)) {
    // A rectangle seen twice in a row is the game at rest.
    return game.windowRect == f.seenRect ? FollowStep::Replace : FollowStep::Wait;
  }
  return game.above ? FollowStep::Restack : FollowStep::None;
}

}  // namespace vesk
