// One full layout of the panel and one tick, from memory: the work that the
// 100 ms timer does at a full refresh and on every ordinary tick.
#include <benchmark/benchmark.h>

#include "loaded_form.h"

namespace vesk {
namespace {

using Loaded = bench::LoadedForm;

void BM_fullRefresh(benchmark::State& state) {
  Loaded p;
  for (auto _ : state) {
    p.form.state().refreshRequested = true;
    p.form.onTimer();
  }
}
BENCHMARK(BM_fullRefresh);

void BM_updMenuThroughToggle(benchmark::State& state) {
  Loaded p;
  for (auto _ : state) p.form.updPTLine();  // one full updMenu per call
}
BENCHMARK(BM_updMenuThroughToggle);

void BM_idleTick(benchmark::State& state) {
  Loaded p;
  p.fake.clock.setNow(toTimestamp({2010, 3, 6, 9, 5, 30}));  // not second 0
  for (auto _ : state) {
    p.form.state().refreshTick = 0;
    p.form.onTimer();
  }
}
BENCHMARK(BM_idleTick);

void BM_stopwatchTick(benchmark::State& state) {
  Loaded p;
  p.fake.clock.setNow(toTimestamp({2010, 3, 6, 9, 5, 30}));
  p.form.updSW(true);
  for (auto _ : state) {
    p.fake.clock.setTickCount(p.fake.clock.tickCount() + 100);
    p.form.state().refreshTick = 0;
    p.form.onTimer();
  }
}
BENCHMARK(BM_stopwatchTick);

}  // namespace
}  // namespace vesk
