#include "editor/frm_caravan.h"

#include <algorithm>
#include <utility>

#include "editor/deadline_fields.h"
#include "editor/frm_caravan_design.h"
#include "platform/replace_retry.h"

namespace vesk {

namespace {

constexpr int kYear = 4;
constexpr int kMonth = 0;
constexpr int kDay = 1;
constexpr int kHour = 2;
constexpr int kMinute = 3;

constexpr int kOk = 0;
constexpr int kCancel = 1;
constexpr int kDelete = 2;

constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;

constexpr int kOffsetTwips = 20;

constexpr const char* kInvalidDate = "日付がラリってます^q^";
constexpr const char* kCannotWrite = "caravan_tama.txt に書き込めません";

// Selects the item with this text, as assigning a drop-down list's Text
// does; a text that is no item leaves the selection as it was.
void selectText(platform::Control& list, const std::string& text) {
  const auto found = std::find(list.items.begin(), list.items.end(), text);
  if (found != list.items.end()) list.selected = static_cast<int>(found - list.items.begin());
}

std::string selectedText(const platform::Control& list) {
  if (list.selected < 0 || static_cast<std::size_t>(list.selected) >= list.items.size()) return {};
  return list.items[static_cast<std::size_t>(list.selected)];
}

}  // namespace

FrmCaravan::FrmCaravan(platform::Platform& platform, ModVESK& mod, const Rect& mainWindowBounds,
                       std::function<void()> beforeClose)
    : p_(platform),
      mod_(mod),
      mainBounds_(mainWindowBounds),
      beforeClose_(std::move(beforeClose)),
      controls_(
          frmCaravanControls(platform.system.twipsPerPixelX(), platform.system.twipsPerPixelY())) {}

FrmCaravan::~FrmCaravan() = default;

void FrmCaravan::showModal() {
  const platform::WindowDesign design =
      frmCaravanDesign(p_.system.twipsPerPixelX(), p_.system.twipsPerPixelY());
  window_ = p_.windowing.createWindow(design, *this);
  if (!window_) return;
  activated_ = false;
  handleEvent([&] { Form_Load(); });
  if (window_) window_->runModal();
  // Whatever ended the loop, the window goes with it.
  window_.reset();
}

void FrmCaravan::Form_Load() {
  // 1. Above every normal window.
  p_.windowing.setWindowPos(window_->handle(), platform::kHwndTopmost,
                            platform::kSwpNoMove | platform::kSwpNoSize);

  // 2. 20 twips right of and below the main strip's top-left corner.
  const Rect now = window_->bounds();
  window_->setBounds(offsetByTwips(mainBounds_.left, p_.system.twipsPerPixelX(), kOffsetTwips),
                     offsetByTwips(mainBounds_.top, p_.system.twipsPerPixelY(), kOffsetTwips),
                     now.width(), now.height());

  // 3. and 4. Check1 hidden; a new back colour at each opening.
  platform::Control& check = controls_.at("Check1");
  check.visible = false;
  const Colour back = kCaravanBackColours[colourPick(p_.system.random()) - 1];
  window_->setBackColour(back);
  check.backColour = back;

  // 5. and 6. The lists, then the stored deadline (the present moment to
  // the minute without a file); the year list is made to hold its year.
  Timestamp preset = 0;
  std::int16_t flag = 0;
  mod_.getCaravanDate(preset, flag);
  const YearRange years = yearRange(toDateTime(preset).year, toDateTime(p_.clock.now()).year);
  controls_.at("Combo1", kYear).items = numberedItems(years.first, years.last, "年");
  controls_.at("Combo1", kMonth).items = numberedItems(1, 12, "月");
  controls_.at("Combo1", kDay).items = numberedItems(1, 31, "日");
  controls_.at("Combo1", kHour).items = numberedItems(0, 23, "時");
  controls_.at("Combo1", kMinute).items = numberedItems(0, 59, "分");

  // 7. Preset month, day, hour, minute, year.
  selectText(controls_.at("Combo1", kMonth), formatDate(preset, "M月"));
  selectText(controls_.at("Combo1", kDay), formatDate(preset, "d日"));
  selectText(controls_.at("Combo1", kHour), formatDate(preset, "H時"));
  selectText(controls_.at("Combo1", kMinute), formatDate(preset, "n分"));
  selectText(controls_.at("Combo1", kYear), formatDate(preset, "yyyy年"));

  // 8.
  check.selected = 1;
}

void FrmCaravan::present() {
  if (window_) window_->present(controls_.all());
}

void FrmCaravan::onActivate() {
  // Once per opening, as the toolkit's own activation of a modal form:
  // coming back from another program keeps the field the user was in.
  if (activated_) return;
  activated_ = true;
  handleEvent([&] { Form_Activate(); });
}

void FrmCaravan::Form_Activate() {
  if (window_) window_->setFocus("Combo1", kYear);
}

void FrmCaravan::onMouse(const platform::MouseEvent& e) {
  if (e.down && e.control == "cmdMenu") {
    handleEvent([&] { cmdMenu_MouseDown(e.index, e.button, e.shift, e.x, e.y); });
  } else if (!e.down && e.control == "txtMenu") {
    handleEvent([&] { txtMenu_MouseUp(e.index, e.button, e.shift, e.x, e.y); });
  }
}

void FrmCaravan::onClick(const std::string& control, int index) {
  if (control == "cmdMenu") handleEvent([&] { cmdMenu_Click(index); });
}

void FrmCaravan::onKeyPress(const std::string& control, int index, int key) {
  if (control == "Combo1") handleEvent([&] { Combo1_KeyPress(index, key); });
}

void FrmCaravan::onSelect(const std::string& control, int index, int selected) {
  handleEvent([&] {
    platform::Control& list = controls_.at(control, index);
    if (selected >= -1 && selected < static_cast<int>(list.items.size())) list.selected = selected;
  });
}

void FrmCaravan::onCloseRequest() {
  // The close box is Cancel.
  handleEvent([&] { closeWindow(); });
}

void FrmCaravan::Combo1_KeyPress(int /*Index*/, int KeyAscii) {
  if (KeyAscii == kKeyEnter) {
    cmdMenu_MouseDown(kOk, 0, 0, 0, 0);
  } else if (KeyAscii == kKeyEscape) {
    cmdMenu_MouseDown(kCancel, 0, 0, 0, 0);
  }
}

void FrmCaravan::cmdMenu_Click(int Index) { cmdMenu_MouseDown(Index, 0, 0, 0, 0); }

void FrmCaravan::txtMenu_MouseUp(int Index, int Button, int Shift, int X, int Y) {
  cmdMenu_MouseDown(Index, Button, Shift, X, Y);
}

void FrmCaravan::cmdMenu_MouseDown(int Index, int /*Button*/, int /*Shift*/, int /*X*/, int /*Y*/) {
  if (window_) window_->setFocus("cmdDummy", -1);
  switch (Index) {
    case kOk:
      if (saveDeadline()) closeWindow();
      break;
    case kCancel:
      closeWindow();
      break;
    case kDelete:
      deleteDeadline();
      closeWindow();
      break;
    default:
      break;
  }
}

bool FrmCaravan::saveDeadline() {
  const std::string joined =
      selectedText(controls_.at("Combo1", kYear)) + selectedText(controls_.at("Combo1", kMonth)) +
      selectedText(controls_.at("Combo1", kDay)) + selectedText(controls_.at("Combo1", kHour)) +
      selectedText(controls_.at("Combo1", kMinute));
  const std::optional<std::string> line = deadlineLine(joined);
  if (!line) {
    p_.system.messageBox(kInvalidDate);
    return false;
  }
  // writeLine replaces the file whole or not at all: on failure (read-only
  // file or folder, full disk, a file held longer than the retries wait)
  // the old deadline stays and so does the editor.
  platform::ReplaceRetry retry(p_.system);
  if (retry.run([&] { return p_.files.writeLine(mod_.pathTama, *line); }) !=
      platform::WriteOutcome::Written) {
    p_.system.messageBox(kCannotWrite);
    return false;
  }
  return true;
}

void FrmCaravan::deleteDeadline() {
  // A missing file is not an error.
  static_cast<void>(p_.files.remove(mod_.pathTama));
}

void FrmCaravan::closeWindow() {
  if (!window_) return;
  // The opener first: whatever it takes back (the hotkeys) is in place the
  // moment the window is gone.
  if (beforeClose_) std::exchange(beforeClose_, nullptr)();
  // Only destroyed here: the window object lives until showModal returns,
  // because this runs inside one of its own events.
  window_->destroy();
}

}  // namespace vesk
