#include "panel/main_design.h"

#include <string>
#include <utility>

#include "common/rounding.h"

namespace vesk {

namespace {

using platform::Control;
using platform::ControlKind;
using platform::Font;

// Twips to client pixels: x for Left and Width, y for Top and Height.
struct Scale {
  double x;
  double y;
};

// The platform's default look of a label. Button-face grey would do for a
// label that shows its back, but the marker labels are 2 pixels wide with a
// single-line border, so their back never shows; black back and black window
// text keep the whole label a thin dark line over the game whatever the
// rounding of its position.
constexpr Colour kLabelDefaultBack = 0x000000;
constexpr Colour kLabelDefaultText = 0x000000;
// The platform's default look of a captioned button: the modern button face
// with window text. Classic 0xC0C0C0 would be the colour key and vanish.
constexpr Colour kButtonFace = 0xF0F0F0;
constexpr Colour kButtonText = 0x000000;

const Font kWindowFont{"MS UI Gothic", 9, false, 128};
const Font kMarkerFont{"ＭＳ Ｐゴシック", 9, false, 128};

// The placeholder lines of the caravan box until the first layout.
constexpr const char* kCaravanSample =
    "属<報>←名→ミ\r\n"
    "属性<報>←名所→ミラ\r\n"
    "属性バンザイ<大錬珠節>\r\n"
    "09/25 18:00 (2.3day)\r\n"
    "＼(^o^)／ｵﾜﾀ\r\n";

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
  c.font = kWindowFont;
  return c;
}

// A caption-less flat button painted in the grey of the frames.
Control menuButton(int index, const Scale& s, double left, double top, double width,
                   double height) {
  Control c = place(ControlKind::Button, "cmdMenu", index, s, left, top, width, height);
  c.backColour = kFrameGrey;
  return c;
}

// A read-only, borderless, centred display line laid over its button.
Control menuLine(int index, const Scale& s, double left, double top, double width, double height,
                 Colour back, Font font, std::string text) {
  Control c = place(ControlKind::TextBox, "txtMenu", index, s, left, top, width, height);
  c.backColour = back;
  c.textColour = kTextWhite;
  c.font = std::move(font);
  c.text = std::move(text);
  return c;
}

Control captionedButton(std::string name, const Scale& s, double left, double top, double width,
                        double height, std::string caption) {
  Control c = place(ControlKind::Button, std::move(name), -1, s, left, top, width, height);
  c.backColour = kButtonFace;
  c.textColour = kButtonText;
  c.text = std::move(caption);
  return c;
}

// A 30-twip bordered label without caption: a thin vertical line.
Control markerLine(std::string name, int index, const Scale& s, double left, double top,
                   double height) {
  Control c = place(ControlKind::Label, std::move(name), index, s, left, top, 30, height);
  c.backColour = kLabelDefaultBack;
  c.textColour = kLabelDefaultText;
  c.font = kMarkerFont;
  c.border = true;
  c.centred = false;
  return c;
}

void addMarkers(std::vector<Control>& out, const Scale& s) {
  for (int i = 0; i <= 15; ++i) {
    Control c = place(ControlKind::Label, "lblHPName", i, s, 1620 + 360 * i, 300, 300, 180);
    c.backColour = kFrameGrey;
    c.textColour = kScaleNumbers;
    c.text = "0";
    out.push_back(std::move(c));
  }
  for (int i = 0; i <= 15; ++i)
    out.push_back(markerLine("lblHPLine", i, s, 1740 + 360 * i, 480, 300));
  for (int i = 0; i <= 6; ++i)
    out.push_back(markerLine("lblSTLine", i, s, 1740 + 900 * i, 840, 150));
  for (int i = 0; i <= 3; ++i)
    out.push_back(markerLine("lblPTLine", i, s, 1140, 720 + 180 * i, 150));
  // Last of the labels, so the red marks lie over the scale lines.
  const double kajiLeft[] = {1740, 2640, 3000, 3360, 3720};
  for (int i = 0; i <= 4; ++i) {
    Control c = markerLine("lblKajiLine", i, s, kajiLeft[i], 0, 225);
    c.backColour = kAdrenalineRed;
    c.border = false;
    out.push_back(std::move(c));
  }
}

}  // namespace

platform::WindowDesign frmVESKDesign(int twipsPerPixelX, int twipsPerPixelY) {
  return {"frmVESK",
          "vesk",
          platform::WindowStyle::Strip,
          roundToInt32(12000.0 / twipsPerPixelX),
          roundToInt32(3000.0 / twipsPerPixelY),
          kKeyColour};
}

std::vector<platform::Control> frmVESKControls(int twipsPerPixelX, int twipsPerPixelY) {
  const Scale s{static_cast<double>(twipsPerPixelX), static_cast<double>(twipsPerPixelY)};
  const Font arial9{"Arial", 9, true, 0};
  const Font arial975{"Arial", 9.75, true, 0};
  const Font gothic9{"MS UI Gothic", 9, true, 128};

  // Stacking follows the painter: labels lowest, then buttons, then the text
  // lines, each layer in this order from the bottom.
  std::vector<Control> out;
  addMarkers(out, s);

  out.push_back(menuButton(0, s, 0, 0, 1050, 300));
  out.push_back(menuButton(1, s, 0, 300, 750, 300));
  out.push_back(menuButton(2, s, 0, 615, 750, 255));
  out.push_back(menuButton(3, s, 0, 900, 750, 300));
  out.push_back(menuButton(4, s, 0, 1260, 2115, 450));
  out.push_back(captionedButton("Command1", s, 0, 1680, 615, 315, "10/13"));
  out.push_back(captionedButton("cmdDummy", s, 11700, 1140, 135, 255, "Command1"));

  out.push_back(menuLine(0, s, 120, 60, 825, 180, kFrameGrey, arial9, "0:00:00.00"));
  out.push_back(menuLine(1, s, 120, 360, 600, 195, kFrameGrey, arial975, "HP100"));
  out.push_back(menuLine(2, s, 75, 645, 675, 195, kFrameGrey, gothic9, "ﾐﾗﾄﾘｵ"));
  out.push_back(menuLine(3, s, 75, 930, 600, 240, kFrameGrey, arial975, "End"));
  Control caravan = menuLine(4, s, 60, 1305, 2025, 360, kCaravanOlive, gothic9, kCaravanSample);
  caravan.multiLine = true;
  out.push_back(std::move(caravan));
  return out;
}

}  // namespace vesk
