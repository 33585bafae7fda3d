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

// Saves the shortcut so that it appears whole or not at all: the shell writes
// into a temporary file beside the target, which gets the Unicode form of the
// target (see link_info_unicode.h) and then replaces the target in one move.
// A reader never sees a half-written or ANSI-only shortcut, and a failure
// leaves the old one as it was.
WriteOutcome saveWhole(IPersistFile& persist, const std::wstring& file,
                       const std::wstring& target) {
  const std::wstring temporary = reserveTemporaryBeside(file);
  if (temporary.empty()) return WriteOutcome::Failed;
  const bool shellSaved = SUCCEEDED(persist.Save(temporary.c_str(), FALSE));
  const ReadResult written =
      shellSaved ? Win32Files().read(toUtf8(temporary), kLargestShortcut) : ReadResult{};
  // Gone before the shortcut appears: whoever sees the new shortcut sees no
  // temporary file beside it.
  DeleteFileW(temporary.c_str());
  if (!shellSaved || written.status != ReadStatus::Ok) return WriteOutcome::Failed;
  const auto patched = withUnicodeTarget(written.bytes, target, CP_ACP);
  return replaceFileContents(file, patched ? *patched : written.bytes);
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

WriteOutcome Win32Shortcuts::save(const ShortcutLink& wanted) {
  constexpr WriteOutcome kFailed = WriteOutcome::Failed;
  const ComApartment apartment;
  if (!apartment.usable()) return kFailed;
  const std::wstring file = toWide(wanted.file);
  if (file.empty()) return kFailed;

  ComPtr<IShellLinkW> link = createShellLink();
  if (!link) return kFailed;
  ComPtr<IPersistFile> persist = persistFileOf(link);
  if (!persist) return kFailed;

  // Start from the existing shortcut, so that its description, icon and hot
  // key survive. One that another program holds is waited for rather than
  // replaced without them. A file that is no shortcut leaves a half-loaded
  // object behind: start again from a fresh one.
  if (PathFileExistsW(file.c_str())) {
    const HRESULT loaded = persist->Load(file.c_str(), STGM_READ);
    if (loaded == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) || loaded == E_ACCESSDENIED) {
      return WriteOutcome::Held;
    }
    if (FAILED(loaded)) {
      persist.reset();
      link = createShellLink();
      if (!link) return kFailed;
      persist = persistFileOf(link);
      if (!persist) return kFailed;
    }
  }

  const std::wstring target = toWide(wanted.target);
  const std::wstring arguments = toWide(wanted.arguments);
  const std::wstring workingDirectory = toWide(wanted.workingDirectory);
  if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetArguments(arguments.c_str())) ||
      FAILED(link->SetWorkingDirectory(workingDirectory.c_str())) ||
      FAILED(link->SetShowCmd(wanted.showCommand))) {
    return kFailed;
  }
  // The target as the shell object holds it, in Unicode, before saving.
  std::wstring resolved(kLongestPath, L'\0');
  if (FAILED(link->GetPath(resolved.data(), kLongestPath, nullptr, SLGP_RAWPATH))) return kFailed;
  resolved.resize(wcsnlen(resolved.c_str(), resolved.size()));
  return saveWhole(*persist.get(), file, resolved);
}

}  // namespace vesk::platform::win32
