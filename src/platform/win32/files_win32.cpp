#include "platform/win32/files_win32.h"

#include <windows.h>
// The shell headers rely on windows.h.
#include <shlwapi.h>

#include <string>

#include "platform/win32/file_replace.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

namespace {

constexpr DWORD kReadChunk = 64 * 1024;

// Errors of CreateFileW that mean there is no file of that name at all; any
// other error means the file is there but cannot be opened.
bool meansMissing(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
      return true;
    default:
      return false;
  }
}

ReadResult failure(ReadStatus status) { return ReadResult{status, {}}; }

}  // namespace

bool Win32Files::exists(const std::string& path) {
  const std::wstring wide = toWide(path);
  return !wide.empty() && PathFileExistsW(wide.c_str());
}

ReadResult Win32Files::read(const std::string& path, std::size_t maxBytes) {
  const std::wstring wide = toWide(path);
  if (wide.empty()) return failure(ReadStatus::Missing);
  UniqueHandle file(CreateFileW(
      wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    return failure(meansMissing(GetLastError()) ? ReadStatus::Missing : ReadStatus::Unreadable);
  }
  // Consoles, pipes and other devices could block a read indefinitely.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return failure(ReadStatus::Unreadable);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
    return failure(ReadStatus::Unreadable);
  }
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    return failure(ReadStatus::TooLarge);
  }

  // Read to the end rather than to the size seen above: the file may grow or
  // shrink meanwhile, and the limit must hold for what is actually read.
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  for (;;) {
    const std::size_t have = bytes.size();
    bytes.resize(have + kReadChunk);
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + have, kReadChunk, &got, nullptr)) {
      return failure(ReadStatus::Unreadable);
    }
    bytes.resize(have + got);
    if (bytes.size() > maxBytes) return failure(ReadStatus::TooLarge);
    if (got == 0) break;
  }
  return ReadResult{ReadStatus::Ok, std::move(bytes)};
}

WriteOutcome Win32Files::writeLine(const std::string& path, std::string_view line) {
  const std::wstring target = toWide(path);
  if (target.empty()) return WriteOutcome::Failed;
  std::string contents(line);
  contents += "\r\n";
  return replaceFileContents(target, contents);
}

bool Win32Files::remove(const std::string& path) {
  const std::wstring wide = toWide(path);
  return !wide.empty() && DeleteFileW(wide.c_str());
}

}  // namespace vesk::platform::win32
