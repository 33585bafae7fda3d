// Arbitrary bytes as the gem deadline file.
#include <cstdint>
#include <string>

#include "caravan/mod_vesk.h"
#include "common/data_text.h"
#include "fuzz_check.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vesk;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  platform::fake::FakeFiles files;
  platform::fake::FakeClock clock;
  clock.setNow(DateTime{2010, 3, 6, 9, 5, 59});
  ModVESK mod(files, clock);
  mod.pathTama = "tama";
  files.put(mod.pathTama, bytes);

  Timestamp deadline = -1;
  std::int16_t flag = 7;
  FUZZ_CHECK(mod.getCaravanDate(deadline, flag));
  FUZZ_CHECK(flag == 1);
  FUZZ_CHECK(toSeconds(deadline) % 60 == 0);
  FUZZ_CHECK(isValidDateTime(toDateTime(deadline)));
  // Either the first line's date, cut to the minute, or the present minute.
  const auto parsed = parseDate(firstLine(decodeDataText(bytes)));
  FUZZ_CHECK(deadline == truncateToMinute(parsed.value_or(clock.now())));
  return 0;
}
