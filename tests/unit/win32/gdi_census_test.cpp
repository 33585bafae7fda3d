// The strips hold no more GDI objects after thousands of repaints than
// after the first: every brush, bitmap, font and device context that a
// paint makes is given back, and so is every region the shape is made
// of. The program runs on the fake platform; its controls are painted and
// shaped with the real painter and key shape, as each present() does.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/fake/fake_platform.h"
#include "platform/win32/control_geometry.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/key_shape.h"
#include "platform/win32/painter_win32.h"
#include "shell/frm_vesk.h"

namespace vesk {
namespace {

using namespace platform::win32;

struct Held {
  long objects;
  long deviceContexts;
  friend bool operator==(const Held&, const Held&) = default;
};
Held held() { return {gdiCensus().objects.load(), gdiCensus().deviceContexts.load()}; }

TEST(GdiCensus, FlatOverTenThousandFullRefreshesAndStopwatchRepaints) {
  platform::fake::FakePlatform fake;
  ModVESK mod(fake.files, fake.clock);
  FrmVESK form(fake.services, mod);
  ASSERT_EQ(form.Form_Load(), FrmVESK::LoadOutcome::Loaded);

  WindowDc screen(nullptr);
  MemoryDc target(screen.get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), 1024, 190));
  SelectionScope selection(target.get(), bitmap.get());
  ASSERT_TRUE(selection.selected());
  // Each window redraws what changed since its last present(), rescans
  // those rows for key pixels, makes the region when they changed and shows
  // the areas.
  Painter painters[2];
  KeyShape shapes[2];
  std::vector<platform::Control> last[2];
  const auto paintBoth = [&] {
    int w = 0;
    for (const char* name : {"frmVESK", "frmVESK2"}) {
      const auto& now = fake.windowing.window(name)->controls;
      painters[w].resize(1024, 190);
      bool reshaped = false;
      for (const RECT& area : changedAreas(last[w], now)) {
        painters[w].render(area, kKeyColour, now);
        reshaped = shapes[w].rescan(painters[w].pixels(), area, kKeyColour) || reshaped;
        painters[w].show(target.get(), area);
      }
      if (reshaped) {
        EXPECT_TRUE(shapes[w].region(0, 0));
      }
      last[w++] = now;
    }
  };
  form.onTimer();
  paintBoth();
  const Held start = held();

  for (int i = 0; i < 10000; ++i) {
    // The marks go and come back, so every control is laid out and drawn.
    form.onHotKey(1030);
    form.state().refreshRequested = true;
    form.onTimer();
    paintBoth();
  }
  EXPECT_EQ(held(), start) << "after full refreshes";

  form.onHotKey(1027);
  for (int i = 0; i < 10000; ++i) {
    fake.clock.advance(100);
    form.onTimer();
    paintBoth();
  }
  EXPECT_NE(form.controls().at("txtMenu", 0).text, "0:00:00.00");
  EXPECT_EQ(held(), start) << "after stopwatch repaints";
}

}  // namespace
}  // namespace vesk
