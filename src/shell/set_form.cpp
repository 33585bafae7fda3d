// SetForm and its helpers: both strips onto the game window, the fallback
// corner without one, the park toggle and the z-order step.
#include <utility>

#include "common/rounding.h"
#include "shell/display_scale.h"
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
  takeGameScale();

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

void FrmVESK::takeGameScale() {
  platform::WindowDpi dpi;
  if (s_.gameHwnd != 0 && p_.windowing.getWindowDpi(s_.gameHwnd, dpi)) {
    gameScale_ = onScreenScale(dpi);
  }
  applyScale(stripScale(p_.windowing.displayScaling(), gameScale_));
}

void FrmVESK::applyScale(platform::ScreenScale scale) {
  if (scale == scale_) return;
  scale_ = scale;
  if (window_) window_->setScale(scale);
  frmVESK2().setScale(scale);
}

void FrmVESK::placeOnClientArea() {
  const Point16 corner = overlayCorner(s_);
  PlaceForm(corner.x, corner.y, roundToInt16(s_.gameClientRect.width()), kOverlayHeight);
  placeSecondary(s_.gameWindowRect.right, s_.gameWindowRect.bottom);
  frmVESK2().setVisible(true);
}

void FrmVESK::PlaceForm(std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height) {
  if (window_) window_->setBounds(x, y, width, scale_.extent(height));
  // The rules see the width in the panel's own pixels.
  mainWidth_ = width / scale_.factor;
  CalcMeterGeometry();
}

void FrmVESK::CalcMeterGeometry() {
  // The game's frame, measured in screen pixels, in the game's own pixels.
  const MeterGeometry g =
      calcMeterGeometry(s_.frameX / scale_.factor, static_cast<float>(mainWidth_));
  s_.meterLeft = g.meterLeft;
  s_.meterRightPad = g.meterRightPad;
  s_.meterStep = g.meterStep;
}

void FrmVESK::fallbackPlacement() {
  // A 1024 x 768 screen of the panel's own pixels.
  const int width = scale_.extent(kFallbackWidth);
  PlaceForm(0, 0, roundToInt16(width), kOverlayHeight);
  placeSecondary(width, scale_.extent(kFallbackHeight));
}

void FrmVESK::placeSecondary(double right, double bottom) {
  FrmVESK2& second = frmVESK2();
  // Read only: measuring the box must not mark the strip for drawing.
  const platform::Control& box = std::as_const(second.controls()).at("cmdMenu", 4);
  const Point32 corner =
      secondaryCorner(right, bottom, s_, scale_.extent(box.width), scale_.extent(box.height),
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
