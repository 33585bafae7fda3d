// The two strips before the first layout: sample texts at the design places.
#include <gtest/gtest.h>

#include <string>

#include "panel/control_set.h"
#include "panel/main_design.h"
#include "secondary/frm_vesk2_design.h"

namespace vesk {
namespace {

TEST(PanelDesign, SampleTextsAtTheirDesignPlaces) {
  const char* caravan =
      "属<報>←名→ミ\r\n属性<報>←名所→ミラ\r\n属性バンザイ<大錬珠節>\r\n"
      "09/25 18:00 (2.3day)\r\n＼(^o^)／ｵﾜﾀ\r\n";
  struct Row {
    bool second;
    int tx, ty;
    const char* name;
    int index;
    double left, top, width, height;
    const char* text;
    Colour back;
    const char* font;
  };
  const Row rows[] = {
      {false, 15, 15, "cmdMenu", 0, 0, 0, 70, 20, "", 0x404040, "MS UI Gothic"},
      {false, 15, 15, "txtMenu", 0, 8, 4, 55, 12, "0:00:00.00", 0x404040, "Arial"},
      {false, 15, 15, "txtMenu", 1, 8, 24, 40, 13, "HP100", 0x404040, "Arial"},
      {false, 15, 15, "txtMenu", 2, 5, 43, 45, 13, "ﾐﾗﾄﾘｵ", 0x404040, "MS UI Gothic"},
      {false, 15, 15, "txtMenu", 3, 5, 62, 40, 16, "End", 0x404040, "Arial"},
      {false, 15, 15, "txtMenu", 4, 4, 87, 135, 24, caravan, 0x008080, "MS UI Gothic"},
      {false, 15, 15, "Command1", -1, 0, 112, 41, 21, "10/13", 0xF0F0F0, "MS UI Gothic"},
      {false, 15, 15, "cmdDummy", -1, 780, 76, 9, 17, "Command1", 0xF0F0F0, "MS UI Gothic"},
      {false, 15, 15, "lblHPName", 0, 108, 20, 20, 12, "0", 0x404040, "MS UI Gothic"},
      {false, 15, 15, "lblHPName", 15, 468, 20, 20, 12, "0", 0x404040, "MS UI Gothic"},
      {false, 15, 15, "lblHPLine", 15, 476, 32, 2, 20, "", 0x000000, "ＭＳ Ｐゴシック"},
      {false, 15, 15, "lblSTLine", 6, 476, 56, 2, 10, "", 0x000000, "ＭＳ Ｐゴシック"},
      {false, 15, 15, "lblPTLine", 3, 76, 84, 2, 10, "", 0x000000, "ＭＳ Ｐゴシック"},
      {false, 15, 15, "lblKajiLine", 4, 248, 0, 2, 15, "", 0x0000FF, "ＭＳ Ｐゴシック"},
      {false, 12, 20, "txtMenu", 0, 10, 3, 68.75, 9, "0:00:00.00", 0x404040, "Arial"},
      {true, 15, 15, "cmdMenu", 4, 0, 0, 141, 30, "", 0x404040, "MS UI Gothic"},
      {true, 15, 15, "txtMenu", 4, 4, 3, 135, 24, caravan, 0x008080, "MS UI Gothic"},
      {true, 15, 15, "cmdDummy", -1, 1000, 0, 81, 33, "Command1", 0xF0F0F0, "MS UI Gothic"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.name) + "(" + std::to_string(r.index) + ")");
    const ControlSet set(r.second ? frmVESK2Controls(r.tx, r.ty) : frmVESKControls(r.tx, r.ty));
    const platform::Control& c = set.at(r.name, r.index);
    EXPECT_DOUBLE_EQ(c.left, r.left);
    EXPECT_DOUBLE_EQ(c.top, r.top);
    EXPECT_DOUBLE_EQ(c.width, r.width);
    EXPECT_DOUBLE_EQ(c.height, r.height);
    EXPECT_EQ(c.text, r.text);
    EXPECT_EQ(c.backColour, r.back);
    EXPECT_EQ(c.font.name, r.font);
    EXPECT_TRUE(c.visible);
  }
  const platform::WindowDesign main = frmVESKDesign(15, 15);
  const platform::WindowDesign second = frmVESK2Design(15, 15);
  EXPECT_EQ(main.name, "frmVESK");
  EXPECT_EQ(second.name, "frmVESK2");
  EXPECT_EQ(main.clientWidth, 800);
  EXPECT_EQ(main.clientHeight, 200);
  EXPECT_EQ(second.clientWidth, 200);
  EXPECT_EQ(second.clientHeight, 33);
  EXPECT_EQ(main.backColour, 0xC0C0C0u);
  EXPECT_EQ(second.backColour, 0xC0C0C0u);
}

}  // namespace
}  // namespace vesk
