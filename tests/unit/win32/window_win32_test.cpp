// The program's windows on the real window manager: styles, sizes, events,
// repaint areas, modal loops and hotkeys.
#include "platform/win32/window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "message_pump.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/key_technique.h"
#include "platform/win32/windowing_win32.h"

namespace vesk::platform::win32 {
namespace {

struct RecordedEvents : WindowEvents {
  std::vector<MouseEvent> mouse;
  std::vector<std::string> clicks;
  std::vector<int> hotKeys;
  int timers = 0;
  int closeRequests = 0;
  int dpiChanges = 0;
  std::function<void()> onTimerDo;
  std::function<void()> onCloseDo;

  void onTimer() override {
    ++timers;
    if (onTimerDo) onTimerDo();
  }
  void onHotKey(int id) override { hotKeys.push_back(id); }
  void onMouse(const MouseEvent& event) override { mouse.push_back(event); }
  void onClick(const std::string& control, int index) override {
    clicks.push_back(control + "(" + std::to_string(index) + ")");
  }
  void onCloseRequest() override {
    ++closeRequests;
    if (onCloseDo) onCloseDo();
  }
  void onDpiChange() override { ++dpiChanges; }
};

HWND hwndOf(const Window& window) { return reinterpret_cast<HWND>(window.handle()); }

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

Control control(ControlKind kind, const std::string& name, int index, RECT r) {
  Control c;
  c.kind = kind;
  c.name = name;
  c.index = index;
  c.left = r.left;
  c.top = r.top;
  c.width = r.right - r.left;
  c.height = r.bottom - r.top;
  return c;
}

class Win32WindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<Window> strip(const std::string& name) {
    return windowing.createWindow(WindowDesign{name, "", WindowStyle::Strip, 200, 33, kKeyColour},
                                  events);
  }

  Win32Windowing windowing;
  RecordedEvents events;
};

TEST_F(Win32WindowTest, StripIsAHiddenTopmostToolPopupOfTheClientSize) {
  const auto window = strip("frmTestStrip");
  const HWND hwnd = hwndOf(*window);
  ASSERT_TRUE(IsWindow(hwnd));
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  EXPECT_STREQ(className, L"vesk.frmTestStrip");
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & (WS_POPUP | WS_CAPTION), WS_POPUP);
  const LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(window->visible());
  EXPECT_EQ(window->bounds().width(), 200);
  EXPECT_EQ(window->bounds().height(), 33);

  window->setBounds(104, 70, 1024, 190);
  EXPECT_EQ(window->bounds(), (Rect{104, 70, 1128, 260}));
  window->setVisible(true);
  EXPECT_TRUE(window->visible());
  window->setVisible(false);
  EXPECT_FALSE(window->visible());
}

TEST_F(Win32WindowTest, ToolDialogHasACaptionAndTheRequestedClientArea) {
  const auto window = windowing.createWindow(
      WindowDesign{"frmTestDialog", "狩人珠劣化期限", WindowStyle::ToolDialog, 285, 66, 0x400040},
      events);
  const HWND hwnd = hwndOf(*window);
  ASSERT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION);
  EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT client{};
  ASSERT_TRUE(GetClientRect(hwnd, &client));
  EXPECT_EQ(client.right, 285);
  EXPECT_EQ(client.bottom, 66);
  wchar_t caption[32] = {};
  GetWindowTextW(hwnd, caption, 32);
  EXPECT_STREQ(caption, L"狩人珠劣化期限");
}

TEST_F(Win32WindowTest, ColourKeyCutsTheKeyPixelsOutWithTheWindowRegion) {
  const auto owned = strip("frmTestKey");
  auto* window = dynamic_cast<Win32Window*>(owned.get());
  ASSERT_NE(window, nullptr);
  const HWND hwnd = hwndOf(*window);
  const auto shape = [&] {
    // Which of a few points lie in the window region.
    const GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(hwnd, region.get()) == ERROR) return std::string("no region");
    std::string inside;
    for (const POINT p : {POINT{0, 0}, POINT{9, 9}, POINT{10, 10}, POINT{19, 5}, POINT{50, 20}})
      inside += PtInRegion(region.get(), p.x, p.y) ? '#' : '.';
    return inside;
  };
  const auto layered = [&] {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags)) return std::string("none");
    if (!(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED)) return std::string("not layered");
    if (flags == LWA_ALPHA) return "alpha " + std::to_string(alpha);
    if (flags == LWA_COLORKEY) return "key " + std::to_string(key);
    return "flags " + std::to_string(flags);
  };
  window->setColourKey(kKeyColour, KeyTechnique::Region);
  EXPECT_EQ(layered(), "alpha 255") << "fully opaque, no colour key of the system's own";
  EXPECT_EQ(shape(), ".....") << "nothing drawn yet: all key";

  std::vector<Control> controls = {control(ControlKind::Button, "cmdMenu", 0, {0, 0, 20, 10})};
  controls[0].backColour = 0x404040;
  window->present(controls);
  EXPECT_EQ(shape(), "##.#.");
  controls[0].top = 10;  // moved down
  window->present(controls);
  EXPECT_EQ(shape(), "..#..");
  controls[0].backColour = kKeyColour;  // a control of the key colour is see-through too
  window->present(controls);
  EXPECT_EQ(shape(), ".....");

  // Keyed by the system instead: the region goes, and stays gone.
  window->setColourKey(kKeyColour, KeyTechnique::ColourKey);
  EXPECT_EQ(layered(), "key " + std::to_string(kKeyColour));
  controls[0].backColour = 0x404040;
  window->present(controls);
  EXPECT_EQ(shape(), "no region");
}

TEST(KeyTechnique, TheRegionOnlyUnderWineBeforeNine) {
  const struct {
    const char* version;
    KeyTechnique expected;
  } cases[] = {
      {"", KeyTechnique::ColourKey},     {"7.22", KeyTechnique::Region},
      {"8.0", KeyTechnique::Region},     {"8.21-staging", KeyTechnique::Region},
      {"9.0", KeyTechnique::ColourKey},  {"10.0-rc3", KeyTechnique::ColourKey},
      {"wine", KeyTechnique::ColourKey}, {"99999999", KeyTechnique::ColourKey},
  };
  for (const auto& c : cases) EXPECT_EQ(keyTechniqueForWine(c.version), c.expected) << c.version;
}

TEST_F(Win32WindowTest, PresentDrawsWhatChangedStraightToTheWindow) {
  const auto window = strip("frmTestPresent");
  const HWND hwnd = hwndOf(*window);
  window->setVisible(true);
  UpdateWindow(hwnd);
  std::vector<Control> controls = {control(ControlKind::Button, "cmdMenu", 0, {0, 0, 70, 20})};
  controls[0].backColour = 0x0000FF;
  window->present(controls);
  RECT stale{};
  EXPECT_FALSE(GetUpdateRect(hwnd, &stale, FALSE)) << "shown without a WM_PAINT";
  const WindowDc dc(hwnd);
  EXPECT_EQ(GetPixel(dc.get(), 30, 10), 0x0000FFu);
  controls[0].backColour = 0x00FF00;
  window->present(controls);
  EXPECT_FALSE(GetUpdateRect(hwnd, &stale, FALSE));
  EXPECT_EQ(GetPixel(dc.get(), 30, 10), 0x00FF00u);
  // An exposure is repainted from the back buffer.
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  EXPECT_EQ(GetPixel(dc.get(), 30, 10), 0x00FF00u);
}

TEST_F(Win32WindowTest, MousePressesAndReleasesReachTheControlUnderThePointer) {
  const auto window = strip("frmTestMouse");
  const HWND hwnd = hwndOf(*window);
  window->present({control(ControlKind::TextBox, "txtMenu", 2, {5, 2, 45, 15}),
                   control(ControlKind::Button, "cmdMenu", 2, {0, 0, 50, 20}),
                   control(ControlKind::Button, "Command1", -1, {0, 25, 40, 33})});

  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, at(10, 5));
  SendMessageW(hwnd, WM_RBUTTONUP, MK_SHIFT, at(80, 5));  // released outside: still the box
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(2, 18));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, at(2, 18));
  SendMessageW(hwnd, WM_MBUTTONDOWN, MK_MBUTTON, at(150, 5));  // on no control: nothing
  ASSERT_EQ(events.mouse.size(), 4u);
  const MouseEvent& press = events.mouse[0];
  EXPECT_EQ(press.control, "txtMenu");
  EXPECT_EQ(press.index, 2);
  EXPECT_TRUE(press.down);
  EXPECT_EQ(press.button, kButtonRight);
  EXPECT_EQ(press.shift, 1);
  EXPECT_EQ(press.x, 5);
  EXPECT_EQ(press.y, 3);
  EXPECT_EQ(events.mouse[1].control, "txtMenu");
  EXPECT_FALSE(events.mouse[1].down);
  EXPECT_EQ(events.mouse[1].x, 75);
  EXPECT_EQ(events.mouse[2].control, "cmdMenu");
  EXPECT_EQ(events.mouse[2].button, kButtonLeft);
  EXPECT_TRUE(events.clicks.empty());  // only the date button has a click

  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(10, 30));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, at(12, 29));
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(10, 30));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, at(100, 29));  // dragged off: no click
  EXPECT_EQ(events.clicks, std::vector<std::string>{"Command1(-1)"});
}

TEST_F(Win32WindowTest, SystemMessagesBecomeEventsOrAreSwallowed) {
  auto window = strip("frmTestMessages");
  const HWND hwnd = hwndOf(*window);
  SendMessageW(hwnd, WM_HOTKEY, 1029, 0);
  EXPECT_EQ(events.hotKeys, std::vector<int>{1029});
  EXPECT_EQ(SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), at(5, 5)), 0);

  // A new DPI reaches the program, which scales and places the strip
  // itself: the system's suggested rectangle is not taken.
  RECT before{};
  ASSERT_TRUE(GetWindowRect(hwnd, &before));
  RECT suggested{before.left + 7, before.top + 9, before.left + 307, before.top + 59};
  EXPECT_EQ(
      SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested)),
      0);
  EXPECT_EQ(events.dpiChanges, 1);
  RECT after{};
  ASSERT_TRUE(GetWindowRect(hwnd, &after));
  EXPECT_TRUE(EqualRect(&before, &after));

  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(events.closeRequests, 1);
  EXPECT_TRUE(IsWindow(hwnd));  // only the program closes its windows
  // The end of the session closes it too; a log-off called off does not.
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(events.closeRequests, 1);
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(events.closeRequests, 2);

  // A close handler may destroy the window, and even delete it.
  events.onCloseDo = [&] { window.reset(); };
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Win32WindowTest, DestroyIsFinalAndRepeatable) {
  const auto window = strip("frmTestDestroy");
  const HWND hwnd = hwndOf(*window);
  window->destroy();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(window->handle(), 0u);
  window->destroy();
  window->setVisible(true);
  window->present({control(ControlKind::Label, "l", 0, {0, 0, 5, 5})});
  EXPECT_FALSE(window->visible());
}

TEST_F(Win32WindowTest, TimerTicksUntilStopped) {
  const auto window = strip("frmTestTimer");
  window->setTimer(10, true);
  EXPECT_TRUE(pumpUntil([&] { return events.timers >= 3; }));
  window->setTimer(10, false);
  EXPECT_FALSE(KillTimer(hwndOf(*window), 1));  // no timer left to stop
}

TEST_F(Win32WindowTest, ModalLoopRunsUntilTheWindowIsDestroyed) {
  const auto main = strip("frmTestModalOwner");
  RecordedEvents dialogEvents;
  const auto dialog = windowing.createWindow(
      WindowDesign{"frmTestModal", "modal", WindowStyle::ToolDialog, 100, 40, 0}, dialogEvents);
  bool mainWasDisabled = false;
  dialogEvents.onTimerDo = [&] {
    mainWasDisabled = !IsWindowEnabled(hwndOf(*main));
    dialog->destroy();
  };
  dialog->setTimer(10, true);
  dialog->runModal();
  EXPECT_EQ(dialog->handle(), 0u);
  EXPECT_TRUE(mainWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(hwndOf(*main)));
}

// A quit that arrives while a modal window is open (the program closed from
// outside, or the session ending and the main window's close handler
// quitting) leaves the modal loop and then ends the main loop.
TEST_F(Win32WindowTest, AQuitDuringAModalLoopEndsTheMainLoop) {
  const struct {
    const char* how;
    std::function<void(HWND main)> quit;
  } cases[] = {
      {"WM_QUIT from outside",
       [](HWND) { PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, 3, 0); }},
      {"the end of the session", [](HWND main) { SendMessageW(main, WM_ENDSESSION, TRUE, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    const auto main = strip("frmTestQuitOwner");
    RecordedEvents dialogEvents;
    const auto dialog = windowing.createWindow(
        WindowDesign{"frmTestQuitModal", "modal", WindowStyle::ToolDialog, 100, 40, 0},
        dialogEvents);
    events.timers = 0;
    events.onCloseDo = [&] { windowing.quit(); };
    // Each window's second tick, five seconds after its first, means that
    // the quit was lost: the loops are then ended by hand.
    bool modalReturned = false;
    bool timedOut = false;
    events.onTimerDo = [&] {
      main->setTimer(5000, true);
      if (events.timers > 1) {
        timedOut = true;
        windowing.quit();
        return;
      }
      dialog->setTimer(10, true);
      dialog->runModal();
      modalReturned = true;
    };
    dialogEvents.onTimerDo = [&] {
      dialog->setTimer(5000, true);
      if (dialogEvents.timers > 1) {
        timedOut = true;
        dialog->destroy();
        return;
      }
      c.quit(hwndOf(*main));
    };
    main->setTimer(10, true);
    windowing.runMessageLoop();
    EXPECT_TRUE(modalReturned);
    EXPECT_FALSE(timedOut) << "the quit never reached the main loop";
    events.onTimerDo = nullptr;
    events.onCloseDo = nullptr;
  }
}

TEST_F(Win32WindowTest, MessageLoopRunsUntilQuit) {
  const auto window = strip("frmTestLoop");
  events.onTimerDo = [&] {
    if (events.timers == 2) windowing.quit();
  };
  window->setTimer(10, true);
  windowing.runMessageLoop();
  EXPECT_EQ(events.timers, 2);
}

TEST_F(Win32WindowTest, OtherWindowsAreFoundMeasuredAndRestacked) {
  const auto window = strip("frmTestFind");
  window->setBounds(100, 50, 300, 190);
  const WindowHandle found = windowing.findWindowByClass("vesk.frmTestFind");
  EXPECT_EQ(found, window->handle());
  EXPECT_EQ(windowing.findWindowByClass(" M H F  (absent)"), 0u);
  Rect outer;
  Rect client;
  ASSERT_TRUE(windowing.getWindowRect(found, outer));
  ASSERT_TRUE(windowing.getClientRect(found, client));
  EXPECT_EQ(outer, (Rect{100, 50, 400, 240}));
  EXPECT_EQ(client, (Rect{0, 0, 300, 190}));
  EXPECT_TRUE(windowing.setWindowPos(found, kHwndNoTopmost, kSwpNoMove | kSwpNoSize));
  EXPECT_FALSE(GetWindowLongW(hwndOf(*window), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(windowing.getWindowRect(0, outer));
  EXPECT_FALSE(windowing.getClientRect(0, client));
}

// A refused restack means "run as administrator" only when the system
// denied access (which Wine, isolating no program from another, never
// does); a window that is gone, or a restack that worked, does not.
TEST_F(Win32WindowTest, ARestackCountsAsDeniedOnlyWhenAccessWasDenied) {
  const auto window = strip("frmTestRestack");
  const auto gone = strip("frmTestRestackGone");
  const WindowHandle goneHandle = gone->handle();
  gone->destroy();
  const struct {
    const char* what;
    WindowHandle target;
    bool done;
    bool denied;
  } cases[] = {
      {"a destroyed window", goneHandle, false, false},
      {"a live window", window->handle(), true, false},
      {"no window", 0, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windowing.setWindowPos(c.target, kHwndTopmost, kSwpNoMove | kSwpNoSize), c.done)
        << c.what;
    EXPECT_EQ(windowing.restackDenied(), c.denied) << c.what;
  }
}

TEST_F(Win32WindowTest, HotKeysAreRegisteredAndDelivered) {
  const auto window = strip("frmTestHotKey");
  const WindowHandle owner = window->handle();
  constexpr unsigned kModifiers = kModCtrl | kModAlt | kModShift;
  ASSERT_TRUE(windowing.registerHotKey(owner, 1054, kModifiers, VK_F9));
  EXPECT_FALSE(windowing.registerHotKey(owner, 1055, kModifiers, VK_F9));  // combination taken

  INPUT keys[8] = {};
  const WORD sequence[] = {VK_CONTROL, VK_MENU, VK_SHIFT, VK_F9};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = keys[7 - i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = keys[7 - i].ki.wVk = sequence[i];
    keys[7 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  ASSERT_EQ(SendInput(8, keys, sizeof(INPUT)), 8u);
  EXPECT_TRUE(pumpUntil([&] { return !events.hotKeys.empty(); }));
  EXPECT_EQ(events.hotKeys, std::vector<int>{1054});

  EXPECT_TRUE(windowing.unregisterHotKey(owner, 1054));
  EXPECT_FALSE(windowing.unregisterHotKey(owner, 1054));
}

}  // namespace
}  // namespace vesk::platform::win32
