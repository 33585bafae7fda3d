// Combo box controls as real drop-down lists: created for the data, kept in
// step with it, and reporting the user's picks and keys to the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "combo_lists.h"
#include "platform/win32/control_geometry.h"
#include "platform/win32/windowing_win32.h"

namespace vesk::platform::win32 {
namespace {

struct ListEvents : WindowEvents {
  std::vector<std::string> log;
  std::function<void()> onTimerDo;
  void onTimer() override {
    if (onTimerDo) onTimerDo();
  }
  void onSelect(const std::string& control, int index, int selected) override {
    log.push_back("select " + control + "(" + std::to_string(index) + ") " +
                  std::to_string(selected));
  }
  void onKeyPress(const std::string& control, int index, int key) override {
    log.push_back("key " + control + "(" + std::to_string(index) + ") " + std::to_string(key));
  }
};

HWND hwndOf(const Window& window) { return reinterpret_cast<HWND>(window.handle()); }

std::wstring itemText(HWND combo, int item) {
  wchar_t text[64] = {};
  if (SendMessageW(combo, CB_GETLBTEXTLEN, item, 0) >= 64) return L"(too long)";
  SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
  return text;
}

class Win32ComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = windowing.createWindow(
        WindowDesign{"frmTestCombo", "lists", WindowStyle::ToolDialog, 200, 60, 0x400040}, events);
    ASSERT_NE(window, nullptr);
  }
  Win32Windowing windowing;
  ListEvents events;
  std::unique_ptr<Window> window;
};

TEST_F(Win32ComboTest, AComboBoxControlIsARealDropDownListInItsPlace) {
  window->present({list(4, 10, {"2009年", "2010年"}, 1)});
  const std::vector<HWND> found = combos(*window);
  ASSERT_EQ(found.size(), 1u);
  const LONG style = GetWindowLongW(found[0], GWL_STYLE);
  EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_NE(SendMessageW(found[0], WM_GETFONT, 0, 0), 0);
  RECT r{};
  ASSERT_TRUE(GetWindowRect(found[0], &r));
  POINT corner{r.left, r.top};
  ASSERT_TRUE(ScreenToClient(hwndOf(*window), &corner));
  EXPECT_EQ(corner.x, 10);
  EXPECT_EQ(corner.y, 8);
  EXPECT_EQ(r.right - r.left, 49);
  EXPECT_EQ(SendMessageW(found[0], CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(itemText(found[0], 0), L"2009年");
  EXPECT_EQ(SendMessageW(found[0], CB_GETCURSEL, 0, 0), 1);
  // Sixty items scroll in a list about ten items high.
  std::vector<std::string> minutes;
  for (int i = 0; i < 60; ++i) minutes.push_back(std::to_string(i) + "分");
  window->present({list(4, 10, minutes, 1)});
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof(parts);
  ASSERT_TRUE(GetComboBoxInfo(found[0], &parts));
  EXPECT_TRUE(GetWindowLongW(parts.hwndList, GWL_STYLE) & WS_VSCROLL);
  ASSERT_TRUE(GetWindowRect(found[0], &r));
  const LRESULT itemHeight = SendMessageW(found[0], CB_GETITEMHEIGHT, 0, 0);
  ASSERT_GT(itemHeight, 0);
  // With or without the field (systems differ), about ten items high.
  SendMessageW(found[0], CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_GE(r.bottom - r.top, 10 * itemHeight);
  EXPECT_LE(r.bottom - r.top, 11 * itemHeight + 24);
  // Not a painted control: no repaint area, no mouse hit.
  EXPECT_TRUE(changedAreas({}, {list(4, 10, {}, -1)}).empty());
  EXPECT_EQ(controlAt({list(4, 10, {}, -1)}, POINT{20, 10}), nullptr);
}

TEST_F(Win32ComboTest, ItemsSelectionAndVisibilityFollowTheData) {
  window->present({list(0, 10, {"1月", "2月"}, 0)});
  const HWND combo = combos(*window).at(0);
  window->present({list(0, 10, {"1月", "2月", "3月"}, 2)});
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(itemText(combo, 2), L"3月");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  window->present({list(0, 10, {"1月", "2月", "3月"}, -1)});
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  Control hidden = list(0, 10, {"1月"}, 0);
  hidden.visible = false;
  window->present({hidden});
  EXPECT_FALSE(GetWindowLongW(combo, GWL_STYLE) & WS_VISIBLE);
  window->present({});
  EXPECT_FALSE(IsWindow(combo));
}

TEST_F(Win32ComboTest, AUserPickReachesTheProgram) {
  const std::vector<std::string> minutes{"0分", "1分", "2分", "3分"};
  window->present({list(3, 10, minutes, 0)});
  const HWND combo = combos(*window).at(0);
  // A pick with the mouse: the list's selection and its notification.
  SendMessageW(combo, CB_SETCURSEL, 2, 0);
  SendMessageW(hwndOf(*window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  // A pick with the keyboard: the list moves on and notifies by itself.
  SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(events.log, (std::vector<std::string>{"select Combo1(3) 2", "select Combo1(3) 3"}));
  // The program's data now says 3: presenting it sends nothing back.
  window->present({list(3, 10, minutes, 3)});
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(events.log.size(), 2u);
}

TEST_F(Win32ComboTest, TabGoesByTabIndexNotByListOrder) {
  window->present({list(0, 70, {"a"}, 0, 2), list(1, 130, {"b"}, 0, 3), list(4, 10, {"c"}, 0, 1)});
  const std::vector<HWND> found = combos(*window);  // z-order, top first
  ASSERT_EQ(found.size(), 3u);
  RECT first{};
  GetWindowRect(found[0], &first);
  RECT last{};
  GetWindowRect(found[2], &last);
  EXPECT_LT(first.left, last.left);
  EXPECT_EQ(GetNextDlgTabItem(hwndOf(*window), found[0], FALSE), found[1]);
  EXPECT_EQ(GetNextDlgTabItem(hwndOf(*window), found[1], FALSE), found[2]);
}

TEST_F(Win32ComboTest, FocusEnterAndEscapeInAListInTheModalLoop) {
  // Asked for before the list exists, as a load step may: it gets the
  // keyboard once it is made and the window comes up.
  window->setFocus("Combo1", 4);
  window->present({list(4, 10, {"a", "b"}, 0), list(0, 70, {"c"}, 0)});
  const HWND year = combos(*window).at(0);
  bool focused = false;
  int ticks = 0;
  events.onTimerDo = [&] {
    if (++ticks == 1) {
      focused = GetFocus() == year;
      PostMessageW(year, WM_KEYDOWN, VK_RETURN, 0);
      PostMessageW(year, WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (events.log.size() >= 2 || ticks > 200) {
      window->destroy();
    }
  };
  window->setTimer(10, true);
  window->runModal();
  EXPECT_TRUE(focused);
  EXPECT_EQ(events.log, (std::vector<std::string>{"key Combo1(4) 13", "key Combo1(4) 27"}));
}

}  // namespace
}  // namespace vesk::platform::win32
