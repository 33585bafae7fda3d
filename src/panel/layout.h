// updMenu: lays out and fills the whole panel from the main window's state:
// the five menu slots by font size and button size, the calendar date on
// Command1, the caravan and deadline line of the secondary strip, the
// health scale, the stamina marks and the party lines.
#pragma once

#include <cstdint>
#include <string_view>

#include "caravan/mod_vesk.h"
#include "common/main_state.h"
#include "common/timestamp.h"
#include "panel/control_set.h"

namespace vesk {

struct LayoutInput {
  Timestamp now = 0;            // the present moment
  float mainWidthPixels = 800;  // the main window's width in pixels
};

// Lays out frmVESK's controls (main) and frmVESK2's slot 4 (second).
// Clears calendarDirty. Throws OverflowError when a rounding overflows; the
// assignments made before stay.
void updMenu(bool bAllVisible, MainState& s, ModVESK& mod, const LayoutInput& in, ControlSet& main,
             ControlSet& second);

// Top, Left, Height, Width in this order, each only when not 0.
void setCtlPos(platform::Control& c, std::int16_t top, std::int16_t left, std::int16_t height,
               std::int16_t width);
// Font name when not empty, size when not 0, then always the bold flag.
void setCtlFont(platform::Control& c, std::string_view name, std::int16_t size, bool bold);
// Left of a menu button of this width: flush right when btnPos is 1 and the
// overlay is not being parked, else 0.
std::int16_t getBtnLeft(std::int16_t width, const MainState& s, float mainWidthPixels);

}  // namespace vesk
