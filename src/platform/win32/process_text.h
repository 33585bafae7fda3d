// The two texts that a process learns about itself: the folder of its
// executable and the argument part of its command line.
#pragma once

#include <string>
#include <string_view>

namespace vesk::platform::win32 {

// The folder part of a module's full path, without the trailing backslash
// except at a drive root: "C:\Games\vesk.exe" gives "C:\Games", "C:\vesk.exe"
// gives "C:\". A path without any separator gives an empty text.
std::wstring folderOfModulePath(std::wstring_view modulePath);

// The command line without the program's own name and the blanks after it,
// the rest kept as typed. The name ends at the first blank outside double
// quotes, as the C runtime reads it for WinMain: "\"C:\My Games\vesk.exe\" 1,2"
// gives "1,2".
std::wstring_view argumentsOfCommandLine(std::wstring_view commandLine);

}  // namespace vesk::platform::win32
