// Time as the program reads it: the local clock and a tick counter.
#pragma once

#include <cstdint>

#include "common/timestamp.h"

namespace vesk::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // The present local date and time in whole seconds.
  virtual Timestamp now() const = 0;
  // Milliseconds since an arbitrary start; 64-bit, so it never wraps in use.
  virtual std::uint64_t tickCount() const = 0;
};

}  // namespace vesk::platform
