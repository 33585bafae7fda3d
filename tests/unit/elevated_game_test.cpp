// A game that runs as administrator: a restack of its window refused for
// want of access brings one message per run, worded for whether chords
// depend on the hook, and never when vesk is elevated itself.
#include <gtest/gtest.h>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using testing::Overlay;

TEST(ElevatedGame, ARefusedRestackTellsThePlayerOnceAndTheRestRunsOn) {
  const struct {
    int gameRestack;  // 0 done, 1 denied (the game runs elevated), 2 failed otherwise
    bool veskElevated;
    bool shellHoldsChords;
    const char* message;  // nullptr: none
    const char* arguments = "";
  } cases[] = {
      {0, false, false, nullptr},
      {0, false, true, nullptr},
      {2, false, true, nullptr},
      {1, false, false, "ゲームが管理者として実行されているため、ウィンドウの重ね順"},
      {1, false, true, "ゲームが管理者として実行されているため、一部のキーと"},
      {1, true, true, nullptr},
      {1, true, false, nullptr},
      // Ctrl and Alt players: Windows key + S alone is not their modifier's.
      {1, false, true, "ゲームが管理者として実行されているため、ウィンドウの重ね順", "1"},
      {1, false, true, "ゲームが管理者として実行されているため、ウィンドウの重ね順", "3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "game restack " << c.gameRestack << ", vesk elevated " << c.veskElevated
                 << ", shell " << c.shellHoldsChords << ", arguments " << c.arguments);
    Overlay o(c.arguments);
    if (c.shellHoldsChords) o.fake.windowing.heldByOthers.insert({platform::kModWin, 0x53});
    o.fake.system.runsElevated = c.veskElevated;
    const WindowHandle game = o.addGame({100, 50, 1132, 842}, 1024, 768);
    if (c.gameRestack != 0) o.fake.windowing.refusedRestacks[game] = c.gameRestack == 1;
    o.load();                        // places the strips and restacks the game
    o.form.onClick("Command1", -1);  // restacks it again
    o.form.onHotKey(1029);           // parks
    o.form.onHotKey(1029);           // and places again
    ASSERT_EQ(o.fake.system.messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(o.fake.system.messages[0].find(c.message), 0u);
    }
    // The click's own work and the strips' restacking happened all the same.
    EXPECT_EQ(o.form.state().dayOffset, 1);
    EXPECT_EQ(o.fake.windowing.zOrderCalls.back().window, game);
    EXPECT_EQ(o.fake.windowing.zOrderCalls.rbegin()[1].window, o.main().handle());
  }
}

TEST(ElevatedGame, APlaceKeyOrAClickWhileTheMessageIsOpenBringsNoSecondOne) {
  Overlay o;
  const WindowHandle game = o.addGame({100, 50, 1132, 842}, 1024, 768);
  o.fake.windowing.refusedRestacks[game] = true;
  int eventsInside = 0;
  o.fake.system.whileMessageBoxOpen = [&] {
    ++eventsInside;
    o.form.onHotKey(1029);
    o.form.onClick("Command1", -1);
    o.form.onTimer();
  };
  o.load();
  EXPECT_EQ(eventsInside, 1);
  EXPECT_EQ(o.fake.system.messages.size(), 1u);
}

}  // namespace
}  // namespace vesk
