// The caravan line and the hour mark as every layout pass asks for them: from
// the tables in memory, without touching the files.
#include <benchmark/benchmark.h>

#include <string>

#include "caravan/mod_vesk.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_files.h"

namespace vesk {
namespace {

// A quest cycle of 14 days with full-width names and a festival cycle of 7,
// as code page 932 bytes.
std::string questFile() {
  std::string bytes;
  for (int n = 1; n <= 14; ++n) {
    bytes += std::to_string(n) + ",\x8C\xC3\x97\xB4\x8D\xD5\x82\xE8" + std::to_string(n) + "\r\n";
  }
  return bytes;
}
const char* const kFestivalFile = "1,\r\n2,\x81\x9A\r\n3,\r\n4,\r\n5,\x81\x9A\r\n6,\r\n7,\r\n";

struct Loaded {
  Loaded() {
    mod.pathQue = "que";
    mod.pathFushi = "fushi";
    files.put(mod.pathQue, questFile());
    files.put(mod.pathFushi, kFestivalFile);
    std::string text;
    bool festival = false;
    mod.getCaravanText(text, festival, clock.now(), 0, true);
  }
  platform::fake::FakeFiles files;
  platform::fake::FakeClock clock;
  ModVESK mod{files, clock};
};

void BM_getCaravanText(benchmark::State& state) {
  Loaded l;
  Timestamp moment = toTimestamp(DateTime{2010, 9, 25, 18, 0, 0});
  const int readsBefore = l.files.readCount();
  for (auto _ : state) {
    std::string text;
    bool festival = false;
    l.mod.getCaravanText(text, festival, moment, 0, false);
    benchmark::DoNotOptimize(text);
    moment += 1.0;  // a new calendar day each time
  }
  if (l.files.readCount() != readsBefore) state.SkipWithError("a layout pass read a file");
}
BENCHMARK(BM_getCaravanText);

void BM_getHourMark(benchmark::State& state) {
  Loaded l;
  for (auto _ : state) {
    std::string mark = l.mod.getHourMark();
    benchmark::DoNotOptimize(mark);
  }
}
BENCHMARK(BM_getHourMark);

// For comparison: the re-read after the editor closes, from files in memory.
void BM_getCaravanTextReload(benchmark::State& state) {
  Loaded l;
  const Timestamp moment = l.clock.now();
  for (auto _ : state) {
    std::string text;
    bool festival = false;
    l.mod.getCaravanText(text, festival, moment, 0, true);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_getCaravanTextReload);

}  // namespace
}  // namespace vesk
