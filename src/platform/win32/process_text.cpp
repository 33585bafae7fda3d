#include "platform/win32/process_text.h"

namespace vesk::platform::win32 {

std::wstring folderOfModulePath(std::wstring_view modulePath) {
  const std::size_t separator = modulePath.find_last_of(L"\\/");
  if (separator == std::wstring_view::npos) return {};
  std::wstring_view folder = modulePath.substr(0, separator);
  // "C:" alone would name the drive's current folder, not its root.
  if (!folder.empty() && folder.back() == L':') folder = modulePath.substr(0, separator + 1);
  return std::wstring(folder);
}

std::wstring_view argumentsOfCommandLine(std::wstring_view commandLine) {
  std::size_t pos = 0;
  bool inQuotes = false;
  // Every character up to and including a blank (space, tab or any control
  // character) ends the program name, unless it stands between quotes.
  while (pos < commandLine.size() && (commandLine[pos] > L' ' || inQuotes)) {
    if (commandLine[pos] == L'"') inQuotes = !inQuotes;
    ++pos;
  }
  while (pos < commandLine.size() && commandLine[pos] <= L' ') ++pos;
  return commandLine.substr(pos);
}

}  // namespace vesk::platform::win32
