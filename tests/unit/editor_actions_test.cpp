// The editor's buttons, keys and close box, and what Ok writes.
#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace vesk::testing {
namespace {

using platform::fake::FakeWindow;

constexpr const char* kStored = "2010/09/25 18:00\r\n";

TEST(EditorActions, OkWritesTheChosenMomentOrRefusesADayThatDoesNotExist) {
  struct Case {
    const char* year;
    const char* month;
    const char* day;
    const char* hour;
    const char* minute;
    const char* file;  // afterwards
    bool closed;
  };
  const Case cases[] = {
      {"2010年", "2月", "28日", "0時", "5分", "2010/02/28 00:05\r\n", true},
      {"2010年", "9月", "25日", "18時", "0分", kStored, true},  // unchanged, written again
      {"2010年", "2月", "30日", "0時", "5分", kStored, false},
      {"2011年", "2月", "29日", "0時", "5分", kStored, false},  // common year
      {"2010年", "4月", "31日", "12時", "0分", kStored, false},
  };
  for (const Case& c : cases) {
    Editor e;
    e.fake.files.put(kTamaPath, kStored);
    e.open([&](FakeWindow& w) {
      Editor::pick(w, 4, c.year);
      Editor::pick(w, 0, c.month);
      Editor::pick(w, 1, c.day);
      Editor::pick(w, 2, c.hour);
      Editor::pick(w, 3, c.minute);
      Editor::press(w, 0);
    });
    const std::string what = std::string(c.month) + c.day;
    EXPECT_EQ(e.file(), c.file) << what;
    EXPECT_EQ(e.closed, c.closed) << what;
    const std::vector<std::string> message{"日付がラリってます^q^"};
    EXPECT_EQ(e.fake.system.messages, c.closed ? std::vector<std::string>{} : message) << what;
  }
}

TEST(EditorActions, LeapDayOfALeapYearSaves) {
  Editor e;
  e.fake.clock.setNow(DateTime{2012, 1, 10, 8, 0, 0});
  e.open([&](FakeWindow& w) {
    Editor::pick(w, 0, "2月");
    Editor::pick(w, 1, "29日");
    Editor::press(w, 0);
  });
  EXPECT_EQ(e.file(), "2012/02/29 08:00\r\n");
  EXPECT_TRUE(e.closed);
}

TEST(EditorActions, EachWayOfActingGivesItsButtonsEffect) {
  using Act = std::function<void(FakeWindow&)>;
  const auto mouse = [](const char* control, int index, bool down, int button) {
    return Act([=](FakeWindow& w) {
      w.events().onMouse(platform::MouseEvent{control, index, down, button});
    });
  };
  const auto key = [](int index, int code) {
    return Act([=](FakeWindow& w) { w.events().onKeyPress("Combo1", index, code); });
  };
  const std::string saved = "2010/09/25 18:07\r\n";  // the minute list is set to 7分 first
  struct Case {
    const char* what;
    Act act;
    std::string file;
    bool closed;
  };
  const Case cases[] = {
      {"Ok pressed", mouse("cmdMenu", 0, true, 1), saved, true},
      {"Ok right-pressed", mouse("cmdMenu", 0, true, 2), saved, true},
      {"Ok word released", mouse("txtMenu", 0, false, 1), saved, true},
      {"Ok word pressed", mouse("txtMenu", 0, true, 1), kStored, false},
      {"Ok button released", mouse("cmdMenu", 0, false, 1), kStored, false},
      {"Cancel pressed", mouse("cmdMenu", 1, true, 1), kStored, true},
      {"Delete pressed", mouse("cmdMenu", 2, true, 4), "(none)", true},
      {"Delete word released", mouse("txtMenu", 2, false, 1), "(none)", true},
      {"Delete by keyboard", [](FakeWindow& w) { w.events().onClick("cmdMenu", 2); }, "(none)",
       true},
      {"no such button", mouse("cmdMenu", 3, true, 1), kStored, false},
      {"Enter in the minute list", key(3, 13), saved, true},
      {"Escape in the year list", key(4, 27), kStored, true},
      {"another key", key(3, 'A'), kStored, false},
      {"close box", [](FakeWindow& w) { w.events().onCloseRequest(); }, kStored, true},
  };
  for (const Case& c : cases) {
    Editor e;
    e.fake.files.put(kTamaPath, kStored);
    e.open([&](FakeWindow& w) {
      Editor::pick(w, 3, "7分");
      c.act(w);
    });
    EXPECT_EQ(e.file(), c.file) << c.what;
    EXPECT_EQ(e.closed, c.closed) << c.what;
  }
}

TEST(EditorActions, DeleteWithoutAFileJustCloses) {
  Editor e;
  e.open([&](FakeWindow& w) { Editor::press(w, 2); });
  EXPECT_TRUE(e.closed);
  EXPECT_FALSE(e.hasFile());
  EXPECT_TRUE(e.fake.system.messages.empty());
}

TEST(EditorActions, AFailedWriteKeepsTheFileTheFieldsAndTheEditor) {
  Editor e;
  e.fake.files.put(kTamaPath, kStored);
  e.fake.files.setReadOnly(true);
  e.open([&](FakeWindow& w) {
    Editor::pick(w, 3, "7分");
    Editor::press(w, 0);
  });
  EXPECT_EQ(e.file(), kStored);
  EXPECT_FALSE(e.closed);
  EXPECT_EQ(e.shownFields, "2010年 9月 25日 18時 7分");
  EXPECT_EQ(e.fake.system.messages, std::vector<std::string>{"caravan_tama.txt に書き込めません"});
}

TEST(EditorActions, AFileHeldForAMomentIsWaitedForAboutASecondAtMost) {
  const struct {
    int heldWrites;  // by another program (antivirus, indexer, sync)
    const char* file;
    bool closed;
  } cases[] = {{2, "2010/09/25 18:07\r\n", true}, {1000, kStored, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heldWrites);
    Editor e;
    e.fake.files.put(kTamaPath, kStored);
    e.fake.files.heldWrites = c.heldWrites;
    e.open([&](FakeWindow& w) {
      Editor::pick(w, 3, "7分");
      Editor::press(w, 0);
    });
    EXPECT_EQ(e.file(), c.file);
    EXPECT_EQ(e.closed, c.closed);
    EXPECT_EQ(e.fake.system.messages.size(), c.closed ? 0u : 1u);
    int waited = 0;
    for (const int ms : e.fake.system.slept) waited += ms;
    EXPECT_LE(waited, 1000);
    EXPECT_GE(waited, c.closed ? 1 : 900);
    EXPECT_LE(e.fake.files.writeCalls, 10);
  }
}

TEST(EditorActions, AButtonTakesTheFocusAwayFromTheLists) {
  Editor e;
  e.open([&](FakeWindow& w) {
    w.events().onActivate();
    Editor::pick(w, 1, "31日");
    Editor::pick(w, 0, "2月");
    Editor::press(w, 0);  // refused: stays open
    EXPECT_EQ(w.focus, (std::pair<std::string, int>{"cmdDummy", -1}));
  });
}

}  // namespace
}  // namespace vesk::testing
