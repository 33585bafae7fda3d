// The caravan line: the quest name and festival mark of a calendar day and
// the days after it, each cut to its cell, joined by "⇒".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "caravan/rotation_table.h"
#include "common/timestamp.h"

namespace vesk {

// A calendar day runs from 12:00 to the next 12:00. Day 1 starts at this
// moment, 2009/09/16 12:00:00, and takes the first entry of each table.
Timestamp caravanBaseMoment();

// The 0-based day of moment counted from day 1. Moments before the base
// moment give negative days, so the cycles extend backwards.
std::int64_t caravanDayIndex(Timestamp moment);

// The index of day in a cycle of n entries (n >= 1); never negative.
std::size_t cycleIndex(std::int64_t day, std::size_t n);

struct CaravanLine {
  std::string text;
  bool festival = false;  // some festival mark of the days shown holds more than spaces
};

// The line for the days of span (0: three days, 1: two, 2: one; any other
// span gives an empty line). Without quests there is no line; without
// festival marks every day has none.
CaravanLine buildCaravanLine(const RotationTable& que, const RotationTable& fushi, Timestamp moment,
                             std::int16_t span);

}  // namespace vesk
