#include "platform/win32/dpi_support.h"

#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

namespace {

constexpr int kUnawareDpi = USER_DEFAULT_SCREEN_DPI;
// GetDpiForMonitor's MDT_EFFECTIVE_DPI: the DPI the system scales by.
constexpr int kEffectiveDpi = 0;

template <class Function>
Function lookUp(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

DpiAwareness awarenessFrom(DPI_AWARENESS awareness) {
  switch (awareness) {
    case DPI_AWARENESS_SYSTEM_AWARE:
      return DpiAwareness::System;
    case DPI_AWARENESS_PER_MONITOR_AWARE:
      return DpiAwareness::PerMonitor;
    default:
      return DpiAwareness::Unaware;
  }
}

}  // namespace

DpiSupport::DpiSupport() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  setProcessContext_ = lookUp<SetProcessContext>(user32, "SetProcessDpiAwarenessContext");
  setThreadContext_ = lookUp<SetThreadContext>(user32, "SetThreadDpiAwarenessContext");
  getThreadContext_ = lookUp<GetThreadContext>(user32, "GetThreadDpiAwarenessContext");
  getWindowContext_ = lookUp<GetWindowContext>(user32, "GetWindowDpiAwarenessContext");
  awarenessOf_ = lookUp<AwarenessOf>(user32, "GetAwarenessFromDpiAwarenessContext");
  dpiOfWindow_ = lookUp<DpiOfWindow>(user32, "GetDpiForWindow");
  shcore_.reset(LoadLibraryW(L"shcore.dll"));
  dpiOfMonitor_ = lookUp<DpiOfMonitor>(shcore_.get(), "GetDpiForMonitor");
  // Kept as the system's fixed context of that awareness: the thread's own
  // handle may stand for "the process's context", which the declaration
  // then changes (so Wine 10 makes it). A process started per-monitor
  // aware (older Wine makes every process so) needs no switching.
  if (getThreadContext_ && awarenessOf_) {
    switch (awarenessOf_(getThreadContext_())) {
      case DPI_AWARENESS_UNAWARE:
        start_ = DPI_AWARENESS_CONTEXT_UNAWARE;
        break;
      case DPI_AWARENESS_SYSTEM_AWARE:
        start_ = DPI_AWARENESS_CONTEXT_SYSTEM_AWARE;
        break;
      default:
        break;
    }
  }
  // The screen's units as the program saw them in the start context.
  const WindowDc screen(nullptr);
  if (screen) {
    const int x = GetDeviceCaps(screen.get(), LOGPIXELSX);
    const int y = GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (x > 0) startDpiX_ = x;
    if (y > 0) startDpiY_ = y;
  }
}

bool DpiSupport::declarePerMonitorAware() {
  return setProcessContext_ && setProcessContext_(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

DPI_AWARENESS_CONTEXT DpiSupport::threadContext() const {
  return getThreadContext_ ? getThreadContext_() : nullptr;
}

bool DpiSupport::ownPixels() const {
  if (!getThreadContext_ || !awarenessOf_) return false;
  return awarenessOf_(getThreadContext_()) == DPI_AWARENESS_PER_MONITOR_AWARE;
}

int DpiSupport::monitorDpi(HMONITOR monitor) const {
  UINT x = 0;
  UINT y = 0;
  if (!monitor || !dpiOfMonitor_ || FAILED(dpiOfMonitor_(monitor, kEffectiveDpi, &x, &y)) ||
      x == 0) {
    return 0;
  }
  return static_cast<int>(x);
}

WindowDpi DpiSupport::startContextOnPrimary() const {
  const int primary = monitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
  WindowDpi dpi{DpiAwareness::PerMonitor, kUnawareDpi, primary > 0 ? primary : startDpiX_};
  if (start_ && awarenessOf_) dpi.awareness = awarenessFrom(awarenessOf_(start_));
  if (dpi.awareness == DpiAwareness::System) dpi.windowDpi = startDpiX_;
  if (dpi.awareness == DpiAwareness::PerMonitor) dpi.windowDpi = dpi.monitorDpi;
  return dpi;
}

bool DpiSupport::windowDpi(HWND window, WindowDpi& out) const {
  if (!getWindowContext_ || !awarenessOf_ || !dpiOfWindow_) return false;
  const DPI_AWARENESS_CONTEXT context = getWindowContext_(window);
  const UINT drawnAt = dpiOfWindow_(window);
  const int monitor = monitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
  if (!context || drawnAt == 0 || monitor == 0) return false;
  out = {awarenessFrom(awarenessOf_(context)), static_cast<int>(drawnAt), monitor};
  return true;
}

DpiSupport::ThreadScope::ThreadScope(const DpiSupport* dpi, DPI_AWARENESS_CONTEXT context)
    : set_(dpi ? dpi->setThreadContext_ : nullptr) {
  if (context && set_) previous_ = set_(context);
}

DpiSupport::ThreadScope::~ThreadScope() {
  if (previous_) set_(previous_);
}

}  // namespace vesk::platform::win32
