// Replacing a file's contents safely: the new bytes go into a temporary file
// beside it, which is then moved over the old one.
#pragma once

#include <string>
#include <string_view>

namespace vesk::platform::win32 {

// False on any failure, in which case the old file is as it was and no
// temporary file is left behind.
bool replaceFileContents(const std::wstring& path, std::string_view bytes);

// Creates a new, empty file beside `target` (its name plus a suffix) for a
// writer that needs a path of its own; the caller deletes it. Empty on failure.
std::wstring reserveTemporaryBeside(const std::wstring& target);

}  // namespace vesk::platform::win32
