#include "platform/win32/program_icon.h"

#include "platform/win32/resource_ids.h"

namespace vesk::platform::win32 {

const wchar_t* programIconName() { return MAKEINTRESOURCEW(VESK_ICON_ID); }

bool hasProgramIcon() {
  return FindResourceW(GetModuleHandleW(nullptr), programIconName(), RT_GROUP_ICON) != nullptr;
}

HICON programIcon(int widthMetric, int heightMetric) {
  const int width = GetSystemMetrics(widthMetric);
  const int height = GetSystemMetrics(heightMetric);
  if (width <= 0 || height <= 0 || !hasProgramIcon()) return nullptr;
  // Standard sizes only, as LR_SHARED requires: the icon group holds an
  // image drawn for each of them at 96 dpi.
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), programIconName(), IMAGE_ICON,
                                       width, height, LR_DEFAULTCOLOR | LR_SHARED));
}

}  // namespace vesk::platform::win32
