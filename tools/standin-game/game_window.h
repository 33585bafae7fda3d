// The stand-in's one window: class " M H F " (the class vesk looks the game
// up by), a captioned overlapped window whose client area is filled with
// kGameColour, logging every mouse press to a ClickLog.
#pragma once

#include <windows.h>

#include <string>

#include "click_log.h"
#include "options.h"

namespace standin {

// Pure green, far from the overlay's greys, white, olive and red, so that a
// screenshot tells the game's pixels from the panel's at a glance.
constexpr COLORREF kGameColour = RGB(0x00, 0xB0, 0x00);
constexpr wchar_t kGameClassName[] = L" M H F ";
// The ruler's lines: pure blue, a colour the overlay never draws.
constexpr COLORREF kRulerColour = RGB(0x00, 0x00, 0xFF);
constexpr int kRulerTop = 250;  // client pixels: below the overlay's band
constexpr int kRulerHeight = 50;

class GameWindow {
 public:
  GameWindow(HINSTANCE instance, ClickLog& clicks);
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;
  ~GameWindow();

  // Registers the class and creates and shows the window; false on failure,
  // with the reason in error().
  bool create(const Options& options);
  const std::wstring& error() const { return error_; }

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void paint(HWND hwnd);
  void logPress(const char* button, LPARAM lParam);

  HINSTANCE instance_;
  ClickLog& clicks_;
  HBRUSH brush_ = nullptr;
  HBRUSH rulerBrush_ = nullptr;
  int ruler_ = 0;
  ATOM classAtom_ = 0;
  HWND hwnd_ = nullptr;
  std::wstring error_;
};

}  // namespace standin
