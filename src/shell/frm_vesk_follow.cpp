// The main window living with the game window between placements: the
// watch's notices ask for a look on the next tick, the tick also looks now
// and then for changes no notice reported, and followStep says what to do.
// Only the game's rectangles, visibility and stacking are read; only the
// program's own windows are moved, shown, hidden and restacked.
#include <cstddef>
#include <exception>
#include <span>
#include <utility>

#include "shell/frm_vesk.h"

namespace vesk {

namespace {

// A look every third tick at the latest, for changes no notice reported
// (Wine sends none). A change seen brings a look on the next tick, so a move
// is followed within a few hundred milliseconds of the game coming to rest.
constexpr int kLookEveryTicks = 3;
// Most looks are glances: one read of the game's rectangle, which shows a
// move, a resize, a minimise (the system moves a minimised window off the
// screen) and a close (the read fails). Every fourth look is a full one, for
// what leaves the rectangle as it was: a window hidden in place or raised
// over the strips. Each read of another program's window is a round trip to
// the system, which under Wine costs about as much as the tick itself.
constexpr int kGlancesPerLook = 3;
// Where the system reports the game's moves as notices (Windows), each
// change brings a look at once; the tick's own look is then a full one
// every three seconds, for what no notice tells (a window raised over the
// strips without being activated).
constexpr int kLookEveryTicksWithNotices = 30;
// Without a game, the search for a new one (a walk over all windows) runs
// once a second.
constexpr int kSearchEveryTicks = 10;

}  // namespace

void FrmVESK::SetForm() {
  try {
    noteAttachment(placeBesideGame());
  } catch (const std::exception&) {
    // A game that cannot be placed (beyond 16-bit positions) is looked at
    // again only when it moves, not on every tick.
    noteAttachment(PlacementBranch::Place);
    throw;
  }
}

void FrmVESK::noteAttachment(PlacementBranch branch) {
  switch (branch) {
    case PlacementBranch::NoGame:
      follow_.attachment = Attachment::None;
      break;
    case PlacementBranch::Park:
      follow_.attachment = Attachment::Parked;
      break;
    default:
      // Placed, or as good as placed: a game that cannot be measured now is
      // placed on again once it can.
      follow_.attachment = Attachment::Placed;
      break;
  }
  // A placement by the hotkey while the strips are hidden with the game
  // shows the main strip again, as every placement leaves it.
  if (follow_.hidden && window_) window_->setVisible(true);
  follow_.hidden = false;
  follow_.seenRect = {};
  follow_.rescaleDue = false;
  lookDue_ = true;
  if (!watching_ || watched_ != s_.gameHwnd) {
    watching_ = true;
    watched_ = s_.gameHwnd;
    p_.gameWatch.watch(watched_, [this] { lookDue_ = true; });
  }
}

GameSight FrmVESK::lookAtGame() {
  GameSight sight;
  WindowHandle game = 0;
  Rect rect;
  bool measured = false;
  if (s_.gameHwnd != 0 && s_.gameHwnd == glance_.game) {
    // Measured at the last look, so its class was checked then: while its
    // rectangle reads it is the same window (the system does not give a
    // closed window's handle to a new one), and only a failed read calls
    // for the check again.
    measured = p_.windowing.getWindowRect(s_.gameHwnd, rect);
    if (measured || gameWindowAlive()) game = s_.gameHwnd;
  } else if (gameWindowAlive()) {
    game = s_.gameHwnd;
  } else if (follow_.attachment == Attachment::None && !follow_.hidden) {
    game = p_.windowing.findWindowByClass(kGameWindowClass);
  }
  glance_ = {};
  if (game == 0) return sight;
  sight.present = true;
  if (!measured) measured = p_.windowing.getWindowRect(game, rect);
  if (measured) glance_ = {game, rect, kGlancesPerLook};
  sight.shown = measured && p_.gameWatch.isShown(game);
  if (!sight.shown) return sight;
  sight.windowRect = rect;
  WindowHandle shownStrips[2];
  std::size_t shown = 0;
  if (window_ && window_->visible()) shownStrips[shown++] = window_->handle();
  const FrmVESK2* second = frmVESK2IfLoaded();
  if (second && second->visible()) shownStrips[shown++] = second->handle();
  sight.above = shown > 0 && p_.gameWatch.isAbove(game, std::span(shownStrips, shown));
  return sight;
}

bool FrmVESK::glanceShowsNoChange() {
  if (glance_.left <= 0 || glance_.game == 0 || glance_.game != s_.gameHwnd) return false;
  Rect rect;
  if (!p_.windowing.getWindowRect(glance_.game, rect) || rect != glance_.rect) return false;
  --glance_.left;
  return true;
}

void FrmVESK::followGame() {
  const bool noticed = follow_.attachment != Attachment::None && p_.gameWatch.movesReported();
  const int every = follow_.attachment == Attachment::None ? kSearchEveryTicks
                    : noticed                              ? kLookEveryTicksWithNotices
                                                           : kLookEveryTicks;
  if (!lookDue_ && ++ticksSinceLook_ < every) return;
  const bool due = std::exchange(lookDue_, false);
  ticksSinceLook_ = 0;
  // An error ends the following for this tick, not the tick.
  try {
    if (!due && !noticed && glanceShowsNoChange()) return;
    followStepNow(lookAtGame());
  } catch (const std::exception&) {
  }
}

void FrmVESK::followStepNow(const GameSight& sight) {
  switch (followStep(follow_, sight, s_.lastGameRect)) {
    case FollowStep::None:
      return;
    case FollowStep::Attach:
      SetForm();
      return;
    case FollowStep::Fallback:
      // As at a start without a game: no placement on record, the corner
      // strip hidden, the main strip shown at the fallback.
      s_.gameHwnd = 0;
      s_.lastGameRect.left = 0;
      s_.lastGameRect.top = 0;
      showStrips(true, false);
      SetForm();
      return;
    case FollowStep::Hide:
      showStrips(false, false);
      follow_.hidden = true;
      return;
    case FollowStep::Restore:
      follow_.hidden = false;
      if (follow_.attachment == Attachment::Placed) {
        followPlace();
      } else {
        showStrips(true, false);
      }
      lookDue_ = true;  // then whether it came back above them
      return;
    case FollowStep::Wait:
      follow_.seenRect = sight.windowRect;
      lookDue_ = true;
      return;
    case FollowStep::Replace:
      followPlace();
      lookDue_ = true;
      return;
    case FollowStep::Restack:
      restackStrips();
      return;
  }
}

void FrmVESK::followPlace() {
  // The placement without its z-order step (the game is left as it is) and
  // with the panel laid out again as it stood.
  if (!p_.windowing.getWindowRect(s_.gameHwnd, s_.gameWindowRect) ||
      !p_.windowing.getClientRect(s_.gameHwnd, s_.gameClientRect) || s_.gameClientRect.isZero()) {
    return;
  }
  takeGameFrame();
  takeGameScale();
  placeOnClientArea();
  if (window_) window_->setVisible(true);
  updMenu(s_.allVisible);
  SetKajiMeter(s_.allVisible);
  s_.lastGameRect = s_.gameWindowRect;
  follow_.rescaleDue = false;
}

void FrmVESK::restackStrips() {
  // Topmost again, above a game that became topmost too, never activated.
  const FrmVESK2* second = frmVESK2IfLoaded();
  if (second && second->visible()) {
    p_.windowing.setWindowPos(second->handle(), platform::kHwndTopmost, kOwnRestack);
  }
  if (window_) p_.windowing.setWindowPos(window_->handle(), platform::kHwndTopmost, kOwnRestack);
}

void FrmVESK::showStrips(bool main, bool second) {
  if (window_) window_->setVisible(main);
  frmVESK2().setVisible(second);
}

}  // namespace vesk
