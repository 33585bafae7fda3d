// A fresh folder under the user's temporary folder, by default with Japanese
// characters in its name, removed with everything in it at the end.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32::test {

class TempFolder {
 public:
  explicit TempFolder(const std::wstring& stem = L"vesk テスト★ ") {
    wchar_t base[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      std::wstring candidate(base, length);
      candidate +=
          stem + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
      if (CreateDirectoryW(candidate.c_str(), nullptr)) path_ = candidate;
    }
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    if (!path_.empty()) removeTree(path_);
  }

  const std::wstring& wide() const { return path_; }
  std::string utf8() const { return toUtf8(path_); }
  // A path inside the folder, UTF-8, as the program passes paths.
  std::string file(const std::string& name) const { return utf8() + "\\" + name; }
  std::wstring wideFile(const std::wstring& name) const { return path_ + L"\\" + name; }

  // Names of the entries in the folder.
  std::vector<std::wstring> entries() const {
    std::vector<std::wstring> names;
    forEachEntry(path_, [&](const std::wstring& name, DWORD) { names.push_back(name); });
    return names;
  }

 private:
  template <typename Visit>
  static void forEachEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    struct Closer {
      HANDLE search;
      ~Closer() { FindClose(search); }
    } closer{search};
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") visit(name, found.dwFileAttributes);
    } while (FindNextFileW(search, &found));
  }

  static void removeTree(const std::wstring& folder) {
    forEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    });
    RemoveDirectoryW(folder.c_str());
  }

  std::wstring path_;
};

// Writes bytes to a file exactly, replacing what was there.
inline bool writeBytes(const std::wstring& path, const std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  const bool ok =
      bytes.empty() ||
      (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
       written == bytes.size());
  return file.close() && ok;
}

// The whole file, or nothing when it cannot be opened.
inline std::optional<std::string> readBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

}  // namespace vesk::platform::win32::test
