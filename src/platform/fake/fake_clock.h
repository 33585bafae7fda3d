// A clock the test sets by hand.
#pragma once

#include "platform/clock.h"

namespace vesk::platform::fake {

class FakeClock : public Clock {
 public:
  Timestamp now() const override { return now_; }
  std::uint64_t tickCount() const override { return tick_; }

  void setNow(Timestamp t) { now_ = t; }
  void setNow(const DateTime& dt) { now_ = toTimestamp(dt); }
  void setTickCount(std::uint64_t ms) { tick_ = ms; }
  void advance(std::uint64_t ms) {
    tick_ += ms;
    now_ = fromSeconds(toSeconds(now_) + static_cast<std::int64_t>(ms / 1000));
  }

 private:
  Timestamp now_ = toTimestamp(DateTime{2010, 3, 6, 9, 5, 0});
  std::uint64_t tick_ = 1'000'000;
};

}  // namespace vesk::platform::fake
