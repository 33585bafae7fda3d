// The decisions of the 100 ms tick: when a full refresh is due, and the
// colour of the secondary strip's box for the minutes left to the deadline.
#pragma once

#include <cstdint>

#include "common/colour.h"
#include "common/main_state.h"
#include "common/timestamp.h"

namespace vesk {

// Counts the tick in refreshTick and says whether this tick makes a full
// refresh: on request, at second 0 of a minute once ten ticks have passed
// since the last one, or after 1000 ticks. A due refresh resets the request
// and the count.
bool takeFullRefresh(MainState& s, Timestamp now);

// Red, dark red, dark orange, olive, green, then grey from 720 minutes
// left; minutes count minute boundaries, so seconds are ignored.
Colour deadlineColour(Timestamp deadline, Timestamp now);

// The deadline colour when a deadline is set, else the neutral grey.
Colour gemBoxColour(const MainState& s, Timestamp now);

}  // namespace vesk
