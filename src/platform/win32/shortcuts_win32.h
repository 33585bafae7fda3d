// Shortcut (.lnk) files through the shell's ShellLink object, the same object
// that the scripting shell's CreateShortcut uses underneath.
#pragma once

#include "platform/shortcuts.h"

namespace vesk::platform::win32 {

class Win32Shortcuts final : public Shortcuts {
 public:
  // The text unchanged when it cannot be expanded.
  std::string expandEnvironmentStrings(std::string_view text) override;
  // An existing shortcut that cannot be loaded (not a shortcut at all) is
  // replaced by a new one rather than failing the save.
  WriteOutcome save(const ShortcutLink& link) override;
};

}  // namespace vesk::platform::win32
