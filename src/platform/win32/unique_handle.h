// Ownership of a kernel handle (file, mutex): closed exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace vesk::platform::win32 {

class UniqueHandle {
 public:
  UniqueHandle() = default;
  // Takes a handle as CreateFileW or CreateMutexW return it; both failure
  // values (null and INVALID_HANDLE_VALUE) mean "no handle".
  explicit UniqueHandle(HANDLE handle)
      : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Closes the handle now and reports whether CloseHandle succeeded, which
  // for a written file is the last chance to learn of a failed write.
  bool close() {
    if (!handle_) return true;
    return CloseHandle(std::exchange(handle_, nullptr)) != 0;
  }
  void reset() { close(); }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace vesk::platform::win32
