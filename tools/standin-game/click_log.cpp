#include "click_log.h"

#include <cstdio>

namespace standin {

ClickLog::~ClickLog() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool ClickLog::open(const std::wstring& path) {
  // FILE_APPEND_DATA alone makes every write land at the current end, and
  // sharing lets the test harness read the file while it grows.
  file_ = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file_ != INVALID_HANDLE_VALUE;
}

bool ClickLog::record(const char* button, int x, int y) {
  if (file_ == INVALID_HANDLE_VALUE) return false;
  char line[64];
  const int length = std::snprintf(line, sizeof line, "%s %d %d\n", button, x, y);
  if (length <= 0 || length >= static_cast<int>(sizeof line)) return false;
  DWORD written = 0;
  return WriteFile(file_, line, static_cast<DWORD>(length), &written, nullptr) &&
         written == static_cast<DWORD>(length);
}

}  // namespace standin
