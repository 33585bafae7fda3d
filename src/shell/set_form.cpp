// SetForm and its helpers: both strips onto the game window, the fallback
// corner without one, the park toggle and the z-order step.
#include <utility>

#include "common/rounding.h"
#include "shell/frm_vesk.h"
#include "shell/placement.h"

namespace vesk {

namespace {

constexpr unsigned kGameRestack =
    platform::kSwpNoMove | platform::kSwpNoSize | platform::kSwpShowWindow;

}  // namespace

bool FrmVESK::gameWindowAlive() {
  // A kept handle that no longer names the game's window is dropped, so a
  // restarted game is found again and no other program's window is moved.
  if (s_.gameHwnd != 0 && !p_.windowing.isWindowOfClass(s_.gameHwnd, kGameWindowClass)) {
    s_.gameHwnd = 0;
  }
  return s_.gameHwnd != 0;
}

PlacementBranch FrmVESK::placeBesideGame() {
  if (!gameWindowAlive()) s_.gameHwnd = p_.windowing.findWindowByClass(kGameWindowClass);
  FrmVESK2& second = frmVESK2();

  if (s_.gameHwnd == 0) {
    fallbackPlacement();
    s_.allVisible = false;
    updDisp();
    if (window_) p_.windowing.setWindowPos(window_->handle(), platform::kHwndTopmost, kOwnRestack);
    return PlacementBranch::NoGame;
  }
  if (!p_.windowing.getWindowRect(s_.gameHwnd, s_.gameWindowRect)) {
    fallbackPlacement();
    second.setVisible(true);
    s_.allVisible = false;
    updDisp();
    return PlacementBranch::NoWindowRect;
  }
  if (!p_.windowing.getClientRect(s_.gameHwnd, s_.gameClientRect)) {
    fallbackPlacement();
    second.setVisible(true);
    s_.allVisible = false;
    updDisp();
    zOrderStep();
    return PlacementBranch::NoClientRect;
  }

  takeGameFrame();

  if (s_.gameClientRect.isZero()) {
    fallbackPlacement();
    second.setVisible(true);
    s_.allVisible = false;
    updDisp();
    s_.lastGameRect.left = 0;
    s_.lastGameRect.top = 0;
    zOrderStep();
    return PlacementBranch::Minimised;
  }

  const std::int16_t clientWidth = roundToInt16(s_.gameClientRect.width());
  if (placeOrPark(s_) == PlacementBranch::Park) {
    PlaceForm(0, 0, clientWidth, kOverlayHeight);
    second.setVisible(false);
    // The buttons sit at the left while parked, whatever side is chosen.
    struct ParkingScope {
      bool& flag;
      explicit ParkingScope(bool& f) : flag(f) { flag = true; }
      ~ParkingScope() { flag = false; }
    } parking(s_.parking);
    s_.allVisible = true;
    updDisp();
    s_.lastGameRect.left = 0;
    s_.lastGameRect.top = 0;
    return PlacementBranch::Park;
  }

  placeOnClientArea();
  s_.allVisible = false;
  updDisp();
  s_.lastGameRect = s_.gameWindowRect;
  zOrderStep();
  return PlacementBranch::Place;
}

void FrmVESK::takeGameFrame() {
  const GameFrame frame = measureGameFrame(s_.gameWindowRect, s_.gameClientRect);
  s_.frameX = frame.frameX;
  s_.frameY = frame.frameY;
  s_.captionHeight = frame.captionHeight;
}

void FrmVESK::placeOnClientArea() {
  const Point16 corner = overlayCorner(s_);
  PlaceForm(corner.x, corner.y, roundToInt16(s_.gameClientRect.width()), kOverlayHeight);
  placeSecondary(s_.gameWindowRect.right, s_.gameWindowRect.bottom);
  frmVESK2().setVisible(true);
}

void FrmVESK::PlaceForm(std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height) {
  if (window_) window_->setBounds(x, y, width, height);
  mainWidth_ = width;
  CalcMeterGeometry();
}

void FrmVESK::CalcMeterGeometry() {
  const MeterGeometry g = calcMeterGeometry(s_.frameX, static_cast<float>(mainWidth_));
  s_.meterLeft = g.meterLeft;
  s_.meterRightPad = g.meterRightPad;
  s_.meterStep = g.meterStep;
}

void FrmVESK::fallbackPlacement() {
  PlaceForm(0, 0, kFallbackWidth, kOverlayHeight);
  placeSecondary(kFallbackWidth, kFallbackHeight);
}

void FrmVESK::placeSecondary(double right, double bottom) {
  FrmVESK2& second = frmVESK2();
  // Read only: measuring the box must not mark the strip for drawing.
  const platform::Control& box = std::as_const(second.controls()).at("cmdMenu", 4);
  const Point32 corner = secondaryCorner(right, bottom, s_, box.width, box.height,
                                         p_.system.twipsPerPixelX(), p_.system.twipsPerPixelY());
  second.setPosition(corner.x, corner.y);
}

void FrmVESK::zOrderStep() {
  // Both strips above everything, without taking the activation; then the
  // game shown, active and below them.
  p_.windowing.setWindowPos(frmVESK2().handle(), platform::kHwndTopmost, kOwnRestack);
  if (window_) p_.windowing.setWindowPos(window_->handle(), platform::kHwndTopmost, kOwnRestack);
  if (gameWindowAlive()) restackGame(kGameRestack);
}

}  // namespace vesk
