#include "shell/settings_shortcut.h"

#include "shell/command_line.h"

namespace vesk {

namespace {

struct KeyChoice {
  std::string_view sKey;
  std::string_view label;  // ends with the half-width katakana ｷｰ
  std::string_view firstField;
};

constexpr KeyChoice kChoices[] = {
    {"8", " - Winｷｰ", "0"},
    {"2", " - Ctlｷｰ", "1"},
    {"4", " - Sftｷｰ", "2"},
    {"1", " - Altｷｰ", "3"},
};

}  // namespace

platform::ShortcutLink settingsShortcut(std::string_view sKey, const SettingsRecord& settings,
                                        const std::string& folder, platform::Shortcuts& shortcuts) {
  std::string label;
  std::string arguments;
  for (const KeyChoice& c : kChoices) {
    if (c.sKey == sKey) {
      label = c.label;
      arguments = std::string(c.firstField) + settingsFields(settings);
      break;
    }
  }
  platform::ShortcutLink link;
  link.file = folder + "\\" + "vesk" + label + ".lnk";
  link.target = shortcuts.expandEnvironmentStrings(folder + "\\" + "vesk" + ".exe");
  link.arguments = arguments;
  link.workingDirectory = shortcuts.expandEnvironmentStrings(folder);
  link.showCommand = 4;
  return link;
}

}  // namespace vesk
