#include "platform/win32/system_win32.h"

#include <windows.h>
// sddl.h relies on windows.h.
#include <sddl.h>

#include <memory>
#include <vector>

#include "platform/win32/gdi_objects.h"
#include "platform/win32/process_text.h"
#include "platform/win32/program_icon.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

namespace {

// Longer than any path Windows hands out, even with the \\?\ prefix.
constexpr DWORD kLongestModulePath = 64 * 1024;
constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerPixelAt96Dpi = 15;
constexpr wchar_t kMessageCaption[] = L"vesk";

struct LocalMemoryFree {
  void operator()(wchar_t* text) const { LocalFree(text); }
};

// The user's SID as text ("S-1-5-21-..."), or the user name when the token
// cannot be read, so that each user of a machine gets a mutex of their own.
std::wstring currentUserKey() {
  HANDLE rawToken = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) {
    UniqueHandle token(rawToken);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size > 0) {
      std::vector<unsigned char> buffer(size);
      if (GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
        const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
        LPWSTR sidText = nullptr;
        if (ConvertSidToStringSidW(user->User.Sid, &sidText)) {
          const std::unique_ptr<wchar_t, LocalMemoryFree> owned(sidText);
          return std::wstring(sidText);
        }
      }
    }
  }
  wchar_t name[256 + 1] = {};
  DWORD length = static_cast<DWORD>(std::size(name));
  if (GetUserNameW(name, &length)) return name;
  return L"unknown-user";
}

int twipsPerPixel(int dotsPerInch) {
  return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : kTwipsPerPixelAt96Dpi;
}

}  // namespace

Win32System::Win32System() : ownDpi_(std::make_unique<DpiSupport>()), dpi_(*ownDpi_) {}

Win32System::Win32System(const DpiSupport& dpi) : dpi_(dpi) {}

std::string Win32System::exeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    // Cut short: the buffer was too small.
    if (path.size() >= kLongestModulePath) return {};
    path.resize(path.size() * 2);
  }
  return toUtf8(folderOfModulePath(path));
}

std::string Win32System::commandLineArguments() {
  const wchar_t* commandLine = GetCommandLineW();
  return commandLine ? toUtf8(argumentsOfCommandLine(commandLine)) : std::string();
}

bool Win32System::anotherInstanceRunning() {
  if (instanceChecked_) return anotherInstance_;
  instanceChecked_ = true;
  const std::wstring name = L"Local\\vesk.single-instance." + currentUserKey();
  SetLastError(ERROR_SUCCESS);
  instanceMutex_ = UniqueHandle(CreateMutexW(nullptr, FALSE, name.c_str()));
  const DWORD error = GetLastError();
  // Access denied: the mutex exists, created by an instance of this user
  // with a different security context (elevated, for example).
  anotherInstance_ = instanceMutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
  return anotherInstance_;
}

void Win32System::messageBox(std::string_view text) {
  const std::wstring wide = toWide(text);
  const DpiSupport::ThreadScope scope(&dpi_, dpi_.startContext());
  // Owned by the active window of this thread (the editor, say), so that
  // window waits for the answer instead of taking a second click. Topmost
  // (system-modal is application-modal with the topmost style, the form
  // Debian 12's Wine honours), it opens above a game that is topmost
  // itself, as the latest topmost window lies highest; it asks for the
  // foreground too, which the system grants where the lock allows and
  // otherwise flashes its taskbar button.
  MSGBOXPARAMSW box{};
  box.cbSize = sizeof(box);
  box.hwndOwner = GetActiveWindow();
  box.lpszText = wide.c_str();
  box.lpszCaption = kMessageCaption;
  box.dwStyle = MB_OK | MB_SYSTEMMODAL | MB_TOPMOST | MB_SETFOREGROUND;
  // The program's icon beside the text; without it (a test program) a box
  // of MB_USERICON would keep an empty place for it.
  if (hasProgramIcon()) {
    box.hInstance = GetModuleHandleW(nullptr);
    box.lpszIcon = programIconName();
    box.dwStyle |= MB_USERICON;
  }
  MessageBoxIndirectW(&box);
}

int Win32System::twipsPerPixelX() { return twipsPerPixel(dpi_.startDpiX()); }

int Win32System::twipsPerPixelY() { return twipsPerPixel(dpi_.startDpiY()); }

double Win32System::random() {
  // 32 random bits over 2^32: always below 1.
  return static_cast<double>(engine_()) / 4294967296.0;
}

void Win32System::debugOutput(std::string_view text) {
  const std::wstring line = toWide(text) + L"\n";
  OutputDebugStringW(line.c_str());
}

void Win32System::sleep(int milliseconds) {
  Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

}  // namespace vesk::platform::win32
