// Replacing a file's contents safely: the new bytes go into a temporary file
// beside it, which is then moved over the old one.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

namespace vesk::platform::win32 {

// On any failure the old file is as it was and no temporary file is left
// behind. Held when the final move found the target open in another
// program (a sharing violation or access denied): one more attempt may
// succeed. A folder or a read-only file of that name fails at once.
WriteOutcome replaceFileContents(const std::wstring& path, std::string_view bytes);

// Creates a new, empty file beside `target` (its name plus a suffix) for a
// writer that needs a path of its own; the caller deletes it. Empty on failure.
std::wstring reserveTemporaryBeside(const std::wstring& target);

}  // namespace vesk::platform::win32
