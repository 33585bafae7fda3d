// The hunter-gem deadline file, caravan_tama.txt: one line
// "yyyy/MM/dd HH:nn" and CR LF. Only its first line matters.
#pragma once

#include <cstddef>
#include <string_view>

#include "common/timestamp.h"
#include "platform/files.h"

namespace vesk {

// The file holds one short line. A larger file is not one: it is read as a
// file whose first line could not be obtained.
inline constexpr std::size_t kDeadlineFileLimit = 64 * 1024;

// The deadline that a read of the file gives, cut to the whole minute: the
// date of the first line, or now when the read gave no first line that is a
// date.
Timestamp deadlineFromFile(const platform::ReadResult& file, Timestamp now);

}  // namespace vesk
