#include "shell/placement.h"

#include "common/rounding.h"

namespace vesk {

namespace {

constexpr double kMinimisedFrame = 4;
constexpr double kMinimisedCaption = 42;
constexpr double kMeterLeftInset = 114;
constexpr double kMeterRightInset = 20;
constexpr double kMeterSteps = 15;

// Twips to whole pixels, as the window reports its position back.
std::int32_t toPixels(std::int32_t twips, int twipsPerPixel) {
  return roundToInt32(static_cast<double>(twips) / twipsPerPixel);
}

}  // namespace

GameFrame measureGameFrame(const Rect& window, const Rect& client) {
  if (client.isZero()) return {kMinimisedFrame, kMinimisedFrame, kMinimisedCaption};
  // 64-bit differences: foreign rectangles can hold any 32-bit values.
  const std::int64_t dw = std::int64_t{window.right} - window.left - client.width();
  const std::int64_t dh = std::int64_t{window.bottom} - window.top - client.height();
  const double frame = static_cast<double>(dw) / 2;
  return {frame, frame, static_cast<double>(dh) - 2 * frame};
}

MeterGeometry calcMeterGeometry(double frameX, float widthPixels) {
  MeterGeometry g;
  g.meterLeft = frameX + kMeterLeftInset;
  g.meterRightPad = frameX + kMeterRightInset;
  g.meterStep = (static_cast<double>(widthPixels) - (g.meterRightPad + g.meterLeft)) / kMeterSteps;
  return g;
}

PlacementBranch placeOrPark(const MainState& s) {
  const bool onRecord = !(s.lastGameRect.left == 0 && s.lastGameRect.top == 0);
  const bool unmoved =
      s.gameWindowRect.left == s.lastGameRect.left && s.gameWindowRect.top == s.lastGameRect.top;
  return onRecord && unmoved && !s.placePending ? PlacementBranch::Park : PlacementBranch::Place;
}

Point16 overlayCorner(const MainState& s) {
  return {roundToInt16(s.gameWindowRect.left + s.frameX),
          roundToInt16(s.gameWindowRect.top + s.frameY + s.captionHeight)};
}

Point32 secondaryCorner(double right, double bottom, const MainState& s, double boxWidth,
                        double boxHeight, int twipsPerPixelX, int twipsPerPixelY) {
  const std::int32_t leftTwips = roundToInt32((right - s.frameX - boxWidth) * twipsPerPixelX);
  const std::int32_t topTwips = roundToInt32((bottom - s.frameY - boxHeight) * twipsPerPixelY);
  return {toPixels(leftTwips, twipsPerPixelX), toPixels(topTwips, twipsPerPixelY)};
}

}  // namespace vesk
