#include "editor/frm_caravan_design.h"

#include <string>
#include <utility>

#include "common/rounding.h"

namespace vesk {

namespace {

using platform::Control;
using platform::ControlKind;
using platform::Font;

constexpr Colour kDesignBack = 0x400040;
constexpr Colour kCheckBack = 0xC0C0C0;
constexpr Colour kCheckText = 0xE0E0E0;
// An ordinary captioned button: button face with window text.
constexpr Colour kButtonFace = 0xF0F0F0;
constexpr Colour kButtonText = 0x000000;

const Font kDialogFont{"MS UI Gothic", 9, false, 128};

struct Scale {
  double x;
  double y;
};

Control place(ControlKind kind, std::string name, int index, const Scale& s, double left,
              double top, double width, double height) {
  Control c;
  c.kind = kind;
  c.name = std::move(name);
  c.index = index;
  c.left = left / s.x;
  c.top = top / s.y;
  c.width = width / s.x;
  c.height = height / s.y;
  c.font = kDialogFont;
  return c;
}

// A drop-down list; the load step fills its items.
Control list(int index, const Scale& s, double left, double width, int charset, int tabIndex) {
  Control c = place(ControlKind::ComboBox, "Combo1", index, s, left, 120, width, 300);
  c.font.charset = charset;
  c.backColour = 0xFFFFFF;
  c.textColour = 0x000000;
  c.centred = false;
  c.tabIndex = tabIndex;
  return c;
}

Control menuButton(int index, const Scale& s, double left) {
  Control c = place(ControlKind::Button, "cmdMenu", index, s, left, 540, 825, 300);
  c.backColour = kFrameGrey;
  return c;
}

Control menuWord(int index, const Scale& s, double left, std::string word) {
  Control c = place(ControlKind::TextBox, "txtMenu", index, s, left, 570, 750, 240);
  c.backColour = kFrameGrey;
  c.textColour = kTextWhite;
  c.font = Font{"Arial", 9.75, true, 0};
  c.text = std::move(word);
  return c;
}

}  // namespace

platform::WindowDesign frmCaravanDesign(int twipsPerPixelX, int twipsPerPixelY) {
  return {"frmCaravan",
          "狩人珠劣化期限",
          platform::WindowStyle::ToolDialog,
          roundToInt32(4275.0 / twipsPerPixelX),
          roundToInt32(990.0 / twipsPerPixelY),
          kDesignBack};
}

std::vector<platform::Control> frmCaravanControls(int twipsPerPixelX, int twipsPerPixelY) {
  const Scale s{static_cast<double>(twipsPerPixelX), static_cast<double>(twipsPerPixelY)};
  std::vector<Control> out;
  // Arrays by ascending index; on screen left to right year, month, day,
  // hour, minute, which is also the Tab order.
  out.push_back(list(0, s, 1140, 735, 0, 2));    // month
  out.push_back(list(1, s, 1860, 735, 128, 3));  // day
  out.push_back(list(2, s, 2700, 735, 0, 4));    // hour
  out.push_back(list(3, s, 3420, 735, 128, 5));  // minute
  out.push_back(list(4, s, 120, 915, 128, 1));   // year

  out.push_back(menuButton(0, s, 2400));
  out.push_back(menuButton(1, s, 3360));
  out.push_back(menuButton(2, s, 120));
  // Over the buttons: each word covers its button but for a frame.
  out.push_back(menuWord(0, s, 2460, "Ok"));
  out.push_back(menuWord(1, s, 3390, "Cancel"));
  out.push_back(menuWord(2, s, 180, "Delete"));

  Control check = place(ControlKind::CheckBox, "Check1", -1, s, 3060, 0, 1155, 375);
  check.text = "アラームON";
  check.backColour = kCheckBack;
  check.textColour = kCheckText;
  check.centred = false;
  check.tabIndex = 0;
  out.push_back(std::move(check));

  // Below the client area: it only takes the focus after a button press.
  Control dummy = place(ControlKind::Button, "cmdDummy", -1, s, 4620, 2220, 135, 255);
  dummy.backColour = kButtonFace;
  dummy.textColour = kButtonText;
  dummy.text = "Command1";
  out.push_back(std::move(dummy));
  return out;
}

}  // namespace vesk
