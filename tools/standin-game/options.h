// Command line of the stand-in game. Portable: no Win32 types, so that the
// parsing rules stay easy to read and to exercise.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct Options {
  int x = 100;  // outer window position in screen pixels
  int y = 50;
  int width = 1024;  // client area size in pixels
  int height = 768;
  std::wstring clicksPath;  // empty: mouse presses are not logged
  std::wstring title = L"Stand-in game";
  // Draws at its monitor's DPI (per-monitor aware), its pixels the
  // screen's; otherwise DPI-unaware, stretched by the system.
  bool perMonitorAware = false;
  // A 1-pixel ruler line every this many client pixels, across a band
  // below the overlay's (kRulerTop); 0 for none.
  int ruler = 0;
};

struct ParseResult {
  std::optional<Options> options;  // empty when the command line is refused
  std::wstring error;              // why it was refused
};

// Parses the arguments after the program name: --x N, --y N, --width N,
// --height N, --clicks PATH, --title TEXT, --dpi unaware|per-monitor,
// --ruler N, in any order. Unknown options,
// missing values, non-numbers and out-of-range sizes are refused.
ParseResult parseOptions(const std::vector<std::wstring>& args);

}  // namespace standin
