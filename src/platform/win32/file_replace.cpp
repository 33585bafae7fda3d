#include "platform/win32/file_replace.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace vesk::platform::win32 {

namespace {

constexpr int kTemporaryNameAttempts = 100;

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD request = bytes.size() > MAXDWORD ? MAXDWORD : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), request, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Creates a new, empty temporary file in the target's folder (the target's
// name plus a suffix), so that the final move stays on one volume.
UniqueHandle createTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
  // The process id and the tick count make a clash unlikely; CREATE_NEW
  // guarantees that an existing file is never reused.
  const std::wstring stem = target + L".~vesk" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount64()) + L"-";
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary = stem + std::to_wstring(attempt) + L".tmp";
    UniqueHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  temporary.clear();
  return UniqueHandle();
}

}  // namespace

std::wstring reserveTemporaryBeside(const std::wstring& target) {
  if (target.empty()) return {};
  std::wstring temporary;
  return createTemporaryBeside(target, temporary) ? temporary : std::wstring();
}

WriteOutcome replaceFileContents(const std::wstring& path, std::string_view bytes) {
  if (path.empty()) return WriteOutcome::Failed;
  // Neither is to be replaced, and waiting would not change that. A move
  // over a read-only file succeeds on some systems (Wine) and would quietly
  // drop the protection.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    return WriteOutcome::Failed;
  }
  std::wstring temporary;
  UniqueHandle file = createTemporaryBeside(path, temporary);
  if (!file) return WriteOutcome::Failed;
  const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
  const bool closed = file.close();
  if (!written || !closed) {
    DeleteFileW(temporary.c_str());
    return WriteOutcome::Failed;
  }
  if (MoveFileExW(temporary.c_str(), path.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return WriteOutcome::Written;
  }
  // A target that another program has open without FILE_SHARE_DELETE
  // cannot be replaced until it is closed.
  const DWORD error = GetLastError();
  DeleteFileW(temporary.c_str());
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ? WriteOutcome::Held
                                                                          : WriteOutcome::Failed;
}

}  // namespace vesk::platform::win32
