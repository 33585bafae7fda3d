#include "commands.h"

#include <windows.h>

#include <cwchar>
#include <optional>

#include "json_out.h"
#include "key_input.h"
#include "window_list.h"
#include "window_moves.h"

namespace driver {
namespace {

std::optional<HWND> parseHandle(const std::wstring& text) {
  wchar_t* end = nullptr;
  const unsigned long long value = std::wcstoull(text.c_str(), &end, 0);
  if (end == text.c_str() || *end != L'\0' || value == 0) return std::nullopt;
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

Answer closeWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return failure("no such window", kFailed);
  if (!PostMessageW(hwnd, WM_CLOSE, 0, 0)) return failure("PostMessageW failed", kFailed);
  return {};
}

// Posts what a click on OK sends: the dialog then ends as if clicked.
Answer dismissMessageBox(HWND dialog) {
  if (!IsWindow(dialog)) return failure("no such window", kFailed);
  HWND ok = GetDlgItem(dialog, IDOK);
  if (ok == nullptr) return failure("the window has no OK button", kFailed);
  if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                    reinterpret_cast<LPARAM>(ok))) {
    return failure("PostMessageW failed", kFailed);
  }
  return {};
}

Answer listing(const std::optional<std::string>& text) {
  if (!text) return failure("cannot list, error " + std::to_string(GetLastError()), kFailed);
  Answer answer;
  answer.out = *text;
  return answer;
}

Answer injectKeys(const std::vector<std::wstring>& args) {
  if (args.size() < 2) return failure("keys needs at least one chord", kUsage);
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string text = utf8(args[i]);
    const auto chord = parseChord(text);
    if (!chord) return failure("unknown key chord " + text, kUsage);
    if (!sendChord(*chord)) return failure("SendInput refused " + text, kFailed);
  }
  return {};
}

}  // namespace

Answer failure(const std::string& text, int code) {
  Answer answer;
  answer.code = code;
  answer.err = "driver: " + text + "\n";
  return answer;
}

Answer runCommand(const std::vector<std::wstring>& args) {
  if (args.empty()) return failure("no command", kUsage);
  const std::wstring& command = args[0];
  if (command == L"windows" && args.size() == 1) return listing(listWindows());
  if (command == L"processes" && args.size() == 1) return listing(listProcesses());
  if (command == L"monitors" && args.size() == 1) return listing(listMonitors());
  if (command == L"keys") return injectKeys(args);
  if ((command == L"close" || command == L"dismiss") && args.size() == 2) {
    const auto hwnd = parseHandle(args[1]);
    if (!hwnd) return failure("bad window handle", kUsage);
    return command == L"close" ? closeWindow(*hwnd) : dismissMessageBox(*hwnd);
  }
  if (isWindowMove(command) && args.size() >= 2) {
    const auto hwnd = parseHandle(args[1]);
    if (!hwnd) return failure("bad window handle", kUsage);
    return moveWindow(*hwnd, args);
  }
  return failure("unknown command or wrong number of arguments", kUsage);
}

}  // namespace driver
