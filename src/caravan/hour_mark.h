// The hourly table: eight numbered slots, one per clock hour, starting again
// at 04:00, 12:00 and 20:00.
#pragma once

#include <string>

namespace vesk {

// The slot, 1 to 8, of clock hour 0 to 23.
int hourSlot(int hour);

// "★", the slot of the hour, ",", the slot of the next hour: "★5,6" at 00:00.
std::string hourMark(int hour);

}  // namespace vesk
