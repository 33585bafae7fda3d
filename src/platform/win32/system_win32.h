// Process-wide services on Win32: the executable's folder and command line,
// the per-user single-instance mutex, message boxes, screen units, the
// program's random numbers and sleeping.
#pragma once

#include <memory>
#include <random>

#include "platform/system.h"
#include "platform/win32/dpi_support.h"
#include "platform/win32/unique_handle.h"

namespace vesk::platform::win32 {

class Win32System final : public System {
 public:
  // Screen units and message boxes as in the context the process started
  // in; without a DpiSupport, as the process stands now.
  Win32System();
  explicit Win32System(const DpiSupport& dpi);

  std::string exeFolder() override;
  std::string commandLineArguments() override;
  // Creates the mutex "Local\vesk.single-instance.<user's SID>" and keeps it
  // as long as this object lives (the whole run in vesk.exe). The answer is
  // worked out once; later calls repeat it. A second Win32System in the
  // same process also sees the mutex as taken, since every create of an
  // existing named mutex reports ERROR_ALREADY_EXISTS.
  bool anotherInstanceRunning() override;
  // Made in the start context, so that the system scales it as before.
  void messageBox(std::string_view text) override;
  // Of the start context: what the program's rules have always used,
  // whatever awareness the process declared since.
  int twipsPerPixelX() override;
  int twipsPerPixelY() override;
  // The same sequence on every run: the engine keeps its default seed.
  double random() override;
  void sleep(int milliseconds) override;
  void debugOutput(std::string_view text) override;
  // The token's elevation (process_elevation.cpp); false when it cannot be read.
  bool elevated() override;

 private:
  std::unique_ptr<DpiSupport> ownDpi_;
  const DpiSupport& dpi_;
  UniqueHandle instanceMutex_;
  bool instanceChecked_ = false;
  bool anotherInstance_ = false;
  std::mt19937 engine_;
};

}  // namespace vesk::platform::win32
