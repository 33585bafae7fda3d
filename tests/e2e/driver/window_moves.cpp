#include "window_moves.h"

#include <cwchar>
#include <optional>

namespace driver {
namespace {

std::optional<int> parseCoordinate(const std::wstring& text) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != L'\0' || value < -32768 || value > 32767) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

bool isWindowMove(const std::wstring& command) {
  return command == L"minimize" || command == L"restore" || command == L"move" ||
         command == L"topmost";
}

Answer moveWindow(HWND hwnd, const std::vector<std::wstring>& args) {
  const std::wstring& command = args[0];
  const size_t wanted = command == L"move" ? 4 : 2;
  if (args.size() != wanted) return failure("wrong number of arguments", kUsage);
  if (!IsWindow(hwnd)) return failure("no such window", kFailed);
  if (command == L"minimize" || command == L"restore") {
    // Asynchronous, as the window's own thread does the work; the caller
    // polls for the result.
    ShowWindowAsync(hwnd, command == L"minimize" ? SW_MINIMIZE : SW_RESTORE);
    return {};
  }
  if (command == L"move") {
    const auto x = parseCoordinate(args[2]);
    const auto y = parseCoordinate(args[3]);
    if (!x || !y) return failure("bad position", kUsage);
    if (!SetWindowPos(hwnd, nullptr, *x, *y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
      return failure("SetWindowPos failed, error " + std::to_string(GetLastError()), kFailed);
    }
    return {};
  }
  // As a game going full-window raises itself; it stays the active window.
  if (!SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
    return failure("SetWindowPos failed, error " + std::to_string(GetLastError()), kFailed);
  }
  return {};
}

}  // namespace driver
