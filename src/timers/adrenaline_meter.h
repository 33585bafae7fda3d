// SetKajiMeter: the health line and up to five red marks on the health
// scale, at 40 % of the hunter's maximum health and 10, 20, 30 and 50
// points below it. Recomputed from scratch on every call.
#pragma once

#include <optional>
#include <string>

#include "common/main_state.h"
#include "panel/control_set.h"

namespace vesk {

// The health line's text for the button size: "HP100", "100" or "10";
// nothing for a size the panel does not have.
std::optional<std::string> healthText(std::int16_t compactMode, std::int16_t maxHP);

// Writes txtMenu(1) and places lblKajiLine(0..4) of the main strip.
// Throws OverflowError when a mark's rounding overflows.
void SetKajiMeter(bool bAllVisible, const MainState& s, ControlSet& main);

}  // namespace vesk
