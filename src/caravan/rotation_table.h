// The two caravan rotation files, caravan_que.txt and caravan_fushi.txt: one
// day of the cycle per non-blank line, the line's comma-separated fields.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace vesk {

using RotationEntry = std::vector<std::string>;
using RotationTable = std::vector<RotationEntry>;

// Rotation files are a few dozen short lines. A file larger than this is not
// one; reading it would only cost memory, so it is treated as unreadable.
inline constexpr std::size_t kRotationFileLimit = 1024 * 1024;

// The entries of a decoded file: each line that holds more than spaces
// (U+0020), split at every comma without trimming, in file order.
RotationTable parseRotationTable(std::string_view text);

// Reads and parses a rotation file. Nothing when the file is missing,
// cannot be read, is larger than kRotationFileLimit or holds no non-blank
// line: the caller then keeps the table it has.
std::optional<RotationTable> readRotationTable(platform::Files& files, const std::string& path);

}  // namespace vesk
