// Shortcut files kept in memory by path; a save into a folder listed in
// failingFolders fails, as it would in a read-only folder.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/shortcuts.h"

namespace vesk::platform::fake {

class FakeShortcuts : public Shortcuts {
 public:
  std::string expandEnvironmentStrings(std::string_view text) override { return std::string(text); }
  bool save(const ShortcutLink& link) override {
    ++saveCalls;
    if (failAll) return false;
    saved[link.file] = link;
    return true;
  }

  std::map<std::string, ShortcutLink> saved;
  bool failAll = false;
  int saveCalls = 0;
};

}  // namespace vesk::platform::fake
