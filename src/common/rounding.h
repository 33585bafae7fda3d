// Storing a real value into an integer: nearest integer, ties to the even one
// (7.5 -> 8, 8.5 -> 8); a result outside the integer's range is an error.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace vesk {

class OverflowError : public std::overflow_error {
 public:
  using std::overflow_error::overflow_error;
};

std::int16_t roundToInt16(double value);  // throws OverflowError
std::int32_t roundToInt32(double value);  // throws OverflowError

}  // namespace vesk
