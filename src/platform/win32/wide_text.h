// UTF-8 <-> UTF-16 for the W functions: text inside the program is UTF-8,
// Windows takes and gives UTF-16.
#pragma once

#include <windows.h>

#include <climits>
#include <string>
#include <string_view>

namespace vesk::platform::win32 {

// Malformed UTF-8 becomes U+FFFD, so every text converts. Texts beyond
// INT_MAX bytes (no path or caption comes near) give an empty result.
inline std::wstring toWide(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int length = static_cast<int>(utf8.size());
  const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  if (MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed) != needed)
    return {};
  return wide;
}

// A lone surrogate becomes U+FFFD.
inline std::string toUtf8(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int length = static_cast<int>(wide.size());
  const int needed =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string utf8(static_cast<std::size_t>(needed), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr) !=
      needed) {
    return {};
  }
  return utf8;
}

}  // namespace vesk::platform::win32
