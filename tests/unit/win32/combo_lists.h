// The editor's drop-down lists as the tests make and find them.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/control.h"
#include "platform/windowing.h"

namespace vesk::platform::win32 {

// A list "Combo1" of the given index, 49 x 20 pixels at (left, 8).
inline Control list(int index, double left, std::vector<std::string> items, int selected,
                    int tabIndex = -1) {
  Control c;
  c.kind = ControlKind::ComboBox;
  c.name = "Combo1";
  c.index = index;
  c.left = left;
  c.top = 8;
  c.width = 49;
  c.height = 20;
  c.items = std::move(items);
  c.selected = selected;
  c.tabIndex = tabIndex;
  return c;
}

// The combo boxes of the window, in Tab order.
inline std::vector<HWND> combos(const Window& window) {
  const auto parent = reinterpret_cast<HWND>(window.handle());
  std::vector<HWND> out;
  for (HWND c = FindWindowExW(parent, nullptr, L"ComboBox", nullptr); c;
       c = FindWindowExW(parent, c, L"ComboBox", nullptr))
    out.push_back(c);
  return out;
}

}  // namespace vesk::platform::win32
