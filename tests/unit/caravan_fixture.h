// Shared set-up of the caravan calendar tests: the module on the fake
// platform with its three data-file paths, and file contents spelled as bytes
// so that the encoding under test is explicit.
#pragma once

#include <string>

#include "caravan/mod_vesk.h"
#include "common/timestamp.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_files.h"

namespace vesk::caravan_test {

inline const std::string kFolder = "C:\\Games\\vesk";
inline const std::string kTama = kFolder + "\\caravan_tama.txt";
inline const std::string kQue = kFolder + "\\caravan_que.txt";
inline const std::string kFushi = kFolder + "\\caravan_fushi.txt";

// Characters as code page 932 bytes and as UTF-8 bytes.
namespace cp932 {
inline constexpr const char* a = "\x82\xA0";      // あ
inline constexpr const char* i = "\x82\xA2";      // い
inline constexpr const char* u = "\x82\xA4";      // う
inline constexpr const char* star = "\x81\x9A";   // ★
inline constexpr const char* hyo = "\x95\x5C";    // 表 (second byte is "\")
inline constexpr const char* so = "\x83\x5C";     // ソ (second byte is "\")
inline constexpr const char* kanaA = "\xB1";      // ｱ (half-width)
inline constexpr const char* nen = "\x94\x4E";    // 年
inline constexpr const char* gatsu = "\x8C\x8E";  // 月
inline constexpr const char* nichi = "\x93\xFA";  // 日
inline constexpr const char* ji = "\x8E\x9E";     // 時
inline constexpr const char* fun = "\x95\xAA";    // 分
}  // namespace cp932
namespace utf8 {
inline constexpr const char* bom = "\xEF\xBB\xBF";
inline constexpr const char* a = "\xE3\x81\x82";
inline constexpr const char* i = "\xE3\x81\x84";
inline constexpr const char* u = "\xE3\x81\x86";
inline constexpr const char* star = "\xE2\x98\x85";
inline constexpr const char* hyo = "\xE8\xA1\xA8";
inline constexpr const char* so = "\xE3\x82\xBD";
inline constexpr const char* kanaA = "\xEF\xBD\xB1";
inline constexpr const char* nen = "\xE5\xB9\xB4";
inline constexpr const char* gatsu = "\xE6\x9C\x88";
inline constexpr const char* nichi = "\xE6\x97\xA5";
inline constexpr const char* ji = "\xE6\x99\x82";
inline constexpr const char* fun = "\xE5\x88\x86";
}  // namespace utf8

inline Timestamp at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return toTimestamp(DateTime{y, mo, d, h, mi, s});
}

struct Caravan {
  Caravan() {
    mod.pathTama = kTama;
    mod.pathQue = kQue;
    mod.pathFushi = kFushi;
  }

  // The line of moment, the rotation files read first when reload is set.
  std::string line(Timestamp moment, std::int16_t span = 0, bool reload = false) {
    std::string text;
    bool festival = false;
    mod.getCaravanText(text, festival, moment, span, reload);
    return text;
  }
  void reload() { line(at(2010, 1, 1), 0, true); }

  platform::fake::FakeFiles files;
  platform::fake::FakeClock clock;
  ModVESK mod{files, clock};
};

}  // namespace vesk::caravan_test
