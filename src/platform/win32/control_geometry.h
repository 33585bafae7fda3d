// Where the controls of a window lie, which one is on top at a point, and
// which areas a change of the control list makes stale.
//
// Stacking follows the windowing toolkit that the panel was designed on:
// labels are drawn on the window's own surface, beneath every other control;
// buttons come next; text boxes, combo boxes and check boxes lie above the
// buttons (each menu text line sits over its frame button). Within one layer
// a later control in the list lies over an earlier one.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/control.h"
#include "platform/screen_scale.h"

namespace vesk::platform::win32 {

// Whether the control is a native child window of its own (combo boxes):
// the system draws it and delivers its input, so the painter, the hit test
// and the repaint areas leave it out.
bool isNative(const Control& control);

// Client pixels at the window's scale, by the one scaling rule
// (screen_scale.h): at scale 1 each coordinate rounded to the nearest
// integer (halves to even); a negative width or height gives an empty
// rectangle.
RECT controlRect(const Control& control, ScreenScale scale = {});

// Indices of the controls, bottom first, in drawing order.
std::vector<std::size_t> stackingOrder(const std::vector<Control>& controls);

// The visible painted control on top at a client point, or null.
const Control* controlAt(const std::vector<Control>& controls, POINT point, ScreenScale scale = {});

// Whether two controls look the same on screen (every drawn property).
bool looksSame(const Control& a, const Control& b);

// The rectangles to repaint when the list before becomes the list after:
// for each position whose painted control changed, its old and its new
// rectangle.
std::vector<RECT> changedAreas(const std::vector<Control>& before,
                               const std::vector<Control>& after, ScreenScale scale = {});
// The same, for a kept copy of the list that then becomes `now`: only the
// controls that changed are copied, so a tick that changes one line copies
// one control.
std::vector<RECT> adoptChanges(std::vector<Control>& kept, const std::vector<Control>& now,
                               ScreenScale scale = {});

}  // namespace vesk::platform::win32
