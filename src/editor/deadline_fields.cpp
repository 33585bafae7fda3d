#include "editor/deadline_fields.h"

#include <algorithm>
#include <cmath>

#include "common/rounding.h"

namespace vesk {

std::vector<std::string> numberedItems(int first, int last, std::string_view unit) {
  std::vector<std::string> items;
  for (int n = first; n <= last; ++n) items.push_back(std::to_string(n) + std::string(unit));
  return items;
}

YearRange yearRange(int presetYear, int presentYear) {
  return {std::min(presetYear, presentYear), std::max(presetYear, presentYear + 1)};
}

int colourPick(double random) {
  // Compared as reals first: NaN and huge values never reach the cast.
  const double pick = std::floor(random * 8) + 1;
  if (!(pick >= 1)) return 1;
  if (pick >= 8) return 8;
  return static_cast<int>(pick);
}

int offsetByTwips(int pixels, int twipsPerPixel, int offsetTwips) {
  const double twips = static_cast<double>(pixels) * twipsPerPixel + offsetTwips;
  return roundToInt32(twips / twipsPerPixel);
}

std::optional<std::string> deadlineLine(std::string_view joinedTexts) {
  // The parser reads the unit characters and refuses days that do not
  // exist, such as 30 February; the formatted text is then valid by itself.
  const std::optional<Timestamp> moment = parseDate(joinedTexts);
  if (!moment) return std::nullopt;
  const std::string line = formatDate(*moment, "yyyy/MM/dd HH:nn");
  if (!parseDate(line)) return std::nullopt;
  return line;
}

}  // namespace vesk
