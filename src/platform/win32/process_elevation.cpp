// Win32System::elevated: the elevation of the process's own token.
#include <windows.h>

#include "platform/win32/system_win32.h"
#include "platform/win32/unique_handle.h"

namespace vesk::platform::win32 {

bool Win32System::elevated() {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return false;
  const UniqueHandle token(rawToken);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

}  // namespace vesk::platform::win32
