// Every hotkey id reaches its method and no other; the numeric-pad ids act as
// their main-row twins; the quit key closes both strips.
#include <gtest/gtest.h>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using testing::Effects;
using testing::Overlay;

TEST(HotkeyDispatch, EachIdAndItsNumericPadTwinDoTheirActionAndNothingElse) {
  const struct {
    int id;
    int twin;  // 0: none
    void (*change)(Effects&);
  } cases[] = {
      {1025, 0, [](Effects& e) { e.maxHP = 90; }},
      {1026, 0, [](Effects& e) { e.maxHP = 110; }},
      {1027, 0, [](Effects& e) { e.swRunning = true; }},
      {1028, 0, [](Effects& e) { e.stopwatch = "0:00:00.00"; }},
      {1029, 1039,
       [](Effects& e) {  // parks
         e.main = {0, 0, 1024, 190};
         e.secondShown = false;
         e.allVisible = false;
       }},
      {1030, 1040, [](Effects& e) { e.allVisible = false; }},
      {1031, 1041,
       [](Effects& e) {
         e.unloaded = true;
         e.main = {};
         e.secondShown = false;
       }},
      {1032, 1042, [](Effects& e) { e.settings.fontSize = 10; }},
      {1033, 1043, [](Effects& e) { e.settings.fontSize = 12; }},
      {1034, 1044, [](Effects& e) { e.settings.fontBold = false; }},
      {1035, 1045, [](Effects& e) { e.settings.compactMode = 1; }},
      {1036, 1046, [](Effects& e) { e.settings.btnPos = 1; }},
      {1037, 1047, [](Effects& e) { e.settings.ptLine = 0; }},  // on without arguments
      {1038, 1048, [](Effects& e) { e.editorOpenings = 1; }},
      {1054, 0, [](Effects& e) { e.shortcutSaves = 3; }},
  };
  for (const auto& c : cases) {
    for (const int id : {c.id, c.twin}) {
      if (id == 0) continue;
      testing::Placed o;
      o.form.controls().at("txtMenu", 0).text = "0:00:05.00";  // a stopped stopwatch
      Effects expected = o.effects();
      c.change(expected);
      o.form.onHotKey(id);
      EXPECT_EQ(o.effects(), expected) << "hotkey " << id;
    }
  }
}

TEST(HotkeyDispatch, TheMarksHideAndShowWithTheDisplayToggle) {
  Overlay o;
  o.addGame({100, 50, 1132, 842}, 1024, 768);
  o.load();
  o.form.onTimer();
  const auto shownMarks = [&o] {
    int shown = 0;
    for (const auto& c : o.main().controls) {
      if (c.visible && (c.name == "lblHPLine" || c.name == "lblKajiLine")) ++shown;
    }
    return shown;
  };
  EXPECT_EQ(shownMarks(), 16 + 4);  // the scale and four adrenaline marks at 100
  o.form.onHotKey(1030);
  EXPECT_EQ(shownMarks(), 0);
  EXPECT_EQ(o.mainControl("txtMenu", 2).text, "Show");
  o.form.onHotKey(1040);
  EXPECT_EQ(shownMarks(), 20);
  EXPECT_EQ(o.mainControl("txtMenu", 2).text, "Hide");
}

TEST(HotkeyDispatch, TheTogglesLayThePanelOutAgain) {
  // Each step's hotkey, then a rule on what is drawn: the HP box, and the
  // last adrenaline mark, against the same before it.
  using platform::Control;
  const struct {
    const char* step;
    int id;
    bool (*laidOut)(const Control& box, const Control& boxBefore, const Control& mark,
                    const Control& markBefore);
  } steps[] = {
      {"smaller buttons", 1035,
       [](const Control& b, const Control& b0, const Control&, const Control&) {
         return b.width < b0.width;
       }},
      {"buttons to the right", 1036,
       [](const Control& b, const Control&, const Control&, const Control&) {
         return b.left > 900;
       }},
      {"buttons back to the left", 1036,
       [](const Control& b, const Control&, const Control&, const Control&) {
         return b.left == 0;
       }},
      {"HP 10 less", 1025,
       [](const Control&, const Control&, const Control& m, const Control& m0) {
         return m.left < m0.left;
       }},
  };
  testing::Placed o;
  const auto drawn = [&o](const char* name, int index) {
    for (const Control& c : o.main().controls) {
      if (c.name == name && c.index == index) return c;
    }
    return Control{};
  };
  for (const auto& st : steps) {
    const Control box = drawn("cmdMenu", 1), mark = drawn("lblKajiLine", 4);
    o.form.onHotKey(st.id);
    EXPECT_TRUE(st.laidOut(drawn("cmdMenu", 1), box, drawn("lblKajiLine", 4), mark)) << st.step;
  }
}

TEST(HotkeyDispatch, UnusedIdsAndTheEditorKeyChangeNothingYet) {
  Overlay o;
  o.load();
  o.form.onTimer();
  const MainState before = o.form.state();
  const auto controls = o.form.controls().all();
  for (const int id : {1038, 1048, 1049, 1053, 1024, 1055}) o.form.onHotKey(id);
  EXPECT_EQ(o.form.state().maxHP, before.maxHP);
  EXPECT_EQ(o.form.state().allVisible, before.allVisible);
  EXPECT_EQ(o.form.controls().all().size(), controls.size());
  EXPECT_FALSE(o.form.unloaded());
}

}  // namespace
}  // namespace vesk
