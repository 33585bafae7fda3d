// Arbitrary bytes as date text.
#include <cstdint>
#include <string_view>

#include "common/timestamp.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vesk;
  const auto t = parseDate(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!t) return 0;
  // Whatever the parser accepts is a real moment on a whole second, and
  // reads back the same from the program's own format.
  const DateTime dt = toDateTime(*t);
  FUZZ_CHECK(isValidDateTime(dt));
  FUZZ_CHECK(toTimestamp(dt) == *t);
  FUZZ_CHECK(parseDate(formatDate(*t, "yyyy/MM/dd HH:nn:ss")) == t);
  return 0;
}
