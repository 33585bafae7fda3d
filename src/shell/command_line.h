// The argument text that carries the six start-up settings: six fields joined
// by ",", e.g. 0,0,0,11,1,0. Read at start-up, written into the settings
// shortcuts.
#pragma once

#include <string>
#include <string_view>

#include "common/main_state.h"

namespace vesk {

// Settings of an empty argument text: the defaults, with the party lines on.
SettingsRecord emptyCommandLineSettings();
// Starting point for a non-empty argument text: the party lines are off.
SettingsRecord nonEmptyCommandLineSettings();

// Splits at every "," (no trimming, any number of fields) and compares each of
// the first six fields exactly with the texts its position knows; anything
// else gives that position's default.
SettingsRecord parseCommandLine(std::string_view argumentText);

// Fields 1 to 5 of the argument text for these settings, each preceded by ",".
std::string settingsFields(const SettingsRecord& settings);

}  // namespace vesk
