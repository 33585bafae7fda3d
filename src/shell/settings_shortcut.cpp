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

const KeyChoice* choiceFor(std::string_view sKey) {
  for (const KeyChoice& c : kChoices) {
    if (c.sKey == sKey) return &c;
  }
  return nullptr;
}

}  // namespace

std::string settingsShortcutName(std::string_view sKey) {
  const KeyChoice* choice = choiceFor(sKey);
  return "vesk" + std::string(choice ? choice->label : "") + ".lnk";
}

std::string unwrittenShortcutsMessage(std::span<const std::string> names) {
  // As the deadline file's message says it.
  std::string text;
  for (const std::string& name : names) {
    if (!text.empty()) text += "、";
    text += name;
  }
  return text + " に書き込めません";
}

platform::ShortcutLink settingsShortcut(std::string_view sKey, const SettingsRecord& settings,
                                        const std::string& folder, platform::Shortcuts& shortcuts) {
  const KeyChoice* choice = choiceFor(sKey);
  platform::ShortcutLink link;
  link.file = folder + "\\" + settingsShortcutName(sKey);
  link.target = shortcuts.expandEnvironmentStrings(folder + "\\" + "vesk" + ".exe");
  if (choice) link.arguments = std::string(choice->firstField) + settingsFields(settings);
  link.workingDirectory = shortcuts.expandEnvironmentStrings(folder);
  link.showCommand = 4;
  return link;
}

}  // namespace vesk
