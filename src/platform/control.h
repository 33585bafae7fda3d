// A control as plain data: the window classes own these, the platform draws
// them and reports mouse and key events on them by name and index.
#pragma once

#include <string>
#include <vector>

#include "common/colour.h"

namespace vesk::platform {

enum class ControlKind { TextBox, Button, Label, ComboBox, CheckBox };

struct Font {
  std::string name = "MS UI Gothic";
  double points = 9;
  bool bold = false;
  int charset = 128;  // 128 Shift-JIS, 0 ANSI
};

struct Control {
  ControlKind kind = ControlKind::Label;
  std::string name;  // "cmdMenu", "txtMenu", "Command1", ...
  int index = -1;    // index in its control array; -1 outside an array
  // Client-area pixels. Reals, because the layout assigns some unrounded.
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  bool visible = true;
  Colour backColour = kFrameGrey;
  Colour textColour = kTextWhite;
  Font font;
  std::string text;  // caption or text, UTF-8; lines end with CR LF
  bool multiLine = false;
  bool border = false;
  bool centred = true;
  std::vector<std::string> items;  // combo box items
  int selected = -1;               // combo box selection, check box value
  // Place in the window's Tab order among the controls that take the
  // keyboard (combo boxes); lower first, -1 after all numbered ones.
  int tabIndex = -1;
};

}  // namespace vesk::platform
