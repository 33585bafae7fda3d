// The settings shortcut files: one .lnk per hotkey modifier, whose argument
// text restores the current settings when the program is started through it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/main_state.h"
#include "platform/shortcuts.h"

namespace vesk {

// What MakeShortcut writes for sKey ("8", "2", "4" or "1"): the file
// "<folder>\vesk - Winｷｰ.lnk" and its kin, starting "<folder>\vesk.exe" in
// the folder with the argument text. Any other sKey gives "<folder>\vesk.lnk"
// with an empty argument text. Paths are joined by plain concatenation.
platform::ShortcutLink settingsShortcut(std::string_view sKey, const SettingsRecord& settings,
                                        const std::string& folder, platform::Shortcuts& shortcuts);

// The name of that file without its folder: "vesk - Winｷｰ.lnk".
std::string settingsShortcutName(std::string_view sKey);

// One message for the shortcut files, by name, that could not be written.
std::string unwrittenShortcutsMessage(std::span<const std::string> names);

}  // namespace vesk
