// The stopwatch, the refresh rules of the tick and the deadline colours.
#include <gtest/gtest.h>

#include <cstdint>

#include "timers/stopwatch.h"
#include "timers/tick_rules.h"

namespace vesk {
namespace {

TEST(FmtSW, FormatsInSinglePrecisionWithoutRoundingUp) {
  const struct {
    float seconds;
    const char* text;
  } cases[] = {
      {0.0f, "0:00:00.00"},      {65.25f, "0:01:05.25"},  {3725.5f, "1:02:05.50"},
      {36000.0f, "10:00:00.00"}, {59.999f, "0:00:59.99"}, {90061.5f, "25:01:01.50"},
  };
  for (const auto& c : cases) EXPECT_EQ(fmtSW(c.seconds), c.text) << c.seconds;
}

TEST(Stopwatch, StartStopResetFollowTheDisplay) {
  // Each step: the call, the tick it happens at, then the state after it.
  enum Call { Start, Reset, Shown };  // Start = updSW(True), Reset = updSW(False)
  const struct {
    Call call;
    std::uint64_t tick;
    bool running;
    std::uint64_t startTick;
    const char* display;
  } steps[] = {
      {Reset, 1000, false, 0, "0:00:00.00"},  // reset while reset: stays
      {Start, 2000, true, 2000, "0:00:00.00"},   {Shown, 7000, true, 2000, "0:00:05.00"},
      {Reset, 7000, true, 2000, "0:00:05.00"},   // running: cannot reset
      {Start, 7000, false, 2000, "0:00:05.00"},  // stop
      {Start, 17000, true, 2000, "0:00:05.00"},  // again: start tick kept
      {Shown, 17000, true, 2000, "0:00:15.00"},  // so 15 s show at once
      {Start, 18000, false, 2000, "0:00:15.00"}, {Reset, 19000, false, 2000, "0:00:00.00"},
      {Start, 20000, true, 20000, "0:00:00.00"},  // from zero: new start tick
  };
  MainState s;
  std::string display = kStopwatchReset;
  for (const auto& st : steps) {
    if (st.call == Shown) {
      display = fmtSW(stopwatchSeconds(s, st.tick));
    } else {
      updSW(st.call == Start, s, display, st.tick);
    }
    EXPECT_EQ(s.swRunning, st.running) << "at tick " << st.tick;
    EXPECT_EQ(s.swStartTick, st.startTick) << "at tick " << st.tick;
    EXPECT_EQ(display, st.display) << "at tick " << st.tick;
  }
}

TEST(Stopwatch, CountsAcrossTheThirtyTwoBitBoundaries) {
  MainState s;
  for (const std::uint64_t start : {0x7FFFF000ull, 0xFFFFF000ull, 0x1FFFFF000ull}) {
    s.swStartTick = start;
    EXPECT_EQ(fmtSW(stopwatchSeconds(s, start + 65250)), "0:01:05.25") << start;
  }
}

TEST(TickRules, FullRefreshOnRequestAtSecondZeroOrAfterAThousandTicks) {
  const struct {
    bool requested;
    std::int16_t ticksBefore;
    int second;
    bool due;
    std::int16_t ticksAfter;
  } cases[] = {
      {false, 0, 30, false, 1},   {true, 0, 30, true, 0},       {false, 8, 0, false, 9},
      {false, 9, 0, true, 0},     {false, 998, 59, false, 999}, {false, 999, 59, true, 0},
      {false, 32767, 5, true, 0},
  };
  for (const auto& c : cases) {
    MainState s;
    s.refreshRequested = c.requested;
    s.refreshTick = c.ticksBefore;
    const Timestamp now = toTimestamp({2010, 9, 25, 12, 0, c.second});
    EXPECT_EQ(takeFullRefresh(s, now), c.due) << c.ticksBefore << " s" << c.second;
    EXPECT_EQ(s.refreshTick, c.ticksAfter) << c.ticksBefore;
    EXPECT_FALSE(s.refreshRequested && c.due);
  }
}

TEST(TickRules, DeadlineColourByMinuteBoundariesLeft) {
  const Timestamp now = toTimestamp({2010, 9, 25, 12, 0, 45});
  const struct {
    DateTime deadline;
    Colour colour;
  } cases[] = {
      {{2010, 9, 25, 11, 0, 0}, 0x0000FF},    // passed
      {{2010, 9, 25, 12, 1, 15}, 0x0000FF},   // 30 s ahead, one boundary
      {{2010, 9, 25, 12, 59, 59}, 0x0000FF},  // 59
      {{2010, 9, 25, 13, 0, 0}, 0x0000C0},    // 60
      {{2010, 9, 25, 14, 59, 0}, 0x0000C0},   // 179
      {{2010, 9, 25, 15, 0, 0}, 0x0040C0},    // 180
      {{2010, 9, 25, 17, 59, 0}, 0x0040C0},   // 359
      {{2010, 9, 25, 18, 0, 0}, 0x008080},    // 360
      {{2010, 9, 25, 20, 59, 0}, 0x008080},   // 539
      {{2010, 9, 25, 21, 0, 0}, 0x008000},    // 540
      {{2010, 9, 25, 23, 59, 0}, 0x008000},   // 719
      {{2010, 9, 26, 0, 0, 0}, 0x404040},     // 720
  };
  for (const auto& c : cases) {
    EXPECT_EQ(deadlineColour(toTimestamp(c.deadline), now), c.colour)
        << c.deadline.hour << ":" << c.deadline.minute;
  }
  MainState s;
  s.P_CaravanDate = toTimestamp({2010, 9, 25, 12, 30, 0});
  s.P_CaravanFlg = 0;  // no deadline set: grey whatever the date holds
  EXPECT_EQ(gemBoxColour(s, now), 0x404040u);
  s.P_CaravanFlg = 1;
  EXPECT_EQ(gemBoxColour(s, now), 0x0000FFu);
}

}  // namespace
}  // namespace vesk
