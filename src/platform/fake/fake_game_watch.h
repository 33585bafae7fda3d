// The game watch over the fake windowing's foreign windows: tests set a
// window's shown and above flags there and send notices with notify().
#pragma once

#include <functional>
#include <utility>

#include "platform/fake/fake_windowing.h"
#include "platform/game_watch.h"

namespace vesk::platform::fake {

class FakeGameWatch : public GameWatch {
 public:
  explicit FakeGameWatch(FakeWindowing& windowing) : windowing_(windowing) {}

  void watch(WindowHandle window, std::function<void()> changed) override {
    watched = window;
    watching = true;
    changed_ = std::move(changed);
  }
  void stop() override {
    watching = false;
    changed_ = nullptr;
  }
  bool isShown(WindowHandle window) override {
    ++shownReads;
    const FakeWindowing::ForeignWindow* w = windowing_.findForeign(window);
    return w && w->shown && !w->cloaked;
  }
  bool isAbove(WindowHandle window, std::span<const WindowHandle> /*own*/) override {
    const FakeWindowing::ForeignWindow* w = windowing_.findForeign(window);
    return w && w->aboveStrips;
  }

  bool movesReported() const override { return reportsMoves; }

  // The system reports a change of the watched window.
  void notify() {
    if (changed_) changed_();
  }

  WindowHandle watched = 0;
  bool watching = false;
  bool reportsMoves = false;  // as on Windows, where moves come as notices
  int shownReads = 0;         // full looks at a game window

 private:
  FakeWindowing& windowing_;
  std::function<void()> changed_;
};

}  // namespace vesk::platform::fake
