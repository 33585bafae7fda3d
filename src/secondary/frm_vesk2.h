// frmVESK2, the secondary strip: slot 4 of the panel (the caravan line and
// the gem deadline) in a box at the game's bottom-right corner. Everything
// it shows is written from outside; its own part is to become see-through
// in the main window's key colour when loaded, and to close on request.
#pragma once

#include <functional>
#include <memory>

#include "panel/control_set.h"
#include "platform/platform.h"

namespace vesk {

class FrmVESK2 : public platform::WindowEvents {
 public:
  // Creates the window hidden and runs its load step. When the system
  // refuses the window, the controls still exist as data and every window
  // operation does nothing.
  FrmVESK2(platform::Platform& platform, Colour keyColour);
  ~FrmVESK2() override;
  FrmVESK2(const FrmVESK2&) = delete;
  FrmVESK2& operator=(const FrmVESK2&) = delete;

  ControlSet& controls() { return controls_; }
  platform::Window* window() const { return window_.get(); }
  WindowHandle handle() const { return window_ ? window_->handle() : 0; }

  void setPosition(int x, int y);
  // The strip drawn at this scale, its size scaled from its design.
  void setScale(platform::ScreenScale scale);
  void setVisible(bool visible);
  bool visible() const { return window_ && window_->visible(); }
  // Draws what changed since the last call.
  void present();
  // Closes and unloads the window; later calls do nothing.
  void endForm();
  bool unloaded() const { return unloaded_; }

  // A mouse release on the strip's line, handed to the main window.
  std::function<void(const platform::MouseEvent&)> onLineReleased;

  void onMouse(const platform::MouseEvent& event) override;
  void onCloseRequest() override;

 private:
  void Form_Load(Colour keyColour);

  platform::Platform& p_;
  ControlSet controls_;
  std::unique_ptr<platform::Window> window_;
  int designWidth_ = 0;  // the strip's own pixels
  int designHeight_ = 0;
  bool unloaded_ = false;
};

}  // namespace vesk
