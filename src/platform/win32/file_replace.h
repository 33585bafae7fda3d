// Replacing a file's contents safely: the new bytes go into a temporary file
// beside it, which is then moved over the old one.
#pragma once

#include <string>
#include <string_view>

namespace vesk::platform::win32 {

// False on any failure, in which case the old file is as it was and no
// temporary file is left behind.
bool replaceFileContents(const std::wstring& path, std::string_view bytes);

}  // namespace vesk::platform::win32
