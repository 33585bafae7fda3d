#include "common/rounding.h"

#include <cmath>
#include <limits>

namespace vesk {
namespace {

// std::nearbyint rounds ties to even under the default rounding mode, which
// the program never changes. Every value of Int fits exactly in a double, so
// the range test on the rounded value is exact.
template <typename Int>
Int roundTo(double value, const char* what) {
  const double r = std::nearbyint(value);
  if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max())) {
    throw OverflowError(what);  // also NaN and the infinities
  }
  return static_cast<Int>(r);
}

}  // namespace

std::int16_t roundToInt16(double value) {
  return roundTo<std::int16_t>(value, "value out of the 16-bit integer range");
}

std::int32_t roundToInt32(double value) {
  return roundTo<std::int32_t>(value, "value out of the 32-bit integer range");
}

}  // namespace vesk
