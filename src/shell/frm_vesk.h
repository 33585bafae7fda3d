// frmVESK, the main overlay strip: the program's start-up object. It owns the
// main-window state, its controls as data and the native window, creates
// the secondary strip on first reference, and offers the public methods
// that the hotkeys and the mouse reach. The bodies are thin: the rules live
// in panel/, timers/, secondary/ and shell/placement as plain functions.
#pragma once

#include <exception>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "caravan/mod_vesk.h"
#include "common/main_state.h"
#include "panel/control_set.h"
#include "platform/platform.h"
#include "platform/replace_retry.h"
#include "secondary/frm_vesk2.h"
#include "shell/game_follow.h"
#include "shell/hotkey_fallback.h"
#include "shell/placement.h"

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
  void SetForm();
  // False when the file could not be written; a file another program holds
  // is waited for out of `retry`'s budget.
  bool MakeShortcut(std::string_view sKey, platform::ReplaceRetry& retry);
  void updSW(bool clk);
  void updHP(bool clk);
  void updDisp();
  void updFontSize(bool clk);
  void updFontBold();
  void updCompact();
  void updBtnPos();
  void updPTLine();
  void SetKajiMeter(bool bAllVisible);
  void Command1_Click();
  void updLimit();
  void cmdMenu_MouseDown(int Index, int Button, int Shift, int X, int Y);
  void endForm();

  MainState& state() { return s_; }
  const MainState& state() const { return s_; }
  ControlSet& controls() { return controls_; }
  platform::Window* window() const { return window_.get(); }
  bool unloaded() const { return unloaded_; }
  // The secondary strip, created hidden on first reference.
  FrmVESK2& frmVESK2();
  FrmVESK2* frmVESK2IfLoaded() const { return frm2_.get(); }

  // Events. Each runs its handler to the end or to its first error, which
  // ends that handler only, then draws what changed.
  void onTimer() override;
  void onHotKey(int id) override;
  void onMouse(const platform::MouseEvent& event) override;
  void onClick(const std::string& control, int index) override;
  void onCloseRequest() override;
  void onDpiChange() override;

  // The scale the strips are drawn at.
  platform::ScreenScale scale() const { return scale_; }

 private:
  template <class Handler>
  void handleEvent(Handler&& handler) {
    // An error (an overflow in a rounding, a control that is not there)
    // ends the handler where it stands, never the program; what it changed
    // stays and is drawn.
    try {
      handler();
    } catch (const std::exception&) {
    }
    present();
  }
  void present();

  // Hotkeys and the hook for refused chords (hotkey_registration.cpp).
  void RegHotKeys();
  void UnregHotKeys();
  bool hookServes(int id) const;
  void tellUnservedChords();
  // The game below the strips (game_restack.cpp).
  void restackGame(unsigned flags);
  void closeProcedure();
  void Timer1_Timer();
  void updMenu(bool bAllVisible);
  void dispatchHotKey(int id);
  void txtMenu_MouseUp(int Index, int Button, int Shift, int X, int Y);
  void restackAfterClick();
  void endBothForms();
  void makeSettingsShortcuts();

  // Placement (set_form.cpp).
  // x, y and width in screen pixels; height in the panel's own pixels.
  void PlaceForm(std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height);
  void CalcMeterGeometry();
  void fallbackPlacement();
  void placeSecondary(double right, double bottom);
  void zOrderStep();
  bool gameWindowAlive();
  PlacementBranch placeBesideGame();
  void takeGameFrame();
  void placeOnClientArea();
  // The strips at the game's scale, or without a readable game at the last
  // game's (display_scale.h).
  void takeGameScale();
  void applyScale(platform::ScreenScale scale);

  // Following the game between placements (frm_vesk_follow.cpp).
  void noteAttachment(PlacementBranch branch);
  void followGame();
  void followStepNow(const GameSight& sight);
  GameSight lookAtGame();
  bool glanceShowsNoChange();
  void followPlace();
  void restackStrips();
  void showStrips(bool main, bool second);

  static constexpr int kTimerIntervalMs = 100;

  platform::Platform& p_;
  ModVESK& mod_;
  MainState s_;
  ControlSet controls_;
  std::unique_ptr<platform::Window> window_;
  std::unique_ptr<FrmVESK2> frm2_;
  double mainWidth_ = 0;  // the panel's own pixels, as last placed
  platform::ScreenScale scale_;
  std::optional<double> gameScale_;  // of the last game whose scale was read
  bool unloaded_ = false;
  std::vector<HookChord> refusedChords_;  // of the last registration
  bool hotkeysHeld_ = false;              // registered, not released
  bool elevatedGameTold_ = false;
  bool shortcutMessageOpen_ = false;
  FollowState follow_;
  bool lookDue_ = true;  // a notice came, or a look is still needed
  int ticksSinceLook_ = 0;
  // The game's rectangle at the last full look, and how many glances at it
  // may stand in for a full look before the next one is due.
  struct Glance {
    WindowHandle game = 0;
    Rect rect;
    int left = 0;
  } glance_;
  bool watching_ = false;
  WindowHandle watched_ = 0;
  // No notice reaches a program that is gone.
  struct WatchStop {
    platform::GameWatch& watch;
    ~WatchStop() { watch.stop(); }
  } watchStop_{p_.gameWatch};
};

}  // namespace vesk
