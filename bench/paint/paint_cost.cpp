// What painting the main strip costs at each display scale: the real
// painter draws the panel that the program lays out beside a 1024 x 768
// game (example data files, stopwatch running) into its back buffer and
// shows it on a screen-compatible bitmap. Per scale it prints the time of a
// whole paint (a layout change, a new scale) and of one stopwatch tick (the
// areas that changed, as the window repaints them), and each against scale 1.
// Prints figures and asserts nothing. Usage: paint-cost.exe [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "loaded_form.h"
#include "platform/win32/control_geometry.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/painter_win32.h"

namespace vesk {
namespace {

using platform::ScreenScale;
using platform::win32::Painter;

// The stopwatch running: every tick changes its line.
struct Loaded : bench::LoadedForm {
  Loaded() {
    fake.clock.setNow(toTimestamp({2010, 3, 6, 9, 5, 30}));
    form.updSW(true);
  }
  void tick() {
    fake.clock.setTickCount(fake.clock.tickCount() + 100);
    form.onTimer();
  }
};

double microseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency, int count) {
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart) / count;
}

struct Figures {
  double whole = 0;  // microseconds per whole paint
  double tick = 0;   // microseconds per stopwatch tick
  long long tickPixels = 0;
};

Figures measure(double factor, int rounds) {
  Loaded p;
  const ScreenScale scale = ScreenScale::of(factor);
  const auto& main = *p.fake.windowing.window("frmVESK");
  const int width = scale.extent(main.rect.width());
  const int height = scale.extent(main.rect.height());
  Painter painter;
  painter.setScale(scale);
  if (!painter.resize(width, height)) return {};
  const platform::win32::WindowDc screen(nullptr);
  platform::win32::MemoryDc target(screen.get());
  platform::win32::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!target || !bitmap) return {};
  const HGDIOBJ previous = SelectObject(target.get(), bitmap.get());
  const RECT client{0, 0, width, height};
  std::vector<platform::Control> kept = p.form.controls().all();

  LARGE_INTEGER frequency, from, to;
  QueryPerformanceFrequency(&frequency);
  Figures f;
  QueryPerformanceCounter(&from);
  for (int i = 0; i < rounds; ++i) {
    painter.render(client, kKeyColour, kept);
    painter.show(target.get(), client);
  }
  QueryPerformanceCounter(&to);
  f.whole = microseconds(from, to, frequency, rounds);

  LONGLONG spent = 0;
  for (int i = 0; i < rounds; ++i) {
    p.tick();  // the program's own work is not painting: outside the clock
    QueryPerformanceCounter(&from);
    const std::vector<RECT> areas =
        platform::win32::adoptChanges(kept, p.form.controls().all(), scale);
    for (const RECT& area : areas) {
      painter.render(area, kKeyColour, kept);
      painter.show(target.get(), area);
      f.tickPixels += static_cast<long long>(area.right - area.left) * (area.bottom - area.top);
    }
    QueryPerformanceCounter(&to);
    spent += to.QuadPart - from.QuadPart;
  }
  f.tick = 1e6 * static_cast<double>(spent) / static_cast<double>(frequency.QuadPart) / rounds;
  f.tickPixels /= rounds;
  SelectObject(target.get(), previous);
  return f;
}

}  // namespace
}  // namespace vesk

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  std::printf("painting the main strip, %d rounds each\n", rounds);
  std::printf("scale  whole paint us  vs 1   tick us  vs 1   tick pixels\n");
  const vesk::Figures one = vesk::measure(1.0, rounds);
  for (const double factor : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    const vesk::Figures f = factor == 1.0 ? one : vesk::measure(factor, rounds);
    std::printf("%5.2f  %14.1f  %4.2f  %8.1f  %4.2f  %11lld\n", factor, f.whole,
                one.whole > 0 ? f.whole / one.whole : 0, f.tick,
                one.tick > 0 ? f.tick / one.tick : 0, f.tickPixels);
  }
  return 0;
}
