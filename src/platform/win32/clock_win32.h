// The local clock and the system tick counter.
#pragma once

#include "platform/clock.h"

namespace vesk::platform::win32 {

class Win32Clock final : public Clock {
 public:
  Timestamp now() const override;
  std::uint64_t tickCount() const override;
};

}  // namespace vesk::platform::win32
