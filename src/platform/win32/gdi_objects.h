// Ownership of GDI objects and device contexts: each is deleted, released or
// deselected exactly once, on every path.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <utility>

namespace vesk::platform::win32 {

// How many GDI objects and device contexts these wrappers hold at this
// moment. The system's own count (GetGuiResources) is a stub under Wine, so
// the leak test reads this one; it costs one atomic add per object.
struct GdiCensus {
  std::atomic<long> objects{0};
  std::atomic<long> deviceContexts{0};
};
GdiCensus& gdiCensus();

// A pen, brush, font, bitmap or region from a Create... function.
template <typename Object>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Object object) : object_(object) {
    if (object_) ++gdiCensus().objects;
  }
  GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  Object get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void reset() {
    if (object_) {
      DeleteObject(std::exchange(object_, nullptr));
      --gdiCensus().objects;
    }
  }
  // Gives the object up to a new owner that deletes it (SetWindowRgn's
  // region belongs to the system once the call succeeds).
  Object release() {
    if (object_) --gdiCensus().objects;
    return std::exchange(object_, nullptr);
  }

 private:
  Object object_ = nullptr;
};

// A memory device context from CreateCompatibleDC.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {
    if (dc_) ++gdiCensus().deviceContexts;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) {
      DeleteDC(dc_);
      --gdiCensus().deviceContexts;
    }
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// The device context of a window (null: the whole screen) from GetDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_) ++gdiCensus().deviceContexts;
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) {
      ReleaseDC(window_, dc_);
      --gdiCensus().deviceContexts;
    }
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back,
// so that the object can be deleted afterwards.
class SelectionScope {
 public:
  SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectionScope(const SelectionScope&) = delete;
  SelectionScope& operator=(const SelectionScope&) = delete;
  ~SelectionScope() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  bool selected() const { return previous_ && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A memory device context with a 32-bit top-down DIB section of its own
// selected, whose pixels can also be read and written directly.
class PixelCanvas {
 public:
  // Empty (false) when the system refuses the context or the bitmap.
  PixelCanvas(int width, int height);
  ~PixelCanvas();
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  explicit operator bool() const { return bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  std::uint32_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  MemoryDc dc_{nullptr};
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vesk::platform::win32
