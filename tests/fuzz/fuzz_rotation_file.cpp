// Arbitrary bytes as the two caravan rotation files, read and turned into the
// caravan line for an arbitrary moment and span.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "caravan/mod_vesk.h"
#include "common/cp932.h"
#include "fuzz_check.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vesk;
  FuzzedDataProvider in(data, size);
  const auto day = in.ConsumeIntegralInRange<std::int64_t>(-3'000'000, 3'000'000);
  const double fraction = in.ConsumeProbability<double>();
  const auto span = in.ConsumeIntegralInRange<std::int16_t>(-1, 3);
  const std::string que = in.ConsumeRandomLengthString(size);
  const std::string fushi = in.ConsumeRemainingBytesAsString();

  platform::fake::FakeFiles files;
  platform::fake::FakeClock clock;
  ModVESK mod(files, clock);
  mod.pathQue = "que";
  mod.pathFushi = "fushi";
  files.put(mod.pathQue, que);
  files.put(mod.pathFushi, fushi);

  const Timestamp moment = toTimestamp(DateTime{2009, 9, 16, 12, 0, 0}) + day + fraction;
  std::string text = "untouched";
  bool festival = false;
  const bool built = mod.getCaravanText(text, festival, moment, span, true);

  FUZZ_CHECK(built == !mod.queTable().empty());
  FUZZ_CHECK(built || text == "untouched");
  for (const RotationTable* table : {&mod.queTable(), &mod.fushiTable()}) {
    for (const RotationEntry& entry : *table) {
      FUZZ_CHECK(!entry.empty());
      bool blank = true;
      for (const std::string& field : entry) {
        FUZZ_CHECK(isValidUtf8(field));
        FUZZ_CHECK(field.find_first_of("\r\n,") == std::string::npos);
        blank = blank && field.find_first_not_of(' ') == std::string::npos;
      }
      FUZZ_CHECK(!blank || entry.size() > 1);
    }
  }
  if (built) {
    FUZZ_CHECK(isValidUtf8(text));
    // At most three cells of 6 bytes and two separators of 2.
    FUZZ_CHECK(lenByte(text) <= 22);
  }

  // From memory the same moment gives the same line, without a read.
  const int reads = files.readCount();
  std::string again;
  bool festivalAgain = false;
  mod.getCaravanText(again, festivalAgain, moment, span, false);
  FUZZ_CHECK(files.readCount() == reads);
  FUZZ_CHECK(!built || (again == text && festivalAgain == festival));
  return 0;
}
