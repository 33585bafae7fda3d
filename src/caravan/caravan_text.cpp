#include "caravan/caravan_text.h"

#include "caravan/mod_vesk.h"
#include "common/cp932.h"

namespace vesk {

namespace {

constexpr std::string_view kSeparator = "⇒";
constexpr int kPlainCell = 4;     // bytes of a day without festival mark
constexpr int kFestivalCell = 6;  // bytes of a day with one

int daysOfSpan(std::int16_t span) {
  switch (span) {
    case 0:
      return 3;
    case 1:
      return 2;
    case 2:
      return 1;
    default:
      return 0;
  }
}

// Field 2 of the entry, or the empty text when the line had no comma.
std::string_view dayText(const RotationEntry& entry) {
  return entry.size() >= 2 ? std::string_view(entry[1]) : std::string_view();
}

}  // namespace

Timestamp caravanBaseMoment() {
  static const Timestamp base = toTimestamp(DateTime{2009, 9, 16, 12, 0, 0});
  return base;
}

std::int64_t caravanDayIndex(Timestamp moment) {
  const std::int64_t minutes = minuteDiff(caravanBaseMoment(), moment);
  constexpr std::int64_t kMinutesPerDay = 1440;
  // Floor division: the minute before the base moment belongs to the day
  // before day 1, not to day 1.
  return minutes / kMinutesPerDay - (minutes % kMinutesPerDay < 0 ? 1 : 0);
}

std::size_t cycleIndex(std::int64_t day, std::size_t n) {
  const auto size = static_cast<std::int64_t>(n);
  const std::int64_t r = day % size;
  return static_cast<std::size_t>(r < 0 ? r + size : r);
}

CaravanLine buildCaravanLine(const RotationTable& que, const RotationTable& fushi, Timestamp moment,
                             std::int16_t span) {
  CaravanLine line;
  if (que.empty()) return line;
  const std::int64_t first = caravanDayIndex(moment);
  const int days = daysOfSpan(span);
  for (int i = 0; i < days; ++i) {
    const std::int64_t day = first + i;
    const std::string_view q = dayText(que[cycleIndex(day, que.size())]);
    const std::string_view f =
        fushi.empty() ? std::string_view() : dayText(fushi[cycleIndex(day, fushi.size())]);
    // The joined marks, stripped of spaces, are not empty exactly when one
    // mark holds more than spaces.
    if (f.find_first_not_of(' ') != std::string_view::npos) line.festival = true;
    // A mark made only of spaces still counts as a festival: the test is
    // for the empty text.
    const int limit = (f.empty() ? kPlainCell : kFestivalCell) - lenByte(f);
    // A mark wider than the 6-byte cell does not fit: that day is left out,
    // together with the separator before it.
    if (limit < 0) continue;
    if (i > 0) line.text += kSeparator;
    line.text += leftByte(q, limit);
    line.text += f;
  }
  return line;
}

bool ModVESK::getCaravanText(std::string& text, bool& festival, Timestamp moment, std::int16_t span,
                             bool reload) {
  if (reload) reloadTables();
  if (queTable_.empty()) return false;
  CaravanLine line = buildCaravanLine(queTable_, fushiTable_, moment, span);
  text = std::move(line.text);
  if (line.festival) festival = true;
  return true;
}

}  // namespace vesk
