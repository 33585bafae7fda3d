// Stand-in shell for the end-to-end tests: like the shell of Windows 10 and
// 11 it holds Windows key + 0..9, + the arrows and + S as hotkeys, which
// Wine's own shell does not. It has an ordinary captioned window (class
// "vesk.standin-shell") and appends a line "hotkey <id>" to the log for
// every hotkey it receives (ids 1 to 10 for the digits 0 to 9, 11 to 14 for
// Left, Up, Right, Down, 15 for S). The window shows only once every chord
// is held, so a test that waits for it can start vesk after. With --alt it
// holds the same chords with Alt instead of the Windows key.
// Usage: standin-shell --hotkeys PATH [--alt]
// Exit codes: 0 after WM_CLOSE, 2 for a refused command line, 3 when the
// log cannot be opened, 4 when the window cannot be created, 5 when a
// chord cannot be registered.
#include <windows.h>
// Declares CommandLineToArgvW; must follow windows.h.
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

constexpr int kExitBadCommandLine = 2;
constexpr int kExitLog = 3;
constexpr int kExitWindow = 4;
constexpr int kExitHotkey = 5;
constexpr wchar_t kClassName[] = L"vesk.standin-shell";

HANDLE hotkeyLog = INVALID_HANDLE_VALUE;

void logHotkey(WPARAM id) {
  const std::string line = "hotkey " + std::to_string(id) + "\n";
  DWORD written = 0;
  WriteFile(hotkeyLog, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HOTKEY:
      logHotkey(wParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

// The chords in id order: 0..9, Left, Up, Right, Down, S.
std::vector<UINT> heldKeys() {
  std::vector<UINT> keys;
  for (UINT k = '0'; k <= '9'; ++k) keys.push_back(k);
  for (const int k : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, int{'S'}}) {
    keys.push_back(static_cast<UINT>(k));
  }
  return keys;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (argv == nullptr) return kExitBadCommandLine;
  const bool alt = count == 4 && std::wstring(argv[3]) == L"--alt";
  const bool usable = (count == 3 || alt) && std::wstring(argv[1]) == L"--hotkeys";
  const std::wstring logPath = usable ? argv[2] : L"";
  LocalFree(argv);
  if (!usable) return kExitBadCommandLine;

  hotkeyLog = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hotkeyLog == INVALID_HANDLE_VALUE) return kExitLog;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  // Below a 1024 x 768 game at 100, 50 on a 1280 x 1024 screen.
  HWND hwnd = RegisterClassExW(&wc) == 0
                  ? nullptr
                  : CreateWindowExW(0, kClassName, L"Stand-in shell", WS_OVERLAPPEDWINDOW, 100, 880,
                                    400, 120, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return kExitWindow;
  const std::vector<UINT> keys = heldKeys();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (!RegisterHotKey(hwnd, static_cast<int>(i + 1), alt ? MOD_ALT : MOD_WIN, keys[i]))
      return kExitHotkey;
  }
  ShowWindow(hwnd, SW_SHOWNORMAL);

  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  CloseHandle(hotkeyLog);
  return got == 0 ? static_cast<int>(msg.wParam) : kExitWindow;
}
