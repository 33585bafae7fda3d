// Every hotkey id reaches its method; the numeric-pad ids act as their
// main-row twins; the quit key closes both strips.
#include <gtest/gtest.h>

#include <functional>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using testing::Overlay;

TEST(HotkeyDispatch, EachIdAndItsNumericPadTwinRunTheirAction) {
  const struct {
    int id;
    int twin;  // 0: none
    std::function<bool(Overlay&)> happened;
  } cases[] = {
      {1025, 0, [](Overlay& o) { return o.form.state().maxHP == 90; }},
      {1026, 0, [](Overlay& o) { return o.form.state().maxHP == 110; }},
      {1027, 0, [](Overlay& o) { return o.form.state().swRunning; }},
      {1028, 0, [](Overlay& o) { return o.mainControl("txtMenu", 0).text == "0:00:00.00"; }},
      {1029, 1039,
       [](Overlay& o) {
         return o.main().rect == Rect{0, 0, 1024, 190};
       }},  // parks
      {1030, 1040, [](Overlay& o) { return !o.form.state().allVisible; }},
      {1032, 1042, [](Overlay& o) { return o.form.state().fontSize == 10; }},
      {1033, 1043, [](Overlay& o) { return o.form.state().fontSize == 12; }},
      {1034, 1044, [](Overlay& o) { return !o.form.state().fontBold; }},
      {1035, 1045, [](Overlay& o) { return o.form.state().compactMode == 1; }},
      {1036, 1046, [](Overlay& o) { return o.form.state().btnPos == 1; }},
      {1037, 1047, [](Overlay& o) { return o.form.state().ptLine == 0; }},  // on without arguments
      {1031, 1041,
       [](Overlay& o) {
         return o.form.unloaded() && o.fake.windowing.quitRequested &&
                o.fake.windowing.window("frmVESK2") == nullptr;
       }},
  };
  for (const auto& c : cases) {
    for (const int id : {c.id, c.twin}) {
      if (id == 0) continue;
      Overlay o;
      o.addGame({100, 50, 1132, 842}, 1024, 768);
      o.load();
      o.form.onTimer();
      if (id == 1028) o.form.controls().at("txtMenu", 0).text = "0:00:05.00";
      o.form.onHotKey(id);
      EXPECT_TRUE(c.happened(o)) << "hotkey " << id;
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
