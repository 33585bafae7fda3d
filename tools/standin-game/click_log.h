// Append-only log of the mouse presses the stand-in receives, one line each:
// "<button> <x> <y>" with button left, right, middle, x1 or x2 and client
// coordinates in pixels, e.g. "left 12 340". Lines go straight to the file
// (no buffering in the process), so a reader sees each one as soon as the
// press has been handled.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

class ClickLog {
 public:
  ClickLog() = default;
  ClickLog(const ClickLog&) = delete;
  ClickLog& operator=(const ClickLog&) = delete;
  ~ClickLog();

  // Opens (creating it if needed) the file for appending. False on failure.
  bool open(const std::wstring& path);
  // Appends one line; false when the write fails or no file is open.
  bool record(const char* button, int x, int y);

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace standin
