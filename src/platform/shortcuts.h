// Shortcut (.lnk) files that carry the settings on their command line.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

namespace vesk::platform {

struct ShortcutLink {
  std::string file;              // full path of the .lnk file
  std::string target;            // program the shortcut starts
  std::string arguments;         // its argument text
  std::string workingDirectory;  // folder it starts in
  int showCommand = 4;           // SW_SHOWNOACTIVATE
};

class Shortcuts {
 public:
  virtual ~Shortcuts() = default;
  // Expands %NAME% references with the environment, as the shell would.
  virtual std::string expandEnvironmentStrings(std::string_view text) = 0;
  // Writes the shortcut whole or not at all. An existing file of that name
  // is loaded first so that its description, icon and hot key survive.
  virtual WriteOutcome save(const ShortcutLink& link) = 0;
};

}  // namespace vesk::platform
