// The foreground lock as Windows enforces it: the deadline editor gets the
// keyboard by every road that opens it (a registered hotkey, a chord the
// hook serves, a click on the caravan box), and where the system still
// refuses it the foreground, a click on the editor gives it the keyboard.
#include <gtest/gtest.h>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using platform::MouseEvent;
using platform::fake::FakeWindow;
using testing::Overlay;

constexpr unsigned kWin = platform::kModWin;

struct Opened : Overlay {
  explicit Opened(const char* arguments) : Overlay(arguments) {
    // The shell holds Windows key + 6: on the Windows key it is the hook's.
    fake.windowing.heldByOthers.insert({kWin, '6'});
    game = addGame({100, 50, 1132, 842}, 1024, 768);
    load();
    form.onTimer();
    fake.windowing.foreground = game;
    fake.windowing.onModal = [this](FakeWindow& editor) {
      inFront = fake.windowing.foreground == editor.handle();
      if (!inFront) {
        fake.windowing.click(editor, MouseEvent{"Combo1", 0, true, platform::kButtonLeft});
        clickGave = fake.windowing.foreground == editor.handle();
      }
      editor.events().onCloseRequest();
    };
  }
  WindowHandle game = 0;
  bool inFront = false;
  bool clickGave = false;
};

TEST(EditorForeground, EveryRoadGivesTheEditorTheKeyboard) {
  const struct {
    const char* road;
    const char* arguments;
    bool relayRefused;
    void (*open)(Opened&);
    bool inFront;
  } cases[] = {
      {"registered hotkey Ctrl+6", "1", false,
       [](Opened& o) { o.fake.windowing.pressHotKey(1038); }, true},
      {"hooked chord Win+6", "", false,
       [](Opened& o) {
         o.fake.windowing.hookKey({'6', true, kWin, o.game});
       },
       true},
      {"click on the caravan box", "", false,
       [](Opened& o) {
         o.fake.windowing.click(o.second(), MouseEvent{"txtMenu", 4, false, platform::kButtonLeft});
       },
       true},
      // No private chord: the action arrives as a post, and the lock holds.
      {"hooked chord Win+6, posted", "", true,
       [](Opened& o) {
         o.fake.windowing.hookKey({'6', true, kWin, o.game});
       },
       false},
  };
  for (const auto& c : cases) {
    Opened o(c.arguments);
    o.fake.windowing.hook.relayRefused = c.relayRefused;
    c.open(o);
    EXPECT_EQ(o.inFront, c.inFront) << c.road;
    if (!c.inFront) {
      EXPECT_TRUE(o.clickGave) << c.road << ": a click on the editor";
    }
  }
}

}  // namespace
}  // namespace vesk
