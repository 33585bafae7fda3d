// Another program's window (the game's), watched so that the strips can
// live with it: whether it is shown, whether it lies above one of the
// program's own windows, and a notice whenever it may have changed.
#pragma once

#include <functional>
#include <span>

#include "platform/types.h"

namespace vesk::platform {

class GameWatch {
 public:
  virtual ~GameWatch() = default;
  // From now on `changed` runs on the user-interface thread whenever the
  // window may have moved, been resized, minimised, restored, shown,
  // hidden, activated or destroyed; with window 0, whenever any other
  // program shows a window (a new game window may be among them). Replaces
  // the earlier watch. Notices may be missed where the system sends none:
  // the caller also looks for itself now and then.
  virtual void watch(WindowHandle window, std::function<void()> changed) = 0;
  // No notice arrives after this returns.
  virtual void stop() = 0;
  // Visible, not minimised and not cloaked (on another virtual desktop).
  virtual bool isShown(WindowHandle window) = 0;
  // Whether `window` lies above any of `own` in the z-order.
  virtual bool isAbove(WindowHandle window, std::span<const WindowHandle> own) = 0;
  // Whether a move or resize of the watched window has come as a notice
  // since watch(): the system reports its changes, and looks of the
  // caller's own can be rare. Windows does; Wine does not.
  virtual bool movesReported() const = 0;
};

}  // namespace vesk::platform
