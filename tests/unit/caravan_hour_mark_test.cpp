// The hour-of-day mark: eight slots, one per clock hour.
#include <gtest/gtest.h>

#include "caravan/hour_mark.h"
#include "caravan_fixture.h"

namespace vesk::caravan_test {
namespace {

TEST(HourMark, FollowsTheTableAtBothEndsOfEveryHour) {
  const char* const table[24] = {"★5,6", "★6,7", "★7,8", "★8,1", "★1,2", "★2,3", "★3,4", "★4,5",
                                 "★5,6", "★6,7", "★7,8", "★8,1", "★1,2", "★2,3", "★3,4", "★4,5",
                                 "★5,6", "★6,7", "★7,8", "★8,1", "★1,2", "★2,3", "★3,4", "★4,5"};
  Caravan c;
  for (int h = 0; h < 24; ++h) {
    c.clock.setNow(DateTime{2010, 9, 25, h, 0, 0});
    EXPECT_EQ(c.mod.getHourMark(), table[h]) << h << ":00:00";
    c.clock.setNow(DateTime{2010, 9, 25, h, 59, 59});
    EXPECT_EQ(c.mod.getHourMark(), table[h]) << h << ":59:59";
  }
}

TEST(HourMark, DependsOnTheHourAlone) {
  Caravan c;
  for (const Timestamp t :
       {at(2010, 1, 1, 8), at(1999, 12, 31, 16, 30), at(2038, 2, 28, 0, 0, 1)}) {
    c.clock.setNow(t);
    EXPECT_EQ(c.mod.getHourMark(), "★5,6");
  }
}

}  // namespace
}  // namespace vesk::caravan_test
