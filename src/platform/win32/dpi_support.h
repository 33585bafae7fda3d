// The system's DPI awareness, as far as it offers it: the functions are
// looked up at run time (Windows 10 1607 has most, 1703 per-monitor aware
// v2; older systems and Wines may lack some), the process's declaration as
// per-monitor aware v2, and the context the system started it in, which
// the program's dialogs, message boxes and screen units keep.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/windowing.h"

namespace vesk::platform::win32 {

class DpiSupport {
  using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

 public:
  // Notes the calling thread's context as the one the system started the
  // process in: make it before the process declares itself aware.
  DpiSupport();
  DpiSupport(const DpiSupport&) = delete;
  DpiSupport& operator=(const DpiSupport&) = delete;

  // Declares the process per-monitor aware v2, so that its windows get the
  // screen's pixels 1:1 on every monitor. Must come before the process's
  // first window. False when the system refuses (too old, or the context is
  // set already: older Wine makes every process per-monitor aware itself).
  bool declarePerMonitorAware();

  // The process's windows are per-monitor aware (by the declaration, or
  // because the system made them so).
  bool ownPixels() const;
  // The context the system started the process in, as the system's fixed
  // context of that awareness; null where the system has no contexts or
  // the process started per-monitor aware.
  DPI_AWARENESS_CONTEXT startContext() const { return start_; }
  // The calling thread's context now; null where the system has none.
  DPI_AWARENESS_CONTEXT threadContext() const;
  // The start context seen on the primary monitor.
  WindowDpi startContextOnPrimary() const;
  // Dots per inch of the screen in the start context, as the program saw
  // it before it declared itself aware: its screen units and fonts.
  int startDpiX() const { return startDpiX_; }
  int startDpiY() const { return startDpiY_; }

  // Another program's window: its awareness, the DPI it draws at and its
  // monitor's effective DPI.
  bool windowDpi(HWND window, WindowDpi& out) const;

  // The calling thread in a context for the scope's life; nothing without
  // DPI support or context, or where the system has no contexts.
  class ThreadScope {
   public:
    ThreadScope(const DpiSupport* dpi, DPI_AWARENESS_CONTEXT context);
    ~ThreadScope();
    ThreadScope(const ThreadScope&) = delete;
    ThreadScope& operator=(const ThreadScope&) = delete;

   private:
    SetThreadContext set_ = nullptr;
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
  };

 private:
  using SetProcessContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  using GetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
  using GetWindowContext = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
  using AwarenessOf = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
  using DpiOfWindow = UINT(WINAPI*)(HWND);
  using DpiOfMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

  int monitorDpi(HMONITOR monitor) const;

  struct LibraryFree {
    void operator()(HMODULE module) const { FreeLibrary(module); }
  };

  SetProcessContext setProcessContext_ = nullptr;
  SetThreadContext setThreadContext_ = nullptr;
  GetThreadContext getThreadContext_ = nullptr;
  GetWindowContext getWindowContext_ = nullptr;
  AwarenessOf awarenessOf_ = nullptr;
  DpiOfWindow dpiOfWindow_ = nullptr;
  std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFree> shcore_;
  DpiOfMonitor dpiOfMonitor_ = nullptr;
  DPI_AWARENESS_CONTEXT start_ = nullptr;
  int startDpiX_ = 96;
  int startDpiY_ = 96;
};

}  // namespace vesk::platform::win32
