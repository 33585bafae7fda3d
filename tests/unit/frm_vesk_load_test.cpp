// The main window's load step, hotkeys and shut-down against the fake platform.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "shell/frm_vesk.h"
#include "shell/hotkeys.h"

namespace vesk {
namespace {

using platform::fake::FakePlatform;
using platform::fake::FakeWindow;

struct Program {
  explicit Program(const std::string& arguments = "",
                   const std::string& folder = "C:\\Games\\vesk") {
    fake.system.arguments = arguments;
    fake.system.folder = folder;
  }
  FakeWindow& window() {
    FakeWindow* w = fake.windowing.window("frmVESK");
    EXPECT_NE(w, nullptr);
    return *w;
  }
  FakePlatform fake;
  ModVESK mod{fake.files, fake.clock};
  FrmVESK form{fake.services, mod};
};

TEST(FormLoad, SecondInstanceShowsTheMessageAndTouchesNothing) {
  Program p;
  p.fake.system.otherInstance = true;
  p.fake.files.put("C:\\Games\\vesk\\caravan_tama.txt", "2010/09/25 18:00\r\n");
  EXPECT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::AlreadyRunning);
  ASSERT_EQ(p.fake.system.messages.size(), 1u);
  EXPECT_EQ(p.fake.system.messages[0], "すでに起動しています");
  EXPECT_EQ(p.fake.windowing.window("frmVESK"), nullptr);
  EXPECT_TRUE(p.fake.windowing.hotkeys.empty());
  EXPECT_EQ(p.fake.files.readCount(), 0);
}

TEST(FormLoad, ARefusedMainWindowEndsTheProgramWithNothingInstalled) {
  Program p;
  p.fake.windowing.refuseWindows = true;
  EXPECT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::NoWindow);
  EXPECT_TRUE(p.fake.windowing.hotkeys.empty());
  EXPECT_EQ(p.fake.files.readCount(), 0);
  // Shutting down afterwards must not touch the missing window.
  p.form.endForm();
  EXPECT_TRUE(p.form.unloaded());
}

TEST(FormLoad, DataPathsAreTheFolderPlusTheFileName) {
  for (const std::string folder : {"C:\\Games\\vesk", "C:\\", "D:\\ゲーム\\道具"}) {
    Program p("", folder);
    ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
    EXPECT_EQ(p.mod.pathTama, folder + "\\caravan_tama.txt");
    EXPECT_EQ(p.mod.pathQue, folder + "\\caravan_que.txt");
    EXPECT_EQ(p.mod.pathFushi, folder + "\\caravan_fushi.txt");
  }
}

TEST(FormLoad, LeavesTheStartingState) {
  Program p("3,2,1,14,0,1");
  p.fake.files.put("C:\\Games\\vesk\\caravan_tama.txt", "2010/09/25 18:00\r\n");
  p.fake.files.put("C:\\Games\\vesk\\caravan_que.txt", "1,Q1\r\n2,Q2\r\n");
  p.fake.files.put("C:\\Games\\vesk\\caravan_fushi.txt", "1,F1\r\n");
  // Start away from every value the load step sets, so each one shows it ran.
  MainState& before = p.form.state();
  before.maxHP = 7;
  before.allVisible = false;
  before.swRunning = true;
  before.refreshTick = 3;
  ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
  EXPECT_EQ(p.mod.queTable(), (RotationTable{{"1", "Q1"}, {"2", "Q2"}}));
  EXPECT_EQ(p.mod.fushiTable(), (RotationTable{{"1", "F1"}}));
  const MainState& s = p.form.state();
  EXPECT_EQ(static_cast<const SettingsRecord&>(s), (SettingsRecord{1, 2, 1, 14, false, 1}));
  EXPECT_EQ(s.gemFileState, -1);
  EXPECT_EQ(s.P_CaravanFlg, 1);
  EXPECT_EQ(formatDate(s.P_CaravanDate, "yyyy/MM/dd HH:nn"), "2010/09/25 18:00");
  EXPECT_EQ(s.maxHP, 100);
  EXPECT_TRUE(s.allVisible);
  EXPECT_TRUE(s.placePending);
  EXPECT_FALSE(s.swRunning);
  EXPECT_EQ(s.refreshTick, 1000);
  FakeWindow& w = p.window();
  EXPECT_EQ(w.colourKey, 0xC0C0C0u);
  ASSERT_NE(p.fake.windowing.window("frmVESK2"), nullptr);
  EXPECT_EQ(p.fake.windowing.window("frmVESK2")->colourKey, 0xC0C0C0u);
  EXPECT_TRUE(w.timerEnabled);
  EXPECT_EQ(w.timerInterval, 100);
}

TEST(FormLoad, WithoutDeadlineFileTheFlagsAreOff) {
  Program p;
  ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
  EXPECT_EQ(p.form.state().gemFileState, 0);
  EXPECT_EQ(p.form.state().P_CaravanFlg, 0);
}

TEST(Hotkeys, AllTwentyFiveRegisterInOrderWithTheChosenModifier) {
  // Id and virtual-key code, in registration order.
  const std::vector<std::pair<int, unsigned>> expected = {
      {1025, 0x25}, {1026, 0x27}, {1027, 0x26}, {1028, 0x28}, {1029, 0x31},
      {1030, 0x32}, {1035, 0x33}, {1034, 0x39}, {1032, 0x37}, {1033, 0x38},
      {1036, 0x34}, {1037, 0x35}, {1038, 0x36}, {1031, 0x30}, {1039, 0x61},
      {1040, 0x62}, {1045, 0x63}, {1044, 0x69}, {1042, 0x67}, {1043, 0x68},
      {1046, 0x64}, {1047, 0x65}, {1048, 0x66}, {1041, 0x60}, {1054, 0x53},
  };
  for (const auto& [args, modifier] : {std::pair{"", 8u}, {"1", 2u}, {"3", 1u}, {"2", 8u}}) {
    SCOPED_TRACE(args);
    Program p(args);
    ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
    const auto& reg = p.fake.windowing;
    ASSERT_EQ(reg.registrationOrder.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const auto& [id, virtualKey] = expected[i];
      SCOPED_TRACE(id);
      EXPECT_EQ(reg.registrationOrder[i], id);
      const auto& k = reg.hotkeys.at(id);
      EXPECT_EQ(k.virtualKey, virtualKey);
      EXPECT_EQ(k.owner, p.window().handle());
      EXPECT_EQ(k.modifiers, id == 1054 ? 8u : modifier);
    }
  }
}

TEST(Hotkeys, ACombinationHeldElsewhereIsSkippedQuietly) {
  Program p;
  p.fake.windowing.heldByOthers.insert({8u, 0x31u});  // Windows key + 1
  ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
  EXPECT_EQ(p.fake.windowing.hotkeys.count(1029), 0u);
  EXPECT_EQ(p.fake.windowing.hotkeys.size(), 24u);
  EXPECT_TRUE(p.fake.system.messages.empty());
}

TEST(Hotkeys, SettingsShortcutHotkeyWritesThreeFiles) {
  Program p("1,2,1,12,0");
  ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
  p.form.onHotKey(1054);
  const auto& saved = p.fake.shortcuts.saved;
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved.at("C:\\Games\\vesk\\vesk - Winｷｰ.lnk").arguments, "0,2,1,12,0,0");
  EXPECT_EQ(saved.at("C:\\Games\\vesk\\vesk - Ctlｷｰ.lnk").arguments, "1,2,1,12,0,0");
  EXPECT_EQ(saved.at("C:\\Games\\vesk\\vesk - Altｷｰ.lnk").arguments, "3,2,1,12,0,0");
}

TEST(Hotkeys, ShortcutsThatCannotBeWrittenLeaveTheProgramRunningAndAreNamedOnce) {
  Program p;
  ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
  p.fake.shortcuts.failAll = true;
  int pressesInside = 0;
  p.fake.system.whileMessageBoxOpen = [&] {
    ++pressesInside;
    p.form.onHotKey(1054);  // pressed again while the box is open
  };
  p.form.onHotKey(1054);
  EXPECT_EQ(p.fake.shortcuts.saveCalls, 6);
  EXPECT_TRUE(p.fake.system.slept.empty()) << "no wait for a failure that stays";
  EXPECT_FALSE(p.form.unloaded());
  EXPECT_FALSE(p.fake.windowing.quitRequested);
  EXPECT_EQ(pressesInside, 1);
  EXPECT_EQ(p.fake.system.messages,
            std::vector<std::string>{
                "vesk - Winｷｰ.lnk、vesk - Ctlｷｰ.lnk、vesk - Altｷｰ.lnk に書き込めません"});
}

TEST(Hotkeys, ShortcutsHeldForAMomentAreWaitedForAboutASecondInAll) {
  const struct {
    int heldSaves;  // by another program (antivirus, indexer, sync)
    std::size_t written;
    const char* message;  // nullptr: none
  } cases[] = {
      {2, 3, nullptr},
      {1000, 0, "vesk - Winｷｰ.lnk、vesk - Ctlｷｰ.lnk、vesk - Altｷｰ.lnk に書き込めません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heldSaves);
    Program p;
    ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
    p.fake.shortcuts.heldSaves = c.heldSaves;
    p.form.onHotKey(1054);
    EXPECT_EQ(p.fake.shortcuts.saved.size(), c.written);
    int waited = 0;
    for (const int ms : p.fake.system.slept) waited += ms;
    EXPECT_LE(waited, 1000) << "for the three files together";
    EXPECT_GE(waited, c.message ? 900 : 1);
    EXPECT_LE(p.fake.shortcuts.saveCalls, 12);
    EXPECT_EQ(p.fake.system.messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(p.fake.system.messages[0], c.message);
    }
  }
}

TEST(Shutdown, QuitHotkeyReleasesEverythingOnce) {
  for (int id : {1031, 1041}) {
    SCOPED_TRACE(id);
    Program p;
    ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
    FakeWindow* w = p.fake.windowing.window("frmVESK");
    ASSERT_NE(w, nullptr);
    const auto released = [&] {
      EXPECT_TRUE(p.fake.windowing.hotkeys.empty());
      EXPECT_EQ(p.fake.windowing.unregistrations.size(), 25u);
      EXPECT_EQ(w->destroyCalls, 1);
      EXPECT_EQ(p.fake.windowing.quitCalls, 1);
      EXPECT_TRUE(p.form.unloaded());
      EXPECT_EQ(p.fake.windowing.window("frmVESK"), nullptr);
    };
    p.form.onHotKey(id);
    released();
    // The platform's own close request afterwards changes nothing.
    p.form.onCloseRequest();
    released();
  }
}

TEST(Shutdown, CloseRequestFromThePlatformRunsTheCloseProcedure) {
  Program p;
  ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
  p.form.onCloseRequest();
  EXPECT_TRUE(p.fake.windowing.hotkeys.empty());
  EXPECT_TRUE(p.fake.windowing.quitRequested);
}

TEST(Hotkeys, UnknownIdsDoNothing) {
  Program p;
  ASSERT_EQ(p.form.Form_Load(), FrmVESK::LoadOutcome::Loaded);
  for (int id : {1049, 1050, 1053, 1055, 0, -1}) p.form.onHotKey(id);
  EXPECT_FALSE(p.form.unloaded());
  EXPECT_TRUE(p.fake.shortcuts.saved.empty());
}

}  // namespace
}  // namespace vesk
