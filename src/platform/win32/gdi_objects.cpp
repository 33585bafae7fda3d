#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

GdiCensus& gdiCensus() {
  static GdiCensus census;
  return census;
}

}  // namespace vesk::platform::win32
