// The rules behind the editor's fields, as plain functions: the list items,
// the back colour pick, the placement beside the main strip and the text
// that Ok writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/timestamp.h"

namespace vesk {

// "first" + unit, ..., "last" + unit, numbers without leading zeros.
std::vector<std::string> numberedItems(int first, int last, std::string_view unit);

// The years the year list offers: from the earlier of the preset's year and
// the present year up to the later of the preset's year and the next year,
// so the preset always shows and this year and the next are always there.
struct YearRange {
  int first;
  int last;
};
YearRange yearRange(int presetYear, int presentYear);

// Pick 1 to 8 from a pseudo-random number in [0, 1): floor(r * 8) + 1, each
// with the same chance; a value outside [0, 1) is held to the nearest pick.
int colourPick(double random);

// A screen coordinate of the main strip (pixels) moved by offsetTwips,
// computed in twips and rounded back to pixels, halves to even.
int offsetByTwips(int pixels, int twipsPerPixel, int offsetTwips);

// The line Ok writes for the joined list texts (2010年9月25日18時0分 gives
// 2010/09/25 18:00); nothing when they name no real moment.
std::optional<std::string> deadlineLine(std::string_view joinedTexts);

}  // namespace vesk
