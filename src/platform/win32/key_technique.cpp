#include "platform/win32/key_technique.h"

#include <windows.h>

namespace vesk::platform::win32 {

namespace {

constexpr int kFirstWineWithDirtyKeyScan = 9;

// The version text of the Wine beneath, or empty on Windows. Wine's ntdll
// exports wine_get_version; Windows' has no such export.
std::string_view wineVersion() {
  using GetVersion = const char*(CDECL*)();
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return {};
  const auto get = reinterpret_cast<GetVersion>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
  const char* text = get ? get() : nullptr;
  return text ? std::string_view(text) : std::string_view();
}

}  // namespace

KeyTechnique keyTechniqueForWine(std::string_view version) {
  if (version.empty()) return KeyTechnique::ColourKey;
  int major = 0;
  std::size_t digits = 0;
  for (; digits < version.size() && digits < 4; ++digits) {
    const char c = version[digits];
    if (c < '0' || c > '9') break;
    major = major * 10 + (c - '0');
  }
  // An unreadable version is taken for a current Wine.
  if (digits == 0) return KeyTechnique::ColourKey;
  return major < kFirstWineWithDirtyKeyScan ? KeyTechnique::Region : KeyTechnique::ColourKey;
}

KeyTechnique keyTechnique() {
  // The platform does not change while the program runs.
  static const KeyTechnique technique = keyTechniqueForWine(wineVersion());
  return technique;
}

}  // namespace vesk::platform::win32
