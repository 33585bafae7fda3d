// Test driver for the end-to-end tests: runs under Wine beside the programs
// under test and acts on them through the Win32 API.
//   windows              list the top-level windows (JSON lines)
//   processes            list the processes (JSON lines)
//   keys CHORD...        inject key chords with SendInput, e.g. win+0
//   close HWND           post WM_CLOSE to a window
//   dismiss HWND         press the OK button of a message box
//   minimize HWND, restore HWND, move HWND X Y, topmost HWND
//                        change a window as its program or user would
//   serve PORT TOKEN     answer those commands over a loopback connection
//                        (see serve.h) until the harness closes it
// HWND is the decimal handle printed by "windows". Exit codes: 0 done,
// 1 the action failed, 2 a bad command line.
#include <windows.h>

#include <string>
#include <vector>

#include "commands.h"
#include "json_out.h"
#include "serve.h"

namespace {

bool writeTo(DWORD which, const std::string& text) {
  if (text.empty()) return true;
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

// Per-monitor aware, so that every rectangle it reports is in the screen's
// pixels, as the screenshots are, at any display scale. An older system
// without the call keeps the process as it is.
void seeScreenPixels() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  if (set) set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));  // per-monitor v2
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  seeScreenPixels();
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == L"serve") {
    if (args.size() != 3) {
      writeTo(STD_ERROR_HANDLE, driver::failure("serve needs PORT TOKEN", driver::kUsage).err);
      return driver::kUsage;
    }
    return driver::serve(args[1], args[2]);
  }
  const driver::Answer answer = driver::runCommand(args);
  if (!writeTo(STD_OUTPUT_HANDLE, answer.out)) {
    writeTo(STD_ERROR_HANDLE, driver::failure("cannot write to standard output, error " +
                                                  std::to_string(GetLastError()),
                                              driver::kFailed)
                                  .err);
    return driver::kFailed;
  }
  writeTo(STD_ERROR_HANDLE, answer.err);
  return answer.code;
}
