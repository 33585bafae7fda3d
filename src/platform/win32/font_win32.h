// GDI fonts from a control's Font data.
#pragma once

#include <windows.h>

#include "platform/control.h"
#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

// The font at its point size for a device of dotsPerInch (96 when unknown);
// an empty object when the system refuses it. Faces longer than a LOGFONT
// holds are cut; a charset outside 0..255 becomes DEFAULT_CHARSET.
GdiObject<HFONT> createFont(const Font& font, int dotsPerInch, BYTE quality);

}  // namespace vesk::platform::win32
