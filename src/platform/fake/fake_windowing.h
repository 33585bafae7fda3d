// Windows kept as records: tests read back what the program set (bounds,
// visibility, colour key, timer, presented controls), fire events at the
// program's handlers, and see every hotkey and z-order call.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/fake/fake_keyboard_hook.h"
#include "platform/windowing.h"

namespace vesk::platform::fake {

class FakeWindowing;

class FakeWindow : public Window {
 public:
  FakeWindow(FakeWindowing& owner, WindowHandle handle, WindowDesign design, WindowEvents& events);
  ~FakeWindow() override;

  WindowHandle handle() const override { return handle_; }
  void setColourKey(Colour key) override { colourKey = key; }
  void setBounds(int x, int y, int width, int height) override {
    rect = {x, y, x + width, y + height};
    ++boundsCalls;
  }
  Rect bounds() const override { return rect; }
  void setVisible(bool v) override { shown = v; }
  bool visible() const override { return shown; }
  void setBackColour(Colour colour) override { design.backColour = colour; }
  void setScale(ScreenScale s) override { scale = s; }
  void setTimer(int intervalMs, bool enabled) override {
    timerInterval = intervalMs;
    timerEnabled = enabled;
  }
  void present(const std::vector<Control>& c) override {
    controls = c;
    ++presentCount;
  }
  void setFocus(const std::string& control, int index) override { focus = {control, index}; }
  void runModal() override;
  void destroy() override;

  WindowEvents& events() { return events_; }
  // The user picks item `item` of a presented combo box: the platform's copy
  // follows, then the program hears of it, as on the real platform.
  void select(const std::string& control, int index, int item);
  bool destroyed() const { return destroyed_; }

  WindowDesign design;
  Rect rect;
  bool shown = false;
  bool hasColourKey() const { return colourKey != kNoKey; }
  static constexpr Colour kNoKey = 0xFFFFFFFF;
  Colour colourKey = kNoKey;
  int timerInterval = 0;
  bool timerEnabled = false;
  std::vector<Control> controls;
  int presentCount = 0;
  int boundsCalls = 0;
  ScreenScale scale;
  std::pair<std::string, int> focus;
  int destroyCalls = 0;

 private:
  FakeWindowing& owner_;
  WindowHandle handle_;
  WindowEvents& events_;
  bool destroyed_ = false;
};

struct SetWindowPosCall {
  WindowHandle window;
  WindowHandle insertAfter;
  unsigned flags;
};

class FakeWindowing : public Windowing {
 public:
  std::unique_ptr<Window> createWindow(const WindowDesign& design, WindowEvents& events) override;
  void runMessageLoop() override { ++loopRuns; }
  void quit() override {
    quitRequested = true;
    ++quitCalls;
  }

  WindowHandle findWindowByClass(std::string_view className) override;
  bool isWindowOfClass(WindowHandle window, std::string_view className) override;
  bool getWindowRect(WindowHandle window, Rect& out) override;
  bool getClientRect(WindowHandle window, Rect& out) override;
  bool setWindowPos(WindowHandle window, WindowHandle insertAfter, unsigned flags) override;
  bool restackDenied() const override { return restackDenied_; }
  // As Windows answers: the monitor that holds the window's centre (else
  // the primary), and the DPI the window draws at by its awareness.
  bool getWindowDpi(WindowHandle window, WindowDpi& out) override;
  DisplayScaling displayScaling() override;
  bool registerHotKey(WindowHandle owner, int id, unsigned modifiers, unsigned virtualKey) override;
  bool unregisterHotKey(WindowHandle owner, int id) override;
  KeyboardHook& keyboardHook() override { return hook; }

  // A key event of the desktop through the hook, if installed: an Act
  // verdict reaches the owner's onHotKey, as a hotkey message would (one
  // that brings the foreground right unless hook.relayRefused). A Windows
  // key's release after an eaten chord counts a neutral key.
  HookVerdict hookKey(const KeyEvent& event);

  // The foreground lock as Windows enforces it: a window of the program
  // takes the foreground only while the program handles input it received
  // (a click, a registered hotkey, a hooked chord that arrives as one).
  // A registered hotkey pressed:
  void pressHotKey(int id);
  // A click on one of the program's windows; one that may be activated
  // (not a strip) takes the foreground, and the program holds the right
  // while it handles the press.
  void click(FakeWindow& window, const MouseEvent& event);
  // What the program's SetForegroundWindow would do.
  bool takeForeground(WindowHandle window);
  WindowHandle foreground = 0;

  // Another program's top-level window, such as the game.
  struct ForeignWindow {
    std::string className;
    Rect windowRect;
    Rect clientRect;
    bool rectFails = false;
    bool clientFails = false;
    bool shown = true;         // visible and not minimised
    bool cloaked = false;      // on another virtual desktop
    bool aboveStrips = false;  // over the program's windows until they are restacked
    DpiAwareness awareness = DpiAwareness::Unaware;
  };
  // The desktop's monitors, the primary first.
  struct Monitor {
    Rect rect;
    int dpi = 96;
  };
  std::vector<Monitor> monitors{{{0, 0, 1920, 1080}, 96}};
  // The DPI that system-aware programs draw at: the primary's when they
  // started (0: the primary's now).
  int systemDpi = 0;
  // The program's own windows are per-monitor aware; false as on a system
  // that could not make them so.
  bool ownPixels = true;
  // The program's context as the system started it.
  DpiAwareness startAwareness = DpiAwareness::Unaware;
  // A system that cannot tell a window's DPI.
  bool dpiUnknown = false;
  WindowHandle addForeignWindow(ForeignWindow w);
  // The window closes; its handle may later be given to another window.
  void closeForeignWindow(WindowHandle h) { foreign_.erase(h); }
  // A new window that takes over a handle given before.
  void addForeignWindowAt(WindowHandle h, ForeignWindow w) { foreign_[h] = std::move(w); }
  ForeignWindow& foreign(WindowHandle h) { return foreign_.at(h); }
  ForeignWindow* findForeign(WindowHandle h) {
    const auto it = foreign_.find(h);
    return it == foreign_.end() ? nullptr : &it->second;
  }

  // The program's live windows by design name (nullptr when none).
  FakeWindow* window(const std::string& name) const;
  // Runs while a modal window is shown; it must destroy the window to end.
  std::function<void(FakeWindow&)> onModal;

  struct HotKey {
    WindowHandle owner;
    unsigned modifiers;
    unsigned virtualKey;
  };
  std::map<int, HotKey> hotkeys;                         // registered now, by id
  std::vector<int> registrationOrder;                    // every successful registration, in order
  std::set<std::pair<unsigned, unsigned>> heldByOthers;  // combinations another program holds
  FakeKeyboardHook hook;
  std::vector<SetWindowPosCall> zOrderCalls;
  // Windows whose restack fails: true for want of access (their program
  // runs as administrator), false for another reason.
  std::map<WindowHandle, bool> refusedRestacks;
  std::vector<int> unregistrations;  // every unregistration call's id, in order
  bool quitRequested = false;
  int quitCalls = 0;
  bool refuseWindows = false;  // as a system out of window resources
  int loopRuns = 0;
  int classChecks = 0;  // isWindowOfClass calls

 private:
  friend class FakeWindow;
  void forget(FakeWindow* w);
  template <class Handler>
  void withForegroundRight(bool right, Handler&& handler) {
    const bool before = std::exchange(foregroundRight_, right);
    handler();
    foregroundRight_ = before;
  }
  std::vector<FakeWindow*> live_;
  bool foregroundRight_ = false;
  bool restackDenied_ = false;
  std::map<WindowHandle, ForeignWindow> foreign_;
  WindowHandle nextHandle_ = 0x1000;
};

}  // namespace vesk::platform::fake
