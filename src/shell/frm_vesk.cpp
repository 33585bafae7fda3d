#include "shell/frm_vesk.h"

#include "shell/command_line.h"
#include "shell/hotkeys.h"
#include "shell/settings_shortcut.h"

namespace vesk {

namespace {

// The main strip's client area at design time: 12000 x 3000 twips.
constexpr int kMainWidth = 800;
constexpr int kMainHeight = 200;
constexpr int kTimerIntervalMs = 100;

}  // namespace

FrmVESK::FrmVESK(platform::Platform& platform, ModVESK& mod) : p_(platform), mod_(mod) {}

FrmVESK::~FrmVESK() = default;

FrmVESK::LoadOutcome FrmVESK::Form_Load() {
  // 1. One instance per user: the first keeps running untouched.
  if (p_.system.anotherInstanceRunning()) {
    p_.system.messageBox("すでに起動しています");
    return LoadOutcome::AlreadyRunning;
  }
  window_ = p_.windowing.createWindow(
      {"frmVESK", "vesk", platform::WindowStyle::Strip, kMainWidth, kMainHeight, kKeyColour},
      *this);
  if (!window_) return LoadOutcome::NoWindow;
  // Design size at the screen's origin, until the placement beside the game
  // moves it.
  window_->setBounds(0, 0, kMainWidth, kMainHeight);

  // 2. The data files beside the executable, by plain concatenation.
  const std::string folder = p_.system.exeFolder();
  mod_.pathTama = folder + "\\caravan_tama.txt";
  mod_.pathQue = folder + "\\caravan_que.txt";
  mod_.pathFushi = folder + "\\caravan_fushi.txt";

  // 3. The gem deadline.
  s_.gemFileState = mod_.getCaravanDate(s_.P_CaravanDate, s_.P_CaravanFlg) ? -1 : 0;

  // 4. Load both rotation tables; the line itself is not wanted yet.
  {
    std::string discarded;
    bool festival = false;
    mod_.getCaravanText(discarded, festival, p_.clock.now(), 0, true);
  }

  // 5. The six settings from the command line.
  static_cast<SettingsRecord&>(s_) = parseCommandLine(p_.system.commandLineArguments());

  // 6. Global hotkeys. 7-8: the window procedure of the platform layer
  // already swallows right-clicks and double-clicks and hands WM_HOTKEY to
  // onHotKey, so there is no procedure to replace.
  RegHotKeys();

  // 9. See-through in the window's own back colour.
  window_->setColourKey(kKeyColour);

  // 10.
  s_.maxHP = 100;
  s_.allVisible = true;

  // 12.
  s_.placePending = true;
  s_.swRunning = false;

  // 14. The first tick makes a full refresh.
  s_.refreshTick = 1000;

  window_->setTimer(kTimerIntervalMs, true);
  return LoadOutcome::Loaded;
}

void FrmVESK::RegHotKeys() {
  if (!window_) return;
  const auto modifier = static_cast<unsigned>(s_.hotkeyModifier);
  for (const HotKeyDef& k : kHotKeyRegistrationOrder) {
    const unsigned mods = k.id == kHotKeySettingsShortcut ? platform::kModWin : modifier;
    p_.windowing.registerHotKey(window_->handle(), k.id, mods, k.virtualKey);
  }
}

void FrmVESK::UnregHotKeys() {
  if (!window_) return;
  for (int id = 1025; id <= 1048; ++id) p_.windowing.unregisterHotKey(window_->handle(), id);
  p_.windowing.unregisterHotKey(window_->handle(), kHotKeySettingsShortcut);
}

void FrmVESK::MakeShortcut(std::string_view sKey) {
  // A folder that cannot be written leaves no file; the program goes on.
  p_.shortcuts.save(settingsShortcut(sKey, s_, p_.system.exeFolder(), p_.shortcuts));
}

void FrmVESK::onHotKey(int id) {
  switch (canonicalHotKey(id)) {
    case 1031:
      endForm();
      break;
    case kHotKeySettingsShortcut:
      MakeShortcut("8");
      MakeShortcut("2");
      MakeShortcut("1");
      break;
    default:
      break;
  }
}

void FrmVESK::onTimer() { Timer1_Timer(); }

// The 100 ms tick. It has no work yet: nothing on the strip changes by itself.
void FrmVESK::Timer1_Timer() {}

void FrmVESK::onCloseRequest() { closeProcedure(); }

void FrmVESK::endForm() { closeProcedure(); }

void FrmVESK::closeProcedure() {
  // Running it twice (close request during unload) changes nothing.
  if (unloaded_) return;
  unloaded_ = true;
  UnregHotKeys();
  if (window_) window_->destroy();
  p_.windowing.quit();
}

}  // namespace vesk
