#include "timers/adrenaline_meter.h"

#include <array>
#include <charconv>

#include "common/rounding.h"

namespace vesk {

namespace {

constexpr double kThresholdFactor = 0.4;
constexpr std::array<int, 5> kMarkOffsets{50, 30, 20, 10, 0};
constexpr double kMarkTop = 15;
constexpr double kMarkHeight = 10;

}  // namespace

std::optional<std::string> healthText(std::int16_t compactMode, std::int16_t maxHP) {
  switch (compactMode) {
    case 0:
      return "HP" + std::to_string(maxHP);
    case 1:
      return std::to_string(maxHP);
    case 2: {
      // The shortest decimal text that reads back as the value: 10, 15, 5.
      char text[32];
      const auto end = std::to_chars(text, text + sizeof text, maxHP / 10.0).ptr;
      return std::string(text, end);
    }
    default:
      return std::nullopt;
  }
}

void SetKajiMeter(bool bAllVisible, const MainState& s, ControlSet& main) {
  if (auto text = healthText(s.compactMode, s.maxHP)) main.at("txtMenu", 1).text = *text;
  for (int i = 0; i < static_cast<int>(kMarkOffsets.size()); ++i) {
    platform::Control& mark = main.at("lblKajiLine", i);
    const std::int16_t v = roundToInt16(s.maxHP * kThresholdFactor - kMarkOffsets[i]);
    if (v <= 0) {
      mark.visible = false;
    } else {
      mark.top = kMarkTop;
      mark.left = v / 10.0 * s.meterStep + s.meterLeft;
      mark.height = kMarkHeight;
      mark.visible = bAllVisible;
    }
    if (!bAllVisible) mark.visible = false;
  }
}

}  // namespace vesk
