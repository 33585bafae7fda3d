// The local clock and the system tick counter.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace vesk::platform::win32 {

class Win32Clock final : public Clock {
 public:
  Timestamp now() const override;
  std::uint64_t tickCount() const override;

 private:
  // Local time less UTC, seconds, as read in the UTC minute biasMinute_.
  mutable std::int64_t biasSeconds_ = 0;
  mutable std::int64_t biasMinute_ = -1;
};

}  // namespace vesk::platform::win32
