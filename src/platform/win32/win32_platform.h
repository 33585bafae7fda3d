// The real services of vesk.exe, one instance of each, handed to the
// program as one Platform. Keep the object for the whole run: it holds the
// single-instance mutex.
#pragma once

#include "platform/platform.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/dpi_support.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/game_watch_win32.h"
#include "platform/win32/shortcuts_win32.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/windowing_win32.h"

namespace vesk::platform::win32 {

class Win32Platform {
 public:
  // Declares the process per-monitor aware before any window is made.
  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& services() { return services_; }

 private:
  // The context the system started the process in is noted first.
  DpiSupport dpi_;
  bool declared_ = dpi_.declarePerMonitorAware();
  Win32Clock clock_;
  Win32Files files_;
  Win32System system_{dpi_};
  Win32Shortcuts shortcuts_;
  Win32Windowing windowing_{dpi_};
  Win32GameWatch gameWatch_;
  Platform services_{clock_, files_, system_, shortcuts_, windowing_, gameWatch_};
};

}  // namespace vesk::platform::win32
