// The display settings that the hotkeys and the mouse step through. Each
// function changes one setting within its bounds; the caller then lays the
// panel out again (or, for the health, moves the adrenaline marks).
#pragma once

#include "common/main_state.h"

namespace vesk {

// 10, 11, 12, 14 points, stopping at both ends; 13 is skipped both ways.
void stepFontSize(MainState& s, bool smaller);
void toggleFontBold(MainState& s);
// 50 to 150 in steps of 10.
void stepMaxHP(MainState& s, bool lower);
void toggleAllVisible(MainState& s);
// 0, 1, 2, 0, ...; a value outside these stays.
void stepCompact(MainState& s);
// 0 and 1 swap; any other value stays.
void toggleBtnPos(MainState& s);
void togglePTLine(MainState& s);

}  // namespace vesk
