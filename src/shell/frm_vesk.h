// frmVESK, the main overlay strip: the program's start-up object. It owns the
// main-window state and the native window, and offers the public methods
// that the hotkeys and the mouse reach.
#pragma once

#include <memory>
#include <string_view>

#include "caravan/mod_vesk.h"
#include "common/main_state.h"
#include "platform/platform.h"

namespace vesk {

class FrmVESK : public platform::WindowEvents {
 public:
  FrmVESK(platform::Platform& platform, ModVESK& mod);
  ~FrmVESK() override;
  FrmVESK(const FrmVESK&) = delete;
  FrmVESK& operator=(const FrmVESK&) = delete;

  enum class LoadOutcome {
    Loaded,          // the program runs
    AlreadyRunning,  // another instance runs; nothing was installed
    NoWindow,        // the system refused the main window; nothing was installed
  };

  // The load step.
  LoadOutcome Form_Load();

  // Public methods.
  void MakeShortcut(std::string_view sKey);
  void endForm();

  MainState& state() { return s_; }
  const MainState& state() const { return s_; }
  platform::Window* window() const { return window_.get(); }
  bool unloaded() const { return unloaded_; }

  // Events.
  void onTimer() override;
  void onHotKey(int id) override;
  void onCloseRequest() override;

 private:
  void RegHotKeys();
  void UnregHotKeys();
  void closeProcedure();
  void Timer1_Timer();

  platform::Platform& p_;
  ModVESK& mod_;
  MainState s_;
  std::unique_ptr<platform::Window> window_;
  bool unloaded_ = false;
};

}  // namespace vesk
