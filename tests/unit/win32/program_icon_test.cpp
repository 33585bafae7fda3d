// The program's icon: every size of the icon group drawn for that size, and
// the windows' classes carrying it.
#include "platform/win32/program_icon.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "platform/win32/windowing_win32.h"

namespace vesk::platform::win32 {
namespace {

// Width of one RT_ICON image: a PNG's IHDR width or a bitmap header's.
int imageWidth(const BYTE* bits, DWORD size) {
  static const BYTE kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 24 && std::memcmp(bits, kPng, sizeof(kPng)) == 0)
    return (bits[16] << 24) | (bits[17] << 16) | (bits[18] << 8) | bits[19];
  if (size < sizeof(BITMAPINFOHEADER)) return -1;
  BITMAPINFOHEADER header;
  std::memcpy(&header, bits, sizeof(header));
  return header.biWidth;
}

TEST(ProgramIcon, TheGroupHoldsAnImageDrawnForEachSize) {
  const HMODULE module = GetModuleHandleW(nullptr);
  ASSERT_TRUE(hasProgramIcon());
  const HRSRC group = FindResourceW(module, programIconName(), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  ASSERT_NE(directory, nullptr);
  for (const int size : {16, 32, 48, 256}) {
    // The system's own choice of image for that size.
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    ASSERT_NE(id, 0) << size;
    const HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON);
    ASSERT_NE(image, nullptr) << size;
    const auto* bits = static_cast<const BYTE*>(LockResource(LoadResource(module, image)));
    ASSERT_NE(bits, nullptr) << size;
    EXPECT_EQ(imageWidth(bits, SizeofResource(module, image)), size)
        << "no image of " << size << " pixels: the system would scale another";
  }
}

int iconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return -1;
  BITMAP bitmap{};
  const HBITMAP colour = info.hbmColor ? info.hbmColor : info.hbmMask;
  const int width = GetObjectW(colour, sizeof(bitmap), &bitmap) ? bitmap.bmWidth : -1;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return width;
}

TEST(ProgramIcon, TheWindowClassesCarryIt) {
  Win32Windowing windowing;
  WindowEvents events;
  const auto window = windowing.createWindow(
      WindowDesign{"frmTestIcon", "icon", WindowStyle::ToolDialog, 120, 40, 0}, events);
  const HWND hwnd = reinterpret_cast<HWND>(window->handle());
  ASSERT_TRUE(IsWindow(hwnd));
  const auto large = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
  const auto small = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM));
  EXPECT_EQ(iconWidth(large), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(iconWidth(small), GetSystemMetrics(SM_CXSMICON));
}

}  // namespace
}  // namespace vesk::platform::win32
