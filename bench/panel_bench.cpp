// One full layout of the panel and one tick, from memory: the work that the
// 100 ms timer does at a full refresh and on every ordinary tick.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/fake/fake_platform.h"
#include "shell/frm_vesk.h"

namespace vesk {
namespace {

std::string example(const std::string& name) {
  std::ifstream in(std::string(VESK_EXAMPLES_DIR) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The program loaded beside a game window with the example data files.
struct Loaded {
  Loaded() {
    for (const char* name : {"caravan_tama.txt", "caravan_que.txt", "caravan_fushi.txt"}) {
      fake.files.put(fake.system.folder + "\\" + name, example(name));
    }
    fake.windowing.addForeignWindow({" M H F ", {100, 50, 1132, 842}, {0, 0, 1024, 768}});
    form.Form_Load();
    form.onTimer();  // the pending placement and the first full refresh
  }
  platform::fake::FakePlatform fake;
  ModVESK mod{fake.files, fake.clock};
  FrmVESK form{fake.services, mod};
};

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
