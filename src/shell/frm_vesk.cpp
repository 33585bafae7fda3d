#include "shell/frm_vesk.h"

#include <exception>
#include <string>

#include "panel/main_design.h"
#include "shell/command_line.h"
#include "shell/hotkeys.h"
#include "shell/placement.h"
#include "shell/settings_shortcut.h"

namespace vesk {

namespace {

// cmdDummy, the focus sink, lies this many screen pixels to the right.
constexpr int kOutOfSightPixels = 1921;

}  // namespace

FrmVESK::FrmVESK(platform::Platform& platform, ModVESK& mod)
    : p_(platform),
      mod_(mod),
      controls_(
          frmVESKControls(platform.system.twipsPerPixelX(), platform.system.twipsPerPixelY())) {}

FrmVESK::~FrmVESK() {
  // The hook's decision refers to this object.
  if (hotkeysHeld_) p_.windowing.keyboardHook().remove();
}

FrmVESK::LoadOutcome FrmVESK::Form_Load() {
  // 1. One instance per user: the first keeps running untouched.
  if (p_.system.anotherInstanceRunning()) {
    p_.system.messageBox("すでに起動しています");
    return LoadOutcome::AlreadyRunning;
  }
  const platform::WindowDesign design =
      frmVESKDesign(p_.system.twipsPerPixelX(), p_.system.twipsPerPixelY());
  window_ = p_.windowing.createWindow(design, *this);
  if (!window_) return LoadOutcome::NoWindow;
  // Design size at the screen's origin, until the placement moves it.
  window_->setBounds(0, 0, design.clientWidth, design.clientHeight);
  mainWidth_ = design.clientWidth;

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

  // 6. Global hotkeys. 7-8: the platform's window procedure already
  // swallows right-clicks and double-clicks and hands WM_HOTKEY to
  // onHotKey, so there is no procedure to replace.
  RegHotKeys();

  // 9. See-through in the window's own back colour, before it is shown.
  window_->setColourKey(design.backColour);

  // 10.
  s_.maxHP = 100;
  s_.allVisible = true;

  // 11. On the game window; this creates the secondary strip. A failure
  // there leaves the strips where they are; the first tick places again.
  try {
    SetForm();
  } catch (const std::exception&) {
  }

  // 12.
  s_.placePending = true;
  s_.swRunning = false;

  // 13. The focus sink far beyond the right edge.
  controls_.at("cmdDummy").left = kOutOfSightPixels * p_.system.twipsPerPixelX();

  // 14. The first tick makes a full refresh.
  s_.refreshTick = 1000;

  window_->setTimer(kTimerIntervalMs, true);
  present();
  // Once, with the strips in place: chords that nothing serves.
  tellUnservedChords();
  return LoadOutcome::Loaded;
}

FrmVESK2& FrmVESK::frmVESK2() {
  if (!frm2_) {
    frm2_ = std::make_unique<FrmVESK2>(p_, kKeyColour);
    frm2_->setScale(scale_);
    // A release on the strip's line acts as a press of the main window's
    // slot 4; the strip then puts itself back on top.
    frm2_->onLineReleased = [this](const platform::MouseEvent& event) {
      handleEvent([&] {
        cmdMenu_MouseDown(event.index, event.button, event.shift, event.x, event.y);
        if (frm2_ && !frm2_->unloaded()) {
          p_.windowing.setWindowPos(frm2_->handle(), platform::kHwndTopmost, kOwnRestack);
          p_.system.sleep(10);
        }
      });
    };
  }
  return *frm2_;
}

void FrmVESK::present() {
  // Only what a handler touched: an idle tick hands the platform nothing.
  if (unloaded_) return;
  if (controls_.takeChanged() && window_) window_->present(controls_.all());
  if (frm2_ && !frm2_->unloaded()) frm2_->present();
}

bool FrmVESK::MakeShortcut(std::string_view sKey, platform::ReplaceRetry& retry) {
  const platform::ShortcutLink link =
      settingsShortcut(sKey, s_, p_.system.exeFolder(), p_.shortcuts);
  return retry.run([&] { return p_.shortcuts.save(link); }) == platform::WriteOutcome::Written;
}

void FrmVESK::makeSettingsShortcuts() {
  // About a second of waiting for held files in all, and one message for
  // the files not written (an old one stays as it was); the program goes on.
  platform::ReplaceRetry retry(p_.system);
  std::vector<std::string> unwritten;
  for (const std::string_view sKey : {"8", "2", "1"}) {
    if (!MakeShortcut(sKey, retry)) unwritten.push_back(settingsShortcutName(sKey));
  }
  // Events run while the box is open: another press then opens no second.
  if (unwritten.empty() || shortcutMessageOpen_) return;
  struct OpenScope {
    bool& open;
    explicit OpenScope(bool& o) : open(o) { open = true; }
    ~OpenScope() { open = false; }
  } scope(shortcutMessageOpen_);
  p_.system.messageBox(unwrittenShortcutsMessage(unwritten));
}

void FrmVESK::dispatchHotKey(int id) {
  switch (canonicalHotKey(id)) {
    case 1025:
      updHP(true);
      break;
    case 1026:
      updHP(false);
      break;
    case 1027:
      updSW(true);
      break;
    case 1028:
      updSW(false);
      break;
    case 1029:
      SetForm();
      break;
    case 1030:
      updDisp();
      break;
    case 1031:
      endBothForms();
      break;
    case 1032:
      updFontSize(true);
      break;
    case 1033:
      updFontSize(false);
      break;
    case 1034:
      updFontBold();
      break;
    case 1035:
      updCompact();
      break;
    case 1036:
      updBtnPos();
      break;
    case 1037:
      updPTLine();
      break;
    case 1038:
      updLimit();
      break;
    case kHotKeySettingsShortcut:
      makeSettingsShortcuts();
      break;
    default:
      break;
  }
}

void FrmVESK::onClick(const std::string& control, int /*index*/) {
  // Like every click on the panel, it gives the keyboard back to the game.
  if (control == "Command1") {
    handleEvent([&] {
      Command1_Click();
      restackAfterClick();
    });
  }
}

void FrmVESK::Command1_Click() {
  // Stops at the last day a 16-bit count can hold.
  if (s_.dayOffset < INT16_MAX) ++s_.dayOffset;
  s_.refreshRequested = true;
}

void FrmVESK::onTimer() {
  handleEvent([&] { Timer1_Timer(); });
}

void FrmVESK::onCloseRequest() { closeProcedure(); }

void FrmVESK::onDpiChange() {
  // The game on that monitor is drawn again at another scale: the strips
  // follow once it is at rest, at the scale it then has.
  follow_.rescaleDue = true;
  lookDue_ = true;
}

void FrmVESK::endForm() { closeProcedure(); }

void FrmVESK::endBothForms() {
  endForm();
  // The secondary strip closes after the main window; one never made is
  // not made just to be closed.
  if (frm2_) frm2_->endForm();
}

void FrmVESK::closeProcedure() {
  // Running it twice (close request during unload) changes nothing.
  if (unloaded_) return;
  unloaded_ = true;
  UnregHotKeys();
  if (window_) window_->destroy();
  p_.windowing.quit();
}

}  // namespace vesk
