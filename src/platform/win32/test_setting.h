// Switches that only the end-to-end tests set in vesk.exe's environment, to
// provoke what a player's system does rarely (a slow handler, a hook the
// system removed). Unset, as for every player, each reads as 0.
#pragma once

#include <windows.h>

#include <cwchar>

namespace vesk::platform::win32 {

// The whole number in environment variable `name`, or 0 when it is unset,
// empty or too long to be one.
inline unsigned long testSetting(const wchar_t* name) {
  wchar_t value[16];
  const DWORD length = GetEnvironmentVariableW(name, value, 16);
  return length > 0 && length < 16 ? std::wcstoul(value, nullptr, 10) : 0;
}

}  // namespace vesk::platform::win32
