// Stand-in game for the end-to-end tests and the demo (see game_window.h).
// Usage: standin-game [--x N] [--y N] [--width N] [--height N]
//                     [--clicks PATH] [--title TEXT]
//                     [--dpi unaware|per-monitor] [--ruler N]
// Exit codes: 0 after WM_CLOSE, 2 for a refused command line, 3 when the
// click log cannot be opened, 4 when the window cannot be created.
#include <windows.h>
// Declares CommandLineToArgvW; must follow windows.h.
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "click_log.h"
#include "game_window.h"
#include "options.h"

namespace {

constexpr int kExitBadCommandLine = 2;
constexpr int kExitClickLog = 3;
constexpr int kExitWindow = 4;

// A GUI program has no console; whoever started it may still have given it
// a standard error handle (Wine passes the Unix one through).
void reportError(const std::wstring& text) {
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
  const std::wstring line = L"standin-game: " + text + L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                       nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;
  std::string bytes(static_cast<size_t>(size), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(),
                          size, nullptr, nullptr) != size) {
    return;
  }
  DWORD written = 0;
  WriteFile(err, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Per-monitor aware v2 before the window is made; false where the system
// has no such call or refuses it.
bool becomePerMonitorAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  return set && set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
}

struct LocalFreeDeleter {
  void operator()(LPWSTR* block) const { LocalFree(block); }
};

// The arguments after the program's own name; nullopt when the command line
// cannot be split.
std::optional<std::vector<std::wstring>> commandLineArguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(
      CommandLineToArgvW(GetCommandLineW(), &count));
  if (!argv) return std::nullopt;
  std::vector<std::wstring> args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv.get()[i]);
  return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const auto args = commandLineArguments();
  if (!args) {
    reportError(L"cannot split the command line");
    return kExitBadCommandLine;
  }
  const standin::ParseResult parsed = standin::parseOptions(*args);
  if (!parsed.options) {
    reportError(parsed.error);
    return kExitBadCommandLine;
  }
  const standin::Options& options = *parsed.options;
  // Older Wine makes every process per-monitor aware itself and refuses.
  if (options.perMonitorAware) becomePerMonitorAware();

  standin::ClickLog clicks;
  if (!options.clicksPath.empty() && !clicks.open(options.clicksPath)) {
    reportError(L"cannot open the click log " + options.clicksPath);
    return kExitClickLog;
  }
  standin::GameWindow window(instance, clicks);
  if (!window.create(options)) {
    reportError(window.error());
    return kExitWindow;
  }
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return got == 0 ? static_cast<int>(msg.wParam) : kExitWindow;
}
