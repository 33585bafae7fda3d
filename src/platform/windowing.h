// Top-level windows: the program's own (created from a design, drawn from
// control data, reporting typed events) and other programs' (looked up by
// class, measured and restacked), plus the global hotkeys.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/colour.h"
#include "platform/control.h"
#include "platform/keyboard_hook.h"
#include "platform/screen_scale.h"
#include "platform/types.h"

namespace vesk::platform {

enum class WindowStyle {
  Strip,  // no caption, no frame, not in the taskbar
  // Fixed tool window with a small caption, not in the taskbar. Made as the
  // program's windows were before it declared itself per-monitor aware, so
  // that the system scales it whole on every monitor.
  ToolDialog,
};

struct WindowDesign {
  std::string name;  // frmVESK, frmVESK2, frmCaravan (also the window class suffix)
  std::string caption;
  WindowStyle style = WindowStyle::Strip;
  int clientWidth = 0;  // pixels
  int clientHeight = 0;
  Colour backColour = kKeyColour;
};

// How a window's pixels meet the screen's, as the system reports it.
enum class DpiAwareness {
  Unaware,     // drawn at 96 DPI, stretched by the system to its monitor's DPI
  System,      // drawn at the DPI the system had when its program started
  PerMonitor,  // drawn at its monitor's DPI: its pixels are the screen's
};

struct WindowDpi {
  DpiAwareness awareness = DpiAwareness::Unaware;
  int windowDpi = 96;   // the DPI the window draws at
  int monitorDpi = 96;  // the effective DPI of the monitor it is on
};

// How the program's own windows meet the screen.
struct DisplayScaling {
  // The program's windows get the screen's pixels 1:1 (per-monitor aware):
  // it scales them itself. Otherwise the system scales them, as it scales
  // any program that is not DPI aware, and they are drawn at scale 1.
  bool ownPixels = false;
  // The program as the system started it, before it declared itself
  // per-monitor aware, seen on the primary monitor: how the system would
  // have scaled its windows there.
  WindowDpi startContext;
};

struct MouseEvent {
  std::string control;  // name of the control under the pointer
  int index = -1;
  bool down = true;  // press (true) or release (false)
  int button = kButtonLeft;
  int shift = 0;
  int x = 0;  // pixels, relative to the control
  int y = 0;
};

// The program's handlers for one window. Everything arrives on the
// user-interface thread, one event at a time.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void onTimer() {}
  virtual void onHotKey(int /*id*/) {}
  virtual void onMouse(const MouseEvent& /*event*/) {}
  virtual void onClick(const std::string& /*control*/, int /*index*/) {}
  // A key typed in a control: 13 Enter, 27 Escape, other characters as typed.
  virtual void onKeyPress(const std::string& /*control*/, int /*index*/, int /*key*/) {}
  // The user picked item `selected` of a combo box; the platform's copy of
  // the control already shows it.
  virtual void onSelect(const std::string& /*control*/, int /*index*/, int /*selected*/) {}
  virtual void onActivate() {}
  // A close request from the platform (Alt+F4, log-off, the caption's close
  // box). The window is destroyed only when the program calls destroy().
  virtual void onCloseRequest() {}
  // The DPI of the window's monitor changed, or the window went to a
  // monitor of another DPI. The window keeps its size.
  virtual void onDpiChange() {}
};

class Window {
 public:
  virtual ~Window() = default;
  virtual WindowHandle handle() const = 0;
  // Pixels of exactly this colour are see-through and click-through, all
  // others opaque: a layered window's colour key, or on platforms where that
  // costs a rescan of the whole window per repaint, a window region made
  // from the pixels that are not the key.
  virtual void setColourKey(Colour key) = 0;
  // Outer position and size in screen pixels.
  virtual void setBounds(int x, int y, int width, int height) = 0;
  virtual Rect bounds() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual bool visible() const = 0;
  virtual void setBackColour(Colour colour) = 0;
  // The scale at which the controls are drawn (a strip's); they keep
  // their own pixels. A change draws the whole window again.
  virtual void setScale(ScreenScale scale) = 0;
  // Starts (enabled) or stops the window's timer.
  virtual void setTimer(int intervalMs, bool enabled) = 0;
  // Draws the controls; only what changed since the last call is repainted.
  virtual void present(const std::vector<Control>& controls) = 0;
  // Gives the control the keyboard (a native one gets the real focus).
  virtual void setFocus(const std::string& control, int index) = 0;
  // Shows the window and runs a nested message loop until it is destroyed.
  virtual void runModal() = 0;
  // Destroys the native window; later calls do nothing.
  virtual void destroy() = 0;
};

class Windowing {
 public:
  virtual ~Windowing() = default;
  // The window, created hidden; nullptr when the system refuses to create it.
  virtual std::unique_ptr<Window> createWindow(const WindowDesign& design,
                                               WindowEvents& events) = 0;
  // Runs the message loop until quit() is called.
  virtual void runMessageLoop() = 0;
  virtual void quit() = 0;

  // Other programs' windows.
  virtual WindowHandle findWindowByClass(std::string_view className) = 0;
  // Whether the handle still names a live top-level window of this class:
  // handles are reused, so a kept one can come to name a stranger's window.
  virtual bool isWindowOfClass(WindowHandle window, std::string_view className) = 0;
  virtual bool getWindowRect(WindowHandle window, Rect& out) = 0;
  virtual bool getClientRect(WindowHandle window, Rect& out) = 0;
  virtual bool setWindowPos(WindowHandle window, WindowHandle insertAfter, unsigned flags) = 0;
  // Whether the last setWindowPos failed for want of access: the window's
  // program runs at a higher integrity level (as administrator).
  virtual bool restackDenied() const = 0;
  // Another program's window as the system scales it; false when the
  // system cannot tell (an older one, or the window is gone).
  virtual bool getWindowDpi(WindowHandle window, WindowDpi& out) = 0;
  virtual DisplayScaling displayScaling() = 0;

  // System-wide hotkeys, delivered to the owner's onHotKey.
  virtual bool registerHotKey(WindowHandle owner, int id, unsigned modifiers,
                              unsigned virtualKey) = 0;
  virtual bool unregisterHotKey(WindowHandle owner, int id) = 0;
  // The low-level keyboard hook that serves the chords refused above.
  virtual KeyboardHook& keyboardHook() = 0;
};

}  // namespace vesk::platform
