// Shortcut files kept in memory by path; with failAll every save fails, as it
// would in a read-only folder, and the next heldSaves saves find the file
// held by another program for a moment. Expansion replaces each %NAME% listed in
// environment by its value and leaves the rest of the text as it is.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/shortcuts.h"

namespace vesk::platform::fake {

class FakeShortcuts : public Shortcuts {
 public:
  std::string expandEnvironmentStrings(std::string_view text) override {
    std::string out(text);
    for (const auto& [name, value] : environment) {
      const std::string token = "%" + name + "%";
      for (std::size_t at = out.find(token); at != std::string::npos;
           at = out.find(token, at + value.size())) {
        out.replace(at, token.size(), value);
      }
    }
    return out;
  }
  WriteOutcome save(const ShortcutLink& link) override {
    ++saveCalls;
    if (heldSaves > 0) {
      --heldSaves;
      return WriteOutcome::Held;
    }
    if (failAll) return WriteOutcome::Failed;
    saved[link.file] = link;
    return WriteOutcome::Written;
  }

  std::map<std::string, std::string> environment;
  std::map<std::string, ShortcutLink> saved;
  bool failAll = false;
  int heldSaves = 0;
  int saveCalls = 0;
};

}  // namespace vesk::platform::fake
