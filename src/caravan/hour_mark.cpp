#include "caravan/hour_mark.h"

#include "caravan/mod_vesk.h"

namespace vesk {

int hourSlot(int hour) { return (hour + 4) % 8 + 1; }

std::string hourMark(int hour) {
  const int slot = hourSlot(hour);
  const int next = slot % 8 + 1;
  std::string mark = "★";
  mark += static_cast<char>('0' + slot);
  mark += ',';
  mark += static_cast<char>('0' + next);
  return mark;
}

std::string ModVESK::getHourMark() const { return hourMark(toDateTime(clock_.now()).hour); }

}  // namespace vesk
