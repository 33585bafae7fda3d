#include "platform/win32/shortcuts_win32.h"

#include <windows.h>
// The shell headers rely on windows.h.
#include <shlobj.h>
#include <shlwapi.h>

#include <cwchar>

#include "platform/win32/com_ptr.h"
#include "platform/win32/file_replace.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/link_info_unicode.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

namespace {

// Room for the longest path that Windows accepts.
constexpr int kLongestPath = 32768;
// A shortcut is a few hundred bytes; anything near this is not one.
constexpr std::size_t kLargestShortcut = 1 << 20;

ComPtr<IShellLinkW> createShellLink() {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.put()))) {
    link.reset();
  }
  return link;
}

ComPtr<IPersistFile> persistFileOf(const ComPtr<IShellLinkW>& link) {
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put()))) file.reset();
  return file;
}

// Makes sure the saved file carries its target in Unicode too (see
// link_info_unicode.h); the shell's file stays as it is when that needs no
// change.
bool keepUnicodeTarget(const std::string& path, const std::wstring& widePath,
                       const std::wstring& target) {
  const ReadResult saved = Win32Files().read(path, kLargestShortcut);
  if (saved.status != ReadStatus::Ok) return false;
  const auto patched = withUnicodeTarget(saved.bytes, target, CP_ACP);
  return !patched || replaceFileContents(widePath, *patched);
}

}  // namespace

std::string Win32Shortcuts::expandEnvironmentStrings(std::string_view text) {
  const std::wstring source = toWide(text);
  if (source.empty()) return std::string(text);
  std::wstring expanded(source.size() + 1, L'\0');
  // The variables may change between the two calls, so ask until it fits.
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), expanded.data(),
                                                   static_cast<DWORD>(expanded.size()));
    if (needed == 0) return std::string(text);
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);  // without the terminating zero
      return toUtf8(expanded);
    }
    expanded.assign(needed, L'\0');
  }
  return std::string(text);
}

bool Win32Shortcuts::save(const ShortcutLink& wanted) {
  const ComApartment apartment;
  if (!apartment.usable()) return false;
  const std::wstring file = toWide(wanted.file);
  if (file.empty()) return false;

  ComPtr<IShellLinkW> link = createShellLink();
  if (!link) return false;
  ComPtr<IPersistFile> persist = persistFileOf(link);
  if (!persist) return false;

  // Start from the existing shortcut, so that its description, icon and hot
  // key survive. A file that is no shortcut leaves a half-loaded object
  // behind: start again from a fresh one.
  if (PathFileExistsW(file.c_str()) && FAILED(persist->Load(file.c_str(), STGM_READ))) {
    persist.reset();
    link = createShellLink();
    if (!link) return false;
    persist = persistFileOf(link);
    if (!persist) return false;
  }

  const std::wstring target = toWide(wanted.target);
  const std::wstring arguments = toWide(wanted.arguments);
  const std::wstring workingDirectory = toWide(wanted.workingDirectory);
  if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetArguments(arguments.c_str())) ||
      FAILED(link->SetWorkingDirectory(workingDirectory.c_str())) ||
      FAILED(link->SetShowCmd(wanted.showCommand))) {
    return false;
  }
  // The target as the shell object holds it, in Unicode, before saving.
  std::wstring resolved(kLongestPath, L'\0');
  if (FAILED(link->GetPath(resolved.data(), kLongestPath, nullptr, SLGP_RAWPATH))) return false;
  resolved.resize(wcsnlen(resolved.c_str(), resolved.size()));
  if (FAILED(persist->Save(file.c_str(), TRUE))) return false;
  return keepUnicodeTarget(wanted.file, file, resolved);
}

}  // namespace vesk::platform::win32
