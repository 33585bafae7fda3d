#include "caravan/gem_deadline.h"

#include "caravan/mod_vesk.h"
#include "common/data_text.h"

namespace vesk {

Timestamp deadlineFromFile(const platform::ReadResult& file, Timestamp now) {
  Timestamp deadline = now;
  if (file.status == platform::ReadStatus::Ok) {
    if (const auto parsed = parseDate(firstLine(decodeDataText(file.bytes)))) deadline = *parsed;
  }
  // Seconds are dropped, never rounded: 18:00:59 is 18:00.
  return truncateToMinute(deadline);
}

bool ModVESK::getCaravanDate(Timestamp& deadline, std::int16_t& flag) {
  const Timestamp now = clock_.now();
  if (!files_.exists(pathTama)) {
    deadline = truncateToMinute(now);
    flag = 0;
    return false;
  }
  // The file exists, so a deadline is set even when it cannot be read or its
  // first line is not a date; then it is the present moment.
  deadline = deadlineFromFile(files_.read(pathTama, kDeadlineFileLimit), now);
  flag = 1;
  return true;
}

}  // namespace vesk
