// The adrenaline marks and the bounds of the display toggles.
#include <gtest/gtest.h>

#include <array>

#include "panel/main_design.h"
#include "panel/toggles.h"
#include "timers/adrenaline_meter.h"

namespace vesk {
namespace {

TEST(AdrenalineMeter, MarksAtFortyPercentAndBelowOnTheHealthScale) {
  // Health value of marks 0..4; 0 means hidden.
  const struct {
    std::int16_t maxHP;
    std::array<int, 5> marks;
  } cases[] = {
      {50, {0, 0, 0, 10, 20}},    {60, {0, 0, 4, 14, 24}},     {70, {0, 0, 8, 18, 28}},
      {80, {0, 2, 12, 22, 32}},   {90, {0, 6, 16, 26, 36}},    {100, {0, 10, 20, 30, 40}},
      {110, {0, 14, 24, 34, 44}}, {120, {0, 18, 28, 38, 48}},  {130, {2, 22, 32, 42, 52}},
      {140, {6, 26, 36, 46, 56}}, {150, {10, 30, 40, 50, 60}},
  };
  ControlSet main(frmVESKControls(15, 15));
  MainState s;
  s.meterLeft = 118;
  s.meterStep = 58.8;
  for (const auto& c : cases) {
    s.maxHP = c.maxHP;
    for (const bool shown : {true, false}) {
      SetKajiMeter(shown, s, main);
      for (int i = 0; i < 5; ++i) {
        const platform::Control& mark = main.at("lblKajiLine", i);
        EXPECT_EQ(mark.visible, shown && c.marks[i] > 0) << c.maxHP << " mark " << i;
        if (c.marks[i] == 0) continue;
        EXPECT_DOUBLE_EQ(mark.left, 118 + c.marks[i] * 5.88) << c.maxHP << " mark " << i;
        EXPECT_EQ(mark.top, 15);
        EXPECT_EQ(mark.height, 10);
      }
    }
  }
}

TEST(AdrenalineMeter, HealthTextByButtonSize) {
  const struct {
    std::int16_t compact;
    std::int16_t maxHP;
    const char* text;
  } cases[] = {
      {0, 100, "HP100"}, {0, 50, "HP50"},    {1, 100, "100"}, {2, 150, "15"},
      {2, 50, "5"},      {3, 100, "before"},  // a size the panel lacks leaves the text alone
  };
  ControlSet main(frmVESKControls(15, 15));
  for (const auto& c : cases) {
    MainState s;
    s.compactMode = c.compact;
    s.maxHP = c.maxHP;
    main.at("txtMenu", 1).text = "before";
    SetKajiMeter(true, s, main);
    EXPECT_EQ(main.at("txtMenu", 1).text, c.text) << c.compact << "/" << c.maxHP;
  }
}

TEST(Toggles, StepWithinTheirBounds) {
  const struct {
    void (*step)(MainState&);
    std::int16_t MainState::*field;
    std::int16_t before;
    std::int16_t after;
  } cases[] = {
      {[](MainState& s) { stepFontSize(s, true); }, &MainState::fontSize, 10, 10},
      {[](MainState& s) { stepFontSize(s, true); }, &MainState::fontSize, 11, 10},
      {[](MainState& s) { stepFontSize(s, true); }, &MainState::fontSize, 14, 12},
      {[](MainState& s) { stepFontSize(s, false); }, &MainState::fontSize, 12, 14},
      {[](MainState& s) { stepFontSize(s, false); }, &MainState::fontSize, 14, 14},
      {[](MainState& s) { stepMaxHP(s, true); }, &MainState::maxHP, 50, 50},
      {[](MainState& s) { stepMaxHP(s, true); }, &MainState::maxHP, 100, 90},
      {[](MainState& s) { stepMaxHP(s, false); }, &MainState::maxHP, 140, 150},
      {[](MainState& s) { stepMaxHP(s, false); }, &MainState::maxHP, 150, 150},
      {stepCompact, &MainState::compactMode, 0, 1},
      {stepCompact, &MainState::compactMode, 2, 0},
      {stepCompact, &MainState::compactMode, 5, 5},
      {toggleBtnPos, &MainState::btnPos, 1, 0},
      {toggleBtnPos, &MainState::btnPos, 2, 2},
      {togglePTLine, &MainState::ptLine, 0, 1},
      {togglePTLine, &MainState::ptLine, 7, 7},
  };
  for (const auto& c : cases) {
    MainState s;
    s.*c.field = c.before;
    c.step(s);
    EXPECT_EQ(s.*c.field, c.after) << "from " << c.before;
  }
}

}  // namespace
}  // namespace vesk
