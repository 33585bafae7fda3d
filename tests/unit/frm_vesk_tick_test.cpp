// The main window's tick against the fake platform: the caravan box's colour
// at a full refresh, the stopwatch line, and what a tick hands the platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using platform::fake::FakeWindow;
using testing::Placed;

const platform::Control& drawn(const FakeWindow& w, const char* name, int index) {
  return *std::find_if(w.controls.begin(), w.controls.end(), [&](const platform::Control& c) {
    return c.name == name && c.index == index;
  });
}

TEST(Tick, AFullRefreshPaintsTheCaravanBoxByTheDeadlineAndLeavesAStoppedStopwatch) {
  const struct {
    std::int16_t flag;
    int minutesLeft;
    Colour colour;
  } cases[] = {
      {1, 30, 0x0000FF}, {1, 600, 0x008000}, {1, 1000, 0x404040},
      {0, 30, 0x404040}, {-1, 30, 0x404040}, {2, 30, 0x404040},
  };
  for (const auto& c : cases) {
    Placed o;
    MainState& s = o.form.state();
    s.P_CaravanFlg = c.flag;
    s.P_CaravanDate = fromSeconds(toSeconds(o.fake.clock.now()) + 60 * c.minutesLeft);
    o.form.controls().at("txtMenu", 0).text = "0:00:07.00";
    s.refreshRequested = true;
    o.form.onTimer();
    EXPECT_EQ(drawn(o.second(), "txtMenu", 4).backColour, c.colour)
        << c.flag << " " << c.minutesLeft;
    EXPECT_EQ(drawn(o.second(), "cmdMenu", 4).backColour, c.colour)
        << c.flag << " " << c.minutesLeft;
    EXPECT_EQ(drawn(o.main(), "txtMenu", 0).text, "0:00:07.00");
  }
}

TEST(Tick, HandsThePlatformOnlyTheWindowsAHandlerChanged) {
  const struct {
    const char* tick;
    void (*before)(Placed&);
    int mainPresents, secondPresents;
  } cases[] = {
      {"idle", [](Placed&) {}, 0, 0},
      {"stopwatch running", [](Placed& o) { o.form.state().swRunning = true; }, 1, 0},
      {"full refresh", [](Placed& o) { o.form.state().refreshRequested = true; }, 1, 1},
  };
  for (const auto& c : cases) {
    Placed o;
    o.fake.clock.setNow(DateTime{2010, 3, 6, 9, 5, 30});  // no minute's refresh due
    o.form.onTimer();
    const int main = o.main().presentCount, second = o.second().presentCount;
    c.before(o);
    o.fake.clock.advance(100);
    o.form.onTimer();
    EXPECT_EQ(o.main().presentCount - main, c.mainPresents) << c.tick;
    EXPECT_EQ(o.second().presentCount - second, c.secondPresents) << c.tick;
  }
}

}  // namespace
}  // namespace vesk
