// updMenu against the two strips' designs: the menu slots, the caravan box,
// the calendar date and the marker labels.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>

#include "common/rounding.h"
#include "panel/layout.h"
#include "panel/main_design.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_files.h"
#include "secondary/frm_vesk2_design.h"

namespace vesk {
namespace {

struct Box {
  double left, top, width, height;
  friend bool operator==(const Box&, const Box&) = default;
  friend std::ostream& operator<<(std::ostream& o, const Box& b) {
    return o << b.left << "," << b.top << " " << b.width << "x" << b.height;
  }
};
Box boxOf(const platform::Control& c) { return {c.left, c.top, c.width, c.height}; }

Timestamp at(int y, int mo, int d, int h, int mi) { return toTimestamp({y, mo, d, h, mi, 0}); }

struct Panel {
  Panel() {
    mod.pathTama = "C:\\vesk\\caravan_tama.txt";
    mod.pathQue = "C:\\vesk\\caravan_que.txt";
    mod.pathFushi = "C:\\vesk\\caravan_fushi.txt";
    clock.setNow(at(2010, 3, 6, 9, 5));  // hour mark ★6,7
  }
  void layout(bool bAllVisible) {
    updMenu(bAllVisible, s, mod, {clock.now(), width}, main, second);
  }
  platform::fake::FakeFiles files;
  platform::fake::FakeClock clock;
  ModVESK mod{files, clock};
  MainState s;
  float width = 800;
  ControlSet main{frmVESKControls(15, 15)};
  ControlSet second{frmVESK2Controls(15, 15)};
};

TEST(PanelLayout, MenuSlotsBySizeSideAndSettings) {
  struct Row {
    const char* name;
    struct {
      std::int16_t fontSize, compactMode, btnPos;
      bool parking;
      float width;
      std::int16_t maxHP;
      bool allVisible, fontBold;
    } in;
    Box button[4];
    Box line[4];
    const char* texts[3];
  };
  const Row rows[] = {
      {"start-up",
       {11, 0, 0, false, 800, 100, true, true},
       {{0, 0, 80, 24}, {0, 24, 50, 20}, {0, 44, 50, 20}, {0, 64, 50, 20}},
       {{5, 3, 70, 16}, {5, 27, 40, 13}, {5, 47, 40, 13}, {5, 67, 40, 13}},
       {"HP100", "Hide", "End"}},
      {"right side",
       {11, 0, 1, false, 800, 100, true, true},
       {{720, 0, 80, 24}, {750, 24, 50, 20}, {750, 44, 50, 20}, {750, 64, 50, 20}},
       {{725, 3, 70, 16}, {755, 27, 40, 13}, {755, 47, 40, 13}, {755, 67, 40, 13}},
       {"HP100", "Hide", "End"}},
      {"right side while parked",
       {11, 0, 1, true, 800, 50, true, true},
       {{0, 0, 80, 24}, {0, 24, 50, 20}, {0, 44, 50, 20}, {0, 64, 50, 20}},
       {{5, 3, 70, 16}, {5, 27, 40, 13}, {5, 47, 40, 13}, {5, 67, 40, 13}},
       {"HP50", "Hide", "End"}},
      {"12 pt at Left 0: 7.5 to 8",
       {12, 0, 0, false, 800, 100, true, true},
       {{0, 0, 95, 24}, {0, 24, 50, 20}, {0, 44, 50, 20}, {0, 64, 50, 20}},
       {{8, 3, 80, 16}, {5, 27, 40, 13}, {5, 47, 40, 13}, {5, 67, 40, 13}},
       {"HP100", "Hide", "End"}},
      {"12 pt at Left 1: 8.5 to 8",
       {12, 0, 1, false, 96, 100, true, true},
       {{1, 0, 95, 24}, {46, 24, 50, 20}, {46, 44, 50, 20}, {46, 64, 50, 20}},
       {{8, 3, 80, 16}, {51, 27, 40, 13}, {51, 47, 40, 13}, {51, 67, 40, 13}},
       {"HP100", "Hide", "End"}},
      {"14 pt small",
       {14, 2, 0, false, 800, 150, true, true},
       {{0, 0, 110, 28}, {0, 28, 25, 20}, {0, 48, 25, 20}, {0, 68, 25, 20}},
       {{5, 3, 100, 20}, {5, 31, 15, 13}, {5, 51, 15, 13}, {5, 71, 15, 13}},
       {"15", "i", "e"}},
      {"10 pt small, marks hidden",
       {10, 2, 0, false, 800, 50, false, true},
       {{0, 0, 75, 22}, {0, 22, 25, 20}, {0, 42, 25, 20}, {0, 62, 25, 20}},
       {{5, 3, 65, 16}, {5, 25, 15, 13}, {5, 45, 15, 13}, {5, 65, 15, 13}},
       {"5", "o", "e"}},
      {"medium, marks hidden, regular",
       {11, 1, 0, false, 800, 100, false, false},
       {{0, 0, 80, 24}, {0, 24, 40, 20}, {0, 44, 40, 20}, {0, 64, 40, 20}},
       {{5, 3, 70, 16}, {5, 27, 30, 13}, {5, 47, 30, 13}, {5, 67, 30, 13}},
       {"100", "Show", "End"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Panel p;
    p.s.fontSize = r.in.fontSize;
    p.s.compactMode = r.in.compactMode;
    p.s.btnPos = r.in.btnPos;
    p.s.parking = r.in.parking;
    p.s.maxHP = r.in.maxHP;
    p.s.allVisible = r.in.allVisible;
    p.s.fontBold = r.in.fontBold;
    p.width = r.in.width;
    p.layout(r.in.allVisible);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(boxOf(p.main.at("cmdMenu", i)), r.button[i]) << "slot " << i;
      EXPECT_EQ(boxOf(p.main.at("txtMenu", i)), r.line[i]) << "slot " << i;
      const platform::Font& f = p.main.at("txtMenu", i).font;
      EXPECT_EQ(
          std::tie(f.name, f.points, f.bold, f.charset),
          std::make_tuple(std::string("Arial"), i == 0 ? r.in.fontSize : 9.0, r.in.fontBold, 0))
          << "slot " << i;
    }
    for (int i = 1; i < 4; ++i) EXPECT_EQ(p.main.at("txtMenu", i).text, r.texts[i - 1]);
  }
}

TEST(PanelLayout, CaravanBoxByCalendarAndDeadline) {
  struct Row {
    const char* name;
    struct {
      bool queFile;
      std::int16_t gemFileState;
      bool placePending, calendarDirty;
    } in;
    struct {
      const char* text;
      const char* font;
      Box button, line;
    } out;
  };
  const Row rows[] = {
      {"calendar and deadline",
       {true, -1, false, true},
       {"Q1⇒Q1⇒Q1\r\n09/25 18:00 (★6,7)", "MS UI Gothic", {0, 0, 131, 29}, {3, 4, 125, 24}}},
      {"calendar only",
       {true, 0, false, true},
       {"Q1⇒Q1⇒Q1", "MS UI Gothic", {0, 0, 131, 19}, {3, 4, 125, 13}}},
      {"deadline only",
       {false, -1, false, true},
       {"09/25 18:00 (★6,7)", "MS UI Gothic", {0, 0, 131, 19}, {3, 4, 125, 13}}},
      {"neither", {false, 0, false, true}, {"Tama", "Arial", {0, 0, 50, 19}, {8, 4, 35, 13}}},
      {"placement pending reloads",
       {true, 0, true, false},
       {"Q1⇒Q1⇒Q1", "MS UI Gothic", {0, 0, 131, 19}, {3, 4, 125, 13}}},
      {"no reload, no table yet",
       {true, 0, false, false},
       {"Tama", "Arial", {0, 0, 50, 19}, {8, 4, 35, 13}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Panel p;
    if (r.in.queFile) p.files.put(p.mod.pathQue, "1,Q1\r\n");
    p.s.gemFileState = r.in.gemFileState;
    p.s.P_CaravanDate = at(2010, 9, 25, 18, 0);
    p.s.placePending = r.in.placePending;
    p.s.calendarDirty = r.in.calendarDirty;
    p.layout(true);
    const platform::Control& line = p.second.at("txtMenu", 4);
    EXPECT_EQ(line.text, r.out.text);
    EXPECT_EQ(line.font.name, r.out.font);
    EXPECT_EQ(line.font.points, 9);
    EXPECT_EQ(boxOf(p.second.at("cmdMenu", 4)), r.out.button);
    EXPECT_EQ(boxOf(line), r.out.line);
    EXPECT_FALSE(p.s.calendarDirty);
    EXPECT_FALSE(p.main.at("cmdMenu", 4).visible);
    EXPECT_FALSE(p.main.at("txtMenu", 4).visible);
  }
}

TEST(PanelLayout, CalendarDateMovesByDayOffset) {
  struct Row {
    Timestamp now;
    std::int16_t dayOffset;
    const char* caption;
    const char* calendar;
  };
  const Row rows[] = {
      {at(2009, 9, 16, 13, 0), 0, "09/16", "Q1⇒Q2⇒Q3"},
      {at(2009, 9, 16, 13, 0), 1, "09/17", "Q2⇒Q3⇒Q1"},
      {at(2009, 9, 16, 13, 0), -1, "09/15", "Q3⇒Q1⇒Q2"},
      {at(2009, 9, 30, 13, 0), 1, "10/01", "Q1⇒Q2⇒Q3"},
      {at(2009, 12, 31, 13, 0), 1, "01/01", "Q3⇒Q1⇒Q2"},
  };
  for (const Row& r : rows) {
    Panel p;
    p.files.put(p.mod.pathQue, "1,Q1\r\n2,Q2\r\n3,Q3\r\n");
    p.clock.setNow(r.now);
    p.s.dayOffset = r.dayOffset;
    p.s.calendarDirty = true;
    p.layout(true);
    EXPECT_EQ(p.main.at("Command1").text, r.caption) << r.dayOffset;
    EXPECT_EQ(p.second.at("txtMenu", 4).text, r.calendar) << r.caption;
  }
}

TEST(PanelLayout, StopwatchLineKeepsItsTime) {
  Panel p;
  p.main.at("txtMenu", 0).text = "0:12:34.56";
  for (const std::int16_t size : {10, 14, 11}) {
    p.s.fontSize = size;
    p.layout(size != 14);
    EXPECT_EQ(p.main.at("txtMenu", 0).text, "0:12:34.56");
  }
}

TEST(PanelLayout, HealthScaleMarksAndCaptions) {
  struct Row {
    double top, height, left, nameLeft;
    const char* caption;
  };
  const Row rows[16] = {
      {15, 35, 100.5, 91.5, "0"},    {25, 10, 130.25, 121.25, "10"},
      {15, 20, 160, 151, "20"},      {25, 10, 189.75, 180.75, "30"},
      {15, 20, 219.5, 210.5, "40"},  {25, 10, 249.25, 240.25, "50"},
      {15, 20, 279, 270, "60"},      {25, 10, 308.75, 299.75, "70"},
      {15, 20, 338.5, 329.5, "80"},  {25, 10, 368.25, 359.25, "90"},
      {15, 20, 398, 389, "100"},     {25, 10, 427.75, 418.75, "110"},
      {25, 10, 457.5, 448.5, "120"}, {25, 10, 487.25, 478.25, "130"},
      {25, 10, 517, 508, "140"},     {15, 35, 546.75, 537.75, "150"},
  };
  for (const bool shown : {true, false}) {
    Panel p;
    p.s.meterStep = 29.75;
    p.s.meterLeft = 100.5;
    p.layout(shown);
    for (int d = 0; d < 16; ++d) {
      const platform::Control& line = p.main.at("lblHPLine", d);
      const platform::Control& name = p.main.at("lblHPName", d);
      EXPECT_EQ(boxOf(line), (Box{rows[d].left, rows[d].top, 2, rows[d].height})) << d;
      EXPECT_EQ(boxOf(name), (Box{rows[d].nameLeft, 3, 20, 12})) << d;
      EXPECT_EQ(name.text, rows[d].caption);
      EXPECT_EQ(name.backColour, 0xC0C0C0u) << d;
      EXPECT_EQ(line.visible, shown) << d;
      EXPECT_EQ(name.visible, shown) << d;
    }
  }
}

TEST(PanelLayout, StaminaAndPartyLinesByMarksAndSetting) {
  const double staminaLeft[7] = {100.5, 174.875, 249.25, 323.625, 398, 472.375, 546.75};
  const double partyTop[4] = {117, 138, 160, 182};
  struct Row {
    bool bAllVisible;
    std::int16_t ptLine;
    const char* stamina;  // visibility of lblSTLine(0..6)
    const char* party;    // visibility of lblPTLine(0..3), each set to 1010 before
  };
  const Row rows[] = {
      {true, 1, "0111110", "0111"},  {false, 1, "0000000", "0000"}, {true, 0, "0111110", "0000"},
      {false, 0, "0000000", "0000"}, {true, 2, "0111110", "1010"},  {false, 2, "0000000", "1010"},
  };
  for (const Row& r : rows) {
    Panel p;
    p.s.ptLine = r.ptLine;
    p.s.meterStep = 29.75;
    p.s.meterLeft = 100.5;
    for (int e = 0; e < 4; ++e) p.main.at("lblPTLine", e).visible = e % 2 == 0;
    p.layout(r.bAllVisible);
    std::string stamina, party;
    for (int i = 0; i < 7; ++i) {
      const platform::Control& mark = p.main.at("lblSTLine", i);
      EXPECT_EQ(boxOf(mark), (Box{staminaLeft[i], 38, 2, 10})) << i;
      stamina += mark.visible ? '1' : '0';
    }
    for (int e = 0; e < 4; ++e) {
      const platform::Control& line = p.main.at("lblPTLine", e);
      EXPECT_EQ(boxOf(line), (Box{78, partyTop[e], 2, 2})) << e;
      party += line.visible ? '1' : '0';
    }
    EXPECT_EQ(stamina, r.stamina) << r.bAllVisible << " " << r.ptLine;
    EXPECT_EQ(party, r.party) << r.bAllVisible << " " << r.ptLine;
  }
}

TEST(PanelLayout, PositionsOfZeroStayAndOverflowStops) {
  platform::Control c;
  c.left = 5;
  c.top = 6;
  c.width = 7;
  c.height = 8;
  setCtlPos(c, 0, 3, 0, 4);
  EXPECT_EQ(boxOf(c), (Box{3, 6, 4, 8}));
  setCtlPos(c, 9, 0, 1, 0);
  EXPECT_EQ(boxOf(c), (Box{3, 9, 4, 1}));

  Panel p;
  p.s.btnPos = 1;
  p.width = 40000;
  EXPECT_THROW(p.layout(true), OverflowError);
}

}  // namespace
}  // namespace vesk
