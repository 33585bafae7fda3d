#include "panel/layout.h"

#include <charconv>
#include <string>

#include "common/colour.h"
#include "common/rounding.h"
#include "timers/adrenaline_meter.h"

namespace vesk {

namespace {

using platform::Control;

// One rectangle of a slot's working record; 0 leaves a property as it is.
struct Box {
  std::int16_t top = 0;
  std::int16_t left = 0;
  std::int16_t height = 0;
  std::int16_t width = 0;
};

struct Slot {
  Box button;
  Box line;
  std::string fontName;
  std::int16_t fontSize = 0;
  std::string text;  // empty: the line keeps its text
};

struct Sizes {
  std::int16_t buttonWidth = 0;
  std::int16_t buttonHeight = 0;
  std::int16_t textWidth = 0;
  std::int16_t textHeight = 0;
};

// Slot 0 by stopwatch font size. Sizes outside the four never occur; they
// would leave the sizes alone.
Sizes stopwatchSizes(std::int16_t fontSize) {
  switch (fontSize) {
    case 10:
      return {75, 22, 65, 16};
    case 11:
      return {80, 24, 70, 16};
    case 12:
      return {95, 24, 80, 16};
    case 14:
      return {110, 28, 100, 20};
    default:
      return {};
  }
}

struct Widths {
  std::int16_t button = 0;
  std::int16_t text = 0;
};

// Slots 1 to 3 by button size; the heights are the same for all three sizes.
Widths menuWidths(std::int16_t compactMode) {
  switch (compactMode) {
    case 0:
      return {50, 40};
    case 1:
      return {40, 30};
    case 2:
      return {25, 15};
    default:
      return {};
  }
}

// The label of slot 1 (maximum health), 2 (what the toggle will do) or 3
// (end) at this button size.
std::string menuText(int slot, const MainState& s) {
  if (s.compactMode < 0 || s.compactMode > 2) return {};
  const bool small = s.compactMode == 2;
  if (slot == 1) return healthText(s.compactMode, s.maxHP).value_or("");
  if (slot == 2) return s.allVisible ? (small ? "i" : "Hide") : (small ? "o" : "Show");
  return small ? "e" : "End";
}

Slot stopwatchSlot(const MainState& s, float mainWidthPixels) {
  const Sizes z = stopwatchSizes(s.fontSize);
  Slot slot;
  slot.fontName = "Arial";
  slot.fontSize = s.fontSize;
  slot.button.left = getBtnLeft(z.buttonWidth, s, mainWidthPixels);
  slot.button.height = z.buttonHeight;
  slot.button.width = z.buttonWidth;
  slot.line.top = 3;
  slot.line.left = roundToInt16(slot.button.left + (z.buttonWidth - z.textWidth) / 2.0);
  slot.line.height = z.textHeight;
  slot.line.width = z.textWidth;
  return slot;
}

// Each of slots 1 to 3 stacks under the finished slot above it.
Slot menuSlot(int i, const MainState& s, float mainWidthPixels, const ControlSet& main) {
  const Widths w = menuWidths(s.compactMode);
  const Control& buttonAbove = main.at("cmdMenu", i - 1);
  const Control& textAbove = main.at("txtMenu", i - 1);
  Slot slot;
  slot.fontName = "Arial";
  slot.fontSize = 9;
  slot.text = menuText(i, s);
  slot.button.top = roundToInt16(buttonAbove.top + buttonAbove.height);
  slot.button.left = getBtnLeft(w.button, s, mainWidthPixels);
  slot.button.height = 20;
  slot.button.width = w.button;
  slot.line.top = roundToInt16(textAbove.top + buttonAbove.height);
  slot.line.left = roundToInt16(slot.button.left + (w.button - w.text) / 2.0);
  slot.line.height = 13;
  slot.line.width = w.text;
  return slot;
}

// Slot 4, the secondary strip's caravan box: the calendar of the day shown
// and the gem deadline with the hour mark. Also writes the calendar date on
// Command1 and clears calendarDirty.
Slot caravanSlot(MainState& s, ModVESK& mod, const LayoutInput& in, ControlSet& main) {
  main.at("cmdMenu", 4).visible = false;
  main.at("txtMenu", 4).visible = false;
  const std::string hourText = mod.getHourMark();
  const bool reload = s.placePending || s.calendarDirty;
  const Timestamp calendarDate = addDays(in.now, s.dayOffset);
  std::string calendarText;
  bool festival = false;
  mod.getCaravanText(calendarText, festival, calendarDate, 0, reload);
  main.at("Command1").text = formatDate(calendarDate, "MM/dd");
  s.calendarDirty = false;
  const std::string gemLine = formatDate(s.P_CaravanDate, "MM/dd HH:nn") + " (" + hourText + ")";

  const bool hasDeadline = s.gemFileState == -1;
  Slot slot;
  slot.fontName = "MS UI Gothic";
  slot.fontSize = 9;
  Sizes z{131, 19, 125, 13};
  if (!calendarText.empty() && hasDeadline) {
    slot.text = calendarText + "\r\n" + gemLine;
    z = {131, 29, 125, 24};
  } else if (!calendarText.empty()) {
    slot.text = calendarText;
  } else if (hasDeadline) {
    slot.text = gemLine;
  } else {
    slot.text = "Tama";
    slot.fontName = "Arial";
    z = {50, 19, 35, 13};
  }
  slot.button.height = z.buttonHeight;
  slot.button.width = z.buttonWidth;
  slot.line.top = 4;
  slot.line.left = roundToInt16((z.buttonWidth - z.textWidth) / 2.0);
  slot.line.height = z.textHeight;
  slot.line.width = z.textWidth;
  return slot;
}

void applySlot(const Slot& slot, bool bold, Control& button, Control& text) {
  setCtlFont(text, slot.fontName, slot.fontSize, bold);
  setCtlPos(button, slot.button.top, slot.button.left, slot.button.height, slot.button.width);
  setCtlPos(text, slot.line.top, slot.line.left, slot.line.height, slot.line.width);
  if (!slot.text.empty()) text.text = slot.text;
}

double scaleX(double step, const MainState& s) { return step * s.meterStep + s.meterLeft; }

// The health scale 0 to 150: long marks at both ends, medium ones at 20 to
// 100, short ones between, each captioned with its value.
void layoutHealthScale(bool bAllVisible, const MainState& s, ControlSet& main) {
  for (int d = 0; d <= 15; ++d) {
    Control& line = main.at("lblHPLine", d);
    Control& name = main.at("lblHPName", d);
    const bool longMark = d == 0 || d == 15;
    const bool mediumMark = d % 2 == 0 && d >= 2 && d <= 10;
    line.top = longMark || mediumMark ? 15 : 25;
    line.height = longMark ? 35 : mediumMark ? 20 : 10;
    line.left = scaleX(d, s);
    name.top = 3;
    // Centred on its mark, one pixel to the right.
    name.left = line.left - name.width / 2 + 1;
    name.text = std::to_string(d * 10);
    // The colour key of the main strip: only the digits show over the game.
    name.backColour = kKeyColour;
    line.visible = bAllVisible;
    name.visible = bAllVisible;
  }
}

// Stamina marks every 25 points; the two ends never show.
void layoutStamina(bool bAllVisible, const MainState& s, ControlSet& main) {
  for (int i = 0; i <= 6; ++i) {
    Control& mark = main.at("lblSTLine", i);
    mark.top = 38;
    mark.left = scaleX(2.5 * i, s);
    mark.height = 10;
    mark.visible = i >= 1 && i <= 5;
    if (!bAllVisible) mark.visible = false;
  }
}

void layoutPartyLines(bool bAllVisible, const MainState& s, ControlSet& main) {
  const double tops[] = {117, 138, 160, 182};
  for (int e = 0; e <= 3; ++e) {
    Control& line = main.at("lblPTLine", e);
    line.top = tops[e];
    line.left = 78;
    line.height = 2;
    if (s.ptLine == 0) line.visible = false;
    if (s.ptLine == 1) line.visible = e >= 1 && bAllVisible;
  }
}

}  // namespace

void setCtlPos(platform::Control& c, std::int16_t top, std::int16_t left, std::int16_t height,
               std::int16_t width) {
  if (top != 0) c.top = top;
  if (left != 0) c.left = left;
  if (height != 0) c.height = height;
  if (width != 0) c.width = width;
}

void setCtlFont(platform::Control& c, std::string_view name, std::int16_t size, bool bold) {
  if (!name.empty()) {
    c.font.name = std::string(name);
    // The character set goes with the face: a Latin face asked for with the
    // Japanese set would be mapped to a Japanese one.
    c.font.charset = name == "Arial" ? 0 : 128;
  }
  if (size != 0) c.font.points = size;
  c.font.bold = bold;
}

std::int16_t getBtnLeft(std::int16_t width, const MainState& s, float mainWidthPixels) {
  if (s.btnPos != 1 || s.parking) return 0;
  return roundToInt16(mainWidthPixels - static_cast<float>(width));
}

void updMenu(bool bAllVisible, MainState& s, ModVESK& mod, const LayoutInput& in, ControlSet& main,
             ControlSet& second) {
  for (int i = 0; i <= 4; ++i) {
    // setCtlPos skips 0, so the flush-left position is set here.
    main.at("cmdMenu", i).left = 0;
    Slot slot;
    if (i == 0) {
      slot = stopwatchSlot(s, in.mainWidthPixels);
    } else if (i <= 3) {
      slot = menuSlot(i, s, in.mainWidthPixels, main);
    } else {
      slot = caravanSlot(s, mod, in, main);
    }
    ControlSet& window = i == 4 ? second : main;
    applySlot(slot, s.fontBold, window.at("cmdMenu", i), window.at("txtMenu", i));
  }
  layoutHealthScale(bAllVisible, s, main);
  layoutStamina(bAllVisible, s, main);
  layoutPartyLines(bAllVisible, s, main);
}

}  // namespace vesk
