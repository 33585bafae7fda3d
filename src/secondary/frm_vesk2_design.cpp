#include "secondary/frm_vesk2_design.h"

#include <utility>

#include "common/rounding.h"
#include "panel/control_set.h"
#include "panel/main_design.h"

namespace vesk {

namespace {

using platform::Control;

// Members 0 to 3 of an array that exists here only as member 4: hidden and
// empty, they are never drawn nor hit, and keep the array's indices running
// from 0 as a control set requires.
}  // namespace

platform::WindowDesign frmVESK2Design(int twipsPerPixelX, int twipsPerPixelY) {
  return {"frmVESK2",
          "vesk",
          platform::WindowStyle::Strip,
          roundToInt32(3000.0 / twipsPerPixelX),
          roundToInt32(495.0 / twipsPerPixelY),
          kKeyColour};
}

std::vector<platform::Control> frmVESK2Controls(int twipsPerPixelX, int twipsPerPixelY) {
  const double x = twipsPerPixelX;
  const double y = twipsPerPixelY;
  // The caravan box is the main strip's, colours, font and sample lines
  // alike, moved to this strip's corner.
  const ControlSet main(frmVESKControls(twipsPerPixelX, twipsPerPixelY));

  std::vector<Control> out;
  Control button = main.at("cmdMenu", 4);
  button.left = 0;
  button.top = 0;
  out.push_back(std::move(button));

  // Outside the client area: it only holds the focus.
  Control dummy = main.at("cmdDummy");
  dummy.left = 15000 / x;
  dummy.top = 0;
  dummy.width = 1215 / x;
  dummy.height = 495 / y;
  out.push_back(std::move(dummy));

  Control line = main.at("txtMenu", 4);
  line.left = 60 / x;
  line.top = 45 / y;
  out.push_back(std::move(line));
  return out;
}

}  // namespace vesk
