// Test driver for the end-to-end tests: runs under Wine beside the programs
// under test and acts on them through the Win32 API.
//   windows              list the top-level windows (JSON lines)
//   processes            list the processes (JSON lines)
//   keys CHORD...        inject key chords with SendInput, e.g. win+0
//   close HWND           post WM_CLOSE to a window
//   dismiss HWND         press the OK button of a message box
// HWND is the decimal handle printed by "windows". Exit codes: 0 done,
// 1 the action failed, 2 a bad command line.
#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

#include "json_out.h"
#include "key_input.h"
#include "window_list.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int fail(const std::string& text, int code) {
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  const std::string line = "driver: " + text + "\n";
  DWORD written = 0;
  if (err != nullptr && err != INVALID_HANDLE_VALUE) {
    WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  return code;
}

std::optional<HWND> parseHandle(const wchar_t* text) {
  wchar_t* end = nullptr;
  const unsigned long long value = std::wcstoull(text, &end, 0);
  if (end == text || *end != L'\0' || value == 0) return std::nullopt;
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

int closeWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return fail("no such window", kFailed);
  if (!PostMessageW(hwnd, WM_CLOSE, 0, 0)) return fail("PostMessageW failed", kFailed);
  return 0;
}

// Posts what a click on OK sends: the dialog then ends as if clicked.
int dismissMessageBox(HWND dialog) {
  if (!IsWindow(dialog)) return fail("no such window", kFailed);
  HWND ok = GetDlgItem(dialog, IDOK);
  if (ok == nullptr) return fail("the window has no OK button", kFailed);
  if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                    reinterpret_cast<LPARAM>(ok))) {
    return fail("PostMessageW failed", kFailed);
  }
  return 0;
}

int print(const std::optional<std::string>& text) {
  if (!text) return fail("cannot list, error " + std::to_string(GetLastError()), kFailed);
  if (driver::writeOut(*text)) return 0;
  return fail("cannot write to standard output, error " + std::to_string(GetLastError()), kFailed);
}

int injectKeys(int argc, wchar_t** argv) {
  if (argc < 3) return fail("keys needs at least one chord", kUsage);
  for (int i = 2; i < argc; ++i) {
    const std::string text = driver::utf8(argv[i]);
    const auto chord = driver::parseChord(text);
    if (!chord) return fail("unknown key chord " + text, kUsage);
    if (!driver::sendChord(*chord)) return fail("SendInput refused " + text, kFailed);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return fail("no command", kUsage);
  const std::wstring command = argv[1];
  if (command == L"windows" && argc == 2) return print(driver::listWindows());
  if (command == L"processes" && argc == 2) return print(driver::listProcesses());
  if (command == L"keys") return injectKeys(argc, argv);
  if ((command == L"close" || command == L"dismiss") && argc == 3) {
    const auto hwnd = parseHandle(argv[2]);
    if (!hwnd) return fail("bad window handle", kUsage);
    return command == L"close" ? closeWindow(*hwnd) : dismissMessageBox(*hwnd);
  }
  return fail("unknown command or wrong number of arguments", kUsage);
}
