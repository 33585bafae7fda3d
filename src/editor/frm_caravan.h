// frmCaravan, the gem deadline editor: a small modal tool window with five
// drop-down lists (year, month, day, hour, minute) and the buttons Ok,
// Cancel and Delete. Ok writes the chosen moment to caravan_tama.txt,
// Delete deletes the file, Cancel and the close box leave it alone. The
// file is the channel back to the main window; the editor only tells its
// opener, just before its window goes, that it is closing.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "caravan/mod_vesk.h"
#include "common/window_types.h"
#include "panel/control_set.h"
#include "platform/platform.h"

namespace vesk {

class FrmCaravan : public platform::WindowEvents {
 public:
  // mainWindowBounds: the main strip's outer rectangle, screen pixels.
  // beforeClose runs once, just before the window goes by Ok, Cancel,
  // Delete, Enter, Escape or the close box.
  FrmCaravan(platform::Platform& platform, ModVESK& mod, const Rect& mainWindowBounds,
             std::function<void()> beforeClose = {});
  ~FrmCaravan() override;
  FrmCaravan(const FrmCaravan&) = delete;
  FrmCaravan& operator=(const FrmCaravan&) = delete;

  // Creates the window, runs its load step and its modal loop, and returns
  // once the window is destroyed. When the system refuses the window it
  // returns at once and nothing is written.
  void showModal();

  // The one place where the buttons act: 0 Ok, 1 Cancel, 2 Delete.
  void cmdMenu_MouseDown(int Index, int Button, int Shift, int X, int Y);

  ControlSet& controls() { return controls_; }

  // Events. Each runs its handler, then draws what changed.
  void onActivate() override;
  void onMouse(const platform::MouseEvent& event) override;
  void onClick(const std::string& control, int index) override;
  void onKeyPress(const std::string& control, int index, int key) override;
  void onSelect(const std::string& control, int index, int selected) override;
  void onCloseRequest() override;

 private:
  template <class Handler>
  void handleEvent(Handler&& handler) {
    // An error ends the handler where it stands, never the program.
    try {
      handler();
    } catch (const std::exception&) {
    }
    present();
  }
  void present();

  void Form_Load();
  void Form_Activate();
  void Combo1_KeyPress(int Index, int KeyAscii);
  void cmdMenu_Click(int Index);
  void txtMenu_MouseUp(int Index, int Button, int Shift, int X, int Y);
  bool saveDeadline();
  void deleteDeadline();
  void closeWindow();

  platform::Platform& p_;
  ModVESK& mod_;
  Rect mainBounds_;
  std::function<void()> beforeClose_;
  ControlSet controls_;
  std::unique_ptr<platform::Window> window_;
  bool activated_ = false;
};

}  // namespace vesk
