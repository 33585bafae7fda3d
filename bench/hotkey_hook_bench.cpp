// The keyboard hook's decision per key event, as the hook procedure runs it
// for the chords the shell holds: an ordinary key the hook does not watch,
// a watched digit typed without the modifier, and a refused chord pressed
// over the game. The system calls around it (modifier state, foreground
// window, posting) are not part of the figure.
#include <benchmark/benchmark.h>

#include "platform/fake/fake_platform.h"
#include "shell/frm_vesk.h"

namespace vesk {
namespace {

struct Hooked {
  Hooked() {
    // As on Windows 10 and 11: the shell holds Windows key + digits, arrows, S.
    for (unsigned k = '0'; k <= '9'; ++k)
      fake.windowing.heldByOthers.insert({platform::kModWin, k});
    for (unsigned k : {0x25u, 0x26u, 0x27u, 0x28u, 0x53u})
      fake.windowing.heldByOthers.insert({platform::kModWin, k});
    game = fake.windowing.addForeignWindow({" M H F ", {100, 50, 1132, 842}, {0, 0, 1024, 768}});
    form.Form_Load();
  }
  // What the hook procedure does with one event: the watched-key test, then
  // the decision.
  platform::HookVerdict hook(const platform::KeyEvent& e) {
    const auto& h = fake.windowing.hook;
    if (!h.keys.test(e.virtualKey)) return {};
    return h.decide(e);
  }
  platform::fake::FakePlatform fake;
  ModVESK mod{fake.files, fake.clock};
  FrmVESK form{fake.services, mod};
  WindowHandle game = 0;
};

void run(benchmark::State& state, platform::KeyEvent event, platform::HookAction expected) {
  Hooked p;
  event.foreground = p.game;
  if (p.hook(event).action != expected) state.SkipWithError("unexpected verdict");
  for (auto _ : state) benchmark::DoNotOptimize(p.hook(event));
}

void BM_hookUnwatchedKey(benchmark::State& state) {
  run(state, {'A', true, 0, 0}, platform::HookAction::Pass);
}
void BM_hookDigitWithoutModifier(benchmark::State& state) {
  run(state, {'2', true, 0, 0}, platform::HookAction::Pass);
}
void BM_hookRefusedChordOverTheGame(benchmark::State& state) {
  run(state, {'S', true, platform::kModWin, 0}, platform::HookAction::Act);
}

BENCHMARK(BM_hookUnwatchedKey);
BENCHMARK(BM_hookDigitWithoutModifier);
BENCHMARK(BM_hookRefusedChordOverTheGame);

}  // namespace
}  // namespace vesk
