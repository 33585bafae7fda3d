// The editor's load step: the preset, the lists, the colour and the place.
#include <gtest/gtest.h>

#include "editor/deadline_fields.h"
#include "editor_fixture.h"

namespace vesk::testing {
namespace {

using platform::fake::FakeWindow;

TEST(EditorLoad, FieldsShowTheStoredDeadlineOrThePresentMinute) {
  struct Case {
    const char* file;  // nullptr: no file
    const char* fields;
  };
  const Case cases[] = {
      {"2010/09/25 18:00\r\n", "2010年 9月 25日 18時 0分"},
      {nullptr, "2010年 3月 6日 9時 5分"},  // 09:05:59 cut to the minute
      {"hello\r\n", "2010年 3月 6日 9時 5分"},
      {"2009/12/31 23:59\r\n", "2009年 12月 31日 23時 59分"},
  };
  for (const Case& c : cases) {
    Editor e;
    e.fake.clock.setNow(DateTime{2010, 3, 6, 9, 5, 59});
    if (c.file) e.fake.files.put(kTamaPath, c.file);
    e.open();
    EXPECT_EQ(e.shownFields, c.fields) << (c.file ? c.file : "no file");
  }
}

TEST(EditorLoad, ListsHoldTheirRangesAndTheYearsAroundThePreset) {
  struct Case {
    const char* file;
    int listIndex;
    std::size_t count;
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {nullptr, 4, 2, "2010年", "2011年"},
      {"2009/05/01 00:00", 4, 3, "2009年", "2011年"},
      {"2030/05/01 00:00", 4, 21, "2010年", "2030年"},
      {nullptr, 0, 12, "1月", "12月"},
      {nullptr, 1, 31, "1日", "31日"},
      {nullptr, 2, 24, "0時", "23時"},
      {nullptr, 3, 60, "0分", "59分"},
  };
  for (const Case& c : cases) {
    Editor e;
    if (c.file) e.fake.files.put(kTamaPath, c.file);
    e.open([&](FakeWindow& w) {
      const auto& items = Editor::list(w, c.listIndex).items;
      ASSERT_EQ(items.size(), c.count) << c.listIndex;
      EXPECT_EQ(items.front(), c.first);
      EXPECT_EQ(items.back(), c.last);
    });
  }
}

TEST(EditorLoad, EachRandomBandGivesItsBackColour) {
  struct Case {
    double random;
    Colour colour;
  };
  const Case cases[] = {{0.0, 0x000000},   {0.1249, 0x000000}, {0.125, 0x000040}, {0.25, 0x404080},
                        {0.375, 0x004040}, {0.5, 0x004000},    {0.625, 0x404000}, {0.75, 0x400000},
                        {0.875, 0x400040}, {0.9999, 0x400040}};
  for (const Case& c : cases) {
    Editor e;
    e.fake.system.randomValues = {c.random};
    Colour checkBack = 0;
    e.open([&](FakeWindow& w) {
      for (const auto& control : w.controls)
        if (control.name == "Check1") checkBack = control.backColour;
      EXPECT_EQ(w.design.backColour, c.colour) << c.random;
    });
    EXPECT_EQ(checkBack, c.colour) << c.random;
  }
}

TEST(EditorLoad, PicksOutsideTheUnitIntervalAreHeldToTheEnds) {
  EXPECT_EQ(colourPick(1.0), 8);
  EXPECT_EQ(colourPick(-0.5), 1);
  EXPECT_EQ(colourPick(std::numeric_limits<double>::quiet_NaN()), 1);
}

TEST(EditorLoad, WindowLies20TwipsInsideTheMainStripsCorner) {
  struct Case {
    Rect main;
    int twipsPerPixel;
    int left;
    int top;
  };
  const Case cases[] = {
      {{100, 50, 900, 250}, 15, 101, 51},    // 1520 / 15 = 101.33
      {{100, 50, 900, 250}, 12, 102, 52},    // 1220 / 12 = 101.67
      {{100, 101, 900, 250}, 40, 100, 102},  // 100.5 and 101.5: halves to even
      {{-300, 0, 0, 200}, 15, -299, 1},
  };
  for (const Case& c : cases) {
    Editor e;
    e.fake.system.twipsX = e.fake.system.twipsY = c.twipsPerPixel;
    e.open(
        [&](FakeWindow& w) {
          EXPECT_EQ(w.rect.left, c.left);
          EXPECT_EQ(w.rect.top, c.top);
        },
        c.main);
  }
}

TEST(EditorLoad, WindowIsATopmostToolDialogWithTheDesignedControls) {
  Editor e;
  e.open([&](FakeWindow& w) {
    EXPECT_EQ(w.design.caption, "狩人珠劣化期限");
    EXPECT_EQ(w.design.style, platform::WindowStyle::ToolDialog);
    EXPECT_EQ(w.rect, (Rect{1, 1, 286, 67}));  // main strip at 0, 0
    ASSERT_EQ(e.fake.windowing.zOrderCalls.size(), 1u);
    EXPECT_EQ(e.fake.windowing.zOrderCalls[0].window, w.handle());
    EXPECT_EQ(e.fake.windowing.zOrderCalls[0].insertAfter, platform::kHwndTopmost);
    EXPECT_EQ(e.fake.windowing.zOrderCalls[0].flags, 3u);
    std::string words;
    for (const auto& c : w.controls) {
      if (c.name == "txtMenu") words += c.text + "/";
      if (c.name == "Check1") {
        EXPECT_FALSE(c.visible);
        EXPECT_EQ(c.selected, 1);
      }
    }
    EXPECT_EQ(words, "Ok/Cancel/Delete/");
  });
}

TEST(EditorLoad, FirstActivationPutsTheKeyboardOnTheYearListALaterOneKeepsTheList) {
  Editor e;
  e.open([&](FakeWindow& w) {
    w.events().onActivate();
    EXPECT_EQ(w.focus, (std::pair<std::string, int>{"Combo1", 4}));
    w.focus = {"Combo1", 1};  // the user moves to the day list, leaves, comes back
    w.events().onActivate();
    EXPECT_EQ(w.focus, (std::pair<std::string, int>{"Combo1", 1}));
  });
}

TEST(EditorLoad, RefusedWindowReturnsAtOnce) {
  Editor e;
  e.fake.files.put(kTamaPath, "2010/09/25 18:00\r\n");
  e.fake.windowing.refuseWindows = true;
  bool ran = false;
  e.open([&](FakeWindow&) { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_EQ(e.file(), "2010/09/25 18:00\r\n");
}

}  // namespace
}  // namespace vesk::testing
