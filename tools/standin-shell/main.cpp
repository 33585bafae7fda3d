// Stand-in shell for the end-to-end tests: like the shell of Windows 10 and
// 11 it holds Windows key + 0..9, + the arrows and + S as hotkeys, which
// Wine's own shell does not. It has an ordinary captioned window (class
// "vesk.standin-shell") and appends a line "hotkey <id>" to the log for
// every hotkey it receives (ids 1 to 10 for the digits 0 to 9, 11 to 14 for
// Left, Up, Right, Down, 15 for S). The window shows only once every chord
// is held, so a test that waits for it can start vesk after. With --alt it
// holds the same chords with Alt instead of the Windows key.
// With --keys it also watches the keyboard through a low-level hook of its
// own, installed before vesk's and so called after it: each key that
// passes vesk's hook is logged as "key <vk> <down|up> <ms>", the delay
// after the key's own event time, and a Windows key pressed and released
// with no other key between, which opens Start on Windows, as "start".
// Usage: standin-shell --hotkeys PATH [--alt] [--keys PATH]
// Exit codes: 0 after WM_CLOSE, 2 for a refused command line, 3 when the
// log cannot be opened, 4 when the window cannot be created, 5 when a
// chord cannot be registered, 6 when the keyboard hook is refused.
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
constexpr int kExitHook = 6;
constexpr wchar_t kClassName[] = L"vesk.standin-shell";

HANDLE hotkeyLog = INVALID_HANDLE_VALUE;
HANDLE keyLog = INVALID_HANDLE_VALUE;
// A Windows key is down and no other key came since.
bool windowsKeyAlone = false;

void append(HANDLE log, const std::string& line) {
  DWORD written = 0;
  WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void logHotkey(WPARAM id) { append(hotkeyLog, "hotkey " + std::to_string(id) + "\n"); }

LRESULT CALLBACK keyHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    const DWORD delay = GetTickCount() - key.time;
    append(keyLog, "key " + std::to_string(key.vkCode) + (down ? " down " : " up ") +
                       std::to_string(static_cast<long>(delay)) + "\n");
    if (key.vkCode == VK_LWIN || key.vkCode == VK_RWIN) {
      if (!down && windowsKeyAlone) append(keyLog, "start\n");
      windowsKeyAlone = down;
    } else {
      windowsKeyAlone = false;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
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
  bool usable = count >= 3 && std::wstring(argv[1]) == L"--hotkeys";
  bool alt = false;
  std::wstring keyLogPath;
  for (int i = 3; usable && i < count; ++i) {
    const std::wstring option = argv[i];
    if (option == L"--alt" && !alt) {
      alt = true;
    } else if (option == L"--keys" && keyLogPath.empty() && i + 1 < count && *argv[i + 1]) {
      keyLogPath = argv[++i];
    } else {
      usable = false;
    }
  }
  const std::wstring logPath = usable ? argv[2] : L"";
  LocalFree(argv);
  if (!usable) return kExitBadCommandLine;

  hotkeyLog = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hotkeyLog == INVALID_HANDLE_VALUE) return kExitLog;
  HHOOK hook = nullptr;
  if (!keyLogPath.empty()) {
    keyLog = CreateFileW(keyLogPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (keyLog == INVALID_HANDLE_VALUE) return kExitLog;
    hook = SetWindowsHookExW(WH_KEYBOARD_LL, keyHook, instance, 0);
    if (hook == nullptr) return kExitHook;
  }

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
  if (hook) UnhookWindowsHookEx(hook);
  if (keyLog != INVALID_HANDLE_VALUE) CloseHandle(keyLog);
  CloseHandle(hotkeyLog);
  return got == 0 ? static_cast<int>(msg.wParam) : kExitWindow;
}
