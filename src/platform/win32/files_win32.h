// The data files through the W file functions, so that any folder name works
// whatever the system's code page.
#pragma once

#include "platform/files.h"

namespace vesk::platform::win32 {

class Win32Files final : public Files {
 public:
  bool exists(const std::string& path) override;
  // Opens with every sharing mode, so a file that another program has open
  // for writing is still read; a file held exclusively, a folder or a device
  // gives Unreadable at once instead of waiting.
  ReadResult read(const std::string& path, std::size_t maxBytes) override;
  // Writes the new contents into a temporary file beside the target and then
  // moves it over the target, so a failure at any point leaves the old file
  // as it was and no temporary file behind. A read-only file is not written.
  WriteOutcome writeLine(const std::string& path, std::string_view line) override;
  bool remove(const std::string& path) override;
};

}  // namespace vesk::platform::win32
