#include "common/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vesk {
namespace {

TEST(Rounding, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(roundToInt16(7.5), 8);
  EXPECT_EQ(roundToInt16(8.5), 8);
  EXPECT_EQ(roundToInt16(1007.5), 1008);
  EXPECT_EQ(roundToInt16(1008.5), 1008);
  EXPECT_EQ(roundToInt16(-0.5), 0);
  EXPECT_EQ(roundToInt16(-1.5), -2);
  EXPECT_EQ(roundToInt32(2.5), 2);
  EXPECT_EQ(roundToInt32(-2.5), -2);
  EXPECT_EQ(roundToInt32(3.5), 4);
}

TEST(Rounding, NonTiesGoToTheNearest) {
  EXPECT_EQ(roundToInt16(7.49), 7);
  EXPECT_EQ(roundToInt16(7.51), 8);
  EXPECT_EQ(roundToInt16(-7.51), -8);
  EXPECT_EQ(roundToInt32(123456.7), 123457);
}

TEST(Rounding, Int16RangeEdges) {
  EXPECT_EQ(roundToInt16(32767.4), 32767);
  EXPECT_THROW(roundToInt16(32767.5), OverflowError);  // rounds to 32768
  EXPECT_EQ(roundToInt16(-32768.5), -32768);           // tie to the even -32768
  EXPECT_EQ(roundToInt16(-32768.4), -32768);
  EXPECT_THROW(roundToInt16(-32768.6), OverflowError);
  EXPECT_THROW(roundToInt16(-32769), OverflowError);
  EXPECT_THROW(roundToInt16(1e10), OverflowError);
}

TEST(Rounding, Int32RangeEdges) {
  EXPECT_EQ(roundToInt32(2147483647.4), 2147483647);
  EXPECT_THROW(roundToInt32(2147483647.5), OverflowError);
  EXPECT_EQ(roundToInt32(-2147483648.5), -2147483647 - 1);
  EXPECT_THROW(roundToInt32(-2147483648.6), OverflowError);
  EXPECT_THROW(roundToInt32(-2147483649.0), OverflowError);
  EXPECT_THROW(roundToInt32(1e300), OverflowError);
}

TEST(Rounding, NaNAndInfinitiesOverflow) {
  for (double v :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()}) {
    EXPECT_THROW(roundToInt16(v), OverflowError) << v;
    EXPECT_THROW(roundToInt32(v), OverflowError) << v;
  }
}

}  // namespace
}  // namespace vesk
