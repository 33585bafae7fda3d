#include "platform/fake/fake_windowing.h"

#include <algorithm>

namespace vesk::platform::fake {

FakeWindow::FakeWindow(FakeWindowing& owner, WindowHandle handle, WindowDesign s,
                       WindowEvents& events)
    : design(std::move(s)), owner_(owner), handle_(handle), events_(events) {
  rect = {0, 0, design.clientWidth, design.clientHeight};
}

FakeWindow::~FakeWindow() { owner_.forget(this); }

void FakeWindow::runModal() {
  shown = true;
  owner_.takeForeground(handle_);
  if (owner_.onModal) owner_.onModal(*this);
}

void FakeWindow::select(const std::string& control, int index, int item) {
  for (Control& c : controls) {
    if (c.name == control && c.index == index) c.selected = item;
  }
  events_.onSelect(control, index, item);
}

void FakeWindow::destroy() {
  ++destroyCalls;
  if (destroyed_) return;
  destroyed_ = true;
  shown = false;
  timerEnabled = false;
  owner_.forget(this);
}

std::unique_ptr<Window> FakeWindowing::createWindow(const WindowDesign& design,
                                                    WindowEvents& events) {
  if (refuseWindows) return nullptr;
  auto w = std::make_unique<FakeWindow>(*this, nextHandle_, design, events);
  nextHandle_ += 0x10;
  live_.push_back(w.get());
  return w;
}

void FakeWindowing::forget(FakeWindow* w) { std::erase(live_, w); }

FakeWindow* FakeWindowing::window(const std::string& name) const {
  for (FakeWindow* w : live_) {
    if (w->design.name == name) return w;
  }
  return nullptr;
}

WindowHandle FakeWindowing::addForeignWindow(ForeignWindow w) {
  const WindowHandle h = nextHandle_;
  nextHandle_ += 0x10;
  foreign_[h] = std::move(w);
  return h;
}

WindowHandle FakeWindowing::findWindowByClass(std::string_view className) {
  for (const auto& [h, w] : foreign_) {
    if (w.className == className) return h;
  }
  return 0;
}

bool FakeWindowing::isWindowOfClass(WindowHandle window, std::string_view className) {
  ++classChecks;
  const auto it = foreign_.find(window);
  return it != foreign_.end() && it->second.className == className;
}

bool FakeWindowing::getWindowRect(WindowHandle window, Rect& out) {
  const auto it = foreign_.find(window);
  if (it == foreign_.end() || it->second.rectFails) return false;
  out = it->second.windowRect;
  return true;
}

bool FakeWindowing::getClientRect(WindowHandle window, Rect& out) {
  const auto it = foreign_.find(window);
  if (it == foreign_.end() || it->second.clientFails) return false;
  out = it->second.clientRect;
  return true;
}

bool FakeWindowing::setWindowPos(WindowHandle window, WindowHandle insertAfter, unsigned flags) {
  zOrderCalls.push_back({window, insertAfter, flags});
  // One of the program's windows put topmost lies above every other window.
  const bool own = std::any_of(live_.begin(), live_.end(),
                               [&](const FakeWindow* w) { return w->handle() == window; });
  if (own && insertAfter == kHwndTopmost) {
    for (auto& [h, w] : foreign_) w.aboveStrips = false;
  }
  const auto refused = refusedRestacks.find(window);
  restackDenied_ = refused != refusedRestacks.end() && refused->second;
  return window != 0 && refused == refusedRestacks.end();
}

namespace {

int windowDpiOf(DpiAwareness awareness, int systemDpi, int monitorDpi) {
  switch (awareness) {
    case DpiAwareness::Unaware:
      return 96;
    case DpiAwareness::System:
      return systemDpi;
    case DpiAwareness::PerMonitor:
      break;
  }
  return monitorDpi;
}

}  // namespace

bool FakeWindowing::getWindowDpi(WindowHandle window, WindowDpi& out) {
  const auto it = foreign_.find(window);
  if (dpiUnknown || it == foreign_.end() || monitors.empty()) return false;
  const Rect& r = it->second.windowRect;
  const int x = r.left + r.width() / 2;
  const int y = r.top + r.height() / 2;
  const Monitor* on = &monitors.front();
  for (const Monitor& m : monitors) {
    if (x >= m.rect.left && x < m.rect.right && y >= m.rect.top && y < m.rect.bottom) on = &m;
  }
  const int system = systemDpi > 0 ? systemDpi : monitors.front().dpi;
  out = {it->second.awareness, windowDpiOf(it->second.awareness, system, on->dpi), on->dpi};
  return true;
}

DisplayScaling FakeWindowing::displayScaling() {
  const int primary = monitors.empty() ? 96 : monitors.front().dpi;
  const int system = systemDpi > 0 ? systemDpi : primary;
  return {ownPixels, {startAwareness, windowDpiOf(startAwareness, system, primary), primary}};
}

bool FakeWindowing::registerHotKey(WindowHandle owner, int id, unsigned modifiers,
                                   unsigned virtualKey) {
  if (hotkeys.count(id) != 0 || heldByOthers.count({modifiers, virtualKey}) != 0) return false;
  for (const auto& [otherId, k] : hotkeys) {
    if (k.modifiers == modifiers && k.virtualKey == virtualKey) return false;
  }
  hotkeys[id] = {owner, modifiers, virtualKey};
  registrationOrder.push_back(id);
  return true;
}

bool FakeWindowing::unregisterHotKey(WindowHandle owner, int id) {
  unregistrations.push_back(id);
  const auto it = hotkeys.find(id);
  if (it == hotkeys.end() || it->second.owner != owner) return false;
  hotkeys.erase(it);
  return true;
}

HookVerdict FakeWindowing::hookKey(const KeyEvent& key) {
  KeyEvent event = key;
  HookVerdict verdict;
  if (hook.installed() && event.virtualKey < hook.keys.size() && hook.keys.test(event.virtualKey)) {
    const auto found = foreign_.find(event.foreground);
    event.foregroundIsGame =
        found != foreign_.end() && found->second.className == hook.setup.gameClass;
    event.foregroundIsOwn = std::any_of(live_.begin(), live_.end(), [&](const FakeWindow* w) {
      return w->handle() == event.foreground;
    });
    verdict = hook.decide(event);
  }
  if (hook.installed() && hook.mask.onKey(event, verdict.action)) ++hook.neutralKeys;
  if (verdict.action != HookAction::Act) return verdict;
  const bool relayed = !hook.relayRefused &&
                       std::find(hook.setup.modifierSets.begin(), hook.setup.modifierSets.end(),
                                 event.modifiers) != hook.setup.modifierSets.end();
  for (FakeWindow* w : live_) {
    if (w->handle() == hook.owner) {
      withForegroundRight(relayed, [&] { w->events().onHotKey(verdict.id); });
      break;
    }
  }
  return verdict;
}

void FakeWindowing::pressHotKey(int id) {
  const auto it = hotkeys.find(id);
  if (it == hotkeys.end()) return;
  for (FakeWindow* w : live_) {
    if (w->handle() == it->second.owner) {
      withForegroundRight(true, [&] { w->events().onHotKey(id); });
      return;
    }
  }
}

void FakeWindowing::click(FakeWindow& window, const MouseEvent& event) {
  if (window.design.style != WindowStyle::Strip) foreground = window.handle();
  withForegroundRight(true, [&] { window.events().onMouse(event); });
}

bool FakeWindowing::takeForeground(WindowHandle window) {
  if (!foregroundRight_) return false;
  foreground = window;
  return true;
}

}  // namespace vesk::platform::fake
