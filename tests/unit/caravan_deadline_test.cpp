// Reading the hunter-gem deadline from caravan_tama.txt, with every fallback.
#include <gtest/gtest.h>

#include <string>

#include "caravan/gem_deadline.h"
#include "caravan_fixture.h"

namespace vesk::caravan_test {
namespace {

struct Read {
  bool result;
  Timestamp deadline;
  std::int16_t flag;
};

struct Deadline : Caravan {
  Deadline() { clock.setNow(DateTime{2010, 3, 6, 9, 5, 59}); }
  Read read() {
    // Start from values a read must overwrite.
    Read r{false, -1, 7};
    r.result = mod.getCaravanDate(r.deadline, r.flag);
    return r;
  }
  const Timestamp nowCut = at(2010, 3, 6, 9, 5, 0);
};

TEST(GemDeadline, TheWrittenLineIsTheDeadline) {
  Deadline t;
  t.files.put(kTama, "2010/09/25 18:00\r\n");
  const Read r = t.read();
  EXPECT_TRUE(r.result);
  EXPECT_EQ(r.flag, 1);
  EXPECT_EQ(r.deadline, at(2010, 9, 25, 18, 0, 0));
}

TEST(GemDeadline, SecondsAreDroppedNotRounded) {
  Deadline t;
  for (const char* line :
       {"2010/09/25 18:00:59", "2010/09/25 18:00:30\r\n", "2010/09/25 18:00:00"}) {
    t.files.put(kTama, line);
    EXPECT_EQ(t.read().deadline, at(2010, 9, 25, 18, 0, 0)) << line;
  }
  t.files.put(kTama, "2010/12/31 23:59:59");
  EXPECT_EQ(t.read().deadline, at(2010, 12, 31, 23, 59, 0));
}

TEST(GemDeadline, OnlyTheFirstLineCounts) {
  Deadline t;
  for (const char* bytes : {"2010/09/25 18:00\r\n2011/01/01 00:00\r\n", "2010/09/25 18:00\rhello",
                            "2010/09/25 18:00\n\xFF\xFE binary", "2010/09/25 18:00"}) {
    t.files.put(kTama, bytes);
    EXPECT_EQ(t.read().deadline, at(2010, 9, 25, 18)) << bytes;
  }
  // A blank first line is no date, whatever follows it.
  t.files.put(kTama, "\r\n2010/09/25 18:00\r\n");
  EXPECT_EQ(t.read().deadline, t.nowCut);
}

TEST(GemDeadline, NoFileMeansNoDeadline) {
  Deadline t;
  const Read r = t.read();
  EXPECT_FALSE(r.result);
  EXPECT_EQ(r.flag, 0);
  EXPECT_EQ(r.deadline, t.nowCut);
  EXPECT_EQ(t.files.readCount(), 0);
}

TEST(GemDeadline, AFileWithoutADateIsADeadlineOfNow) {
  const std::string oversized = "2010/09/25 18:00\r\n" + std::string(kDeadlineFileLimit, 'x');
  const std::string binary("\x00\x01\x82\xFF\r\n", 6);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"hello", "hello\r\n"},    {"empty file", ""},
      {"blank line", "   \r\n"}, {"day that does not exist", "2010/02/30 18:00\r\n"},
      {"binary", binary},        {"larger than a deadline file can be", oversized},
  };
  for (const Case& k : cases) {
    Deadline t;
    t.files.put(kTama, k.bytes);
    const Read r = t.read();
    EXPECT_TRUE(r.result) << k.what;
    EXPECT_EQ(r.flag, 1) << k.what;
    EXPECT_EQ(r.deadline, t.nowCut) << k.what;
  }
  // Locked, a folder of that name, no permission.
  Deadline t;
  t.files.putUnreadable(kTama);
  const Read r = t.read();
  EXPECT_TRUE(r.result);
  EXPECT_EQ(r.flag, 1);
  EXPECT_EQ(r.deadline, t.nowCut);
}

TEST(GemDeadline, AFileDeletedByHandCountsAtTheNextRead) {
  Deadline t;
  t.files.put(kTama, "2010/09/25 18:00\r\n");
  ASSERT_EQ(t.read().flag, 1);
  t.files.remove(kTama);
  t.clock.setNow(DateTime{2010, 3, 7, 0, 0, 1});
  const Read r = t.read();
  EXPECT_FALSE(r.result);
  EXPECT_EQ(r.flag, 0);
  EXPECT_EQ(r.deadline, at(2010, 3, 7));
}

TEST(GemDeadline, Cp932AndUtf8UnitFormsGiveTheSameDeadline) {
  const auto unitForm = [](bool asUtf8) {
    const auto e = [asUtf8](const char* c932, const char* u8) {
      return std::string(asUtf8 ? u8 : c932);
    };
    return "2010" + e(cp932::nen, utf8::nen) + "9" + e(cp932::gatsu, utf8::gatsu) + "25" +
           e(cp932::nichi, utf8::nichi) + "18" + e(cp932::ji, utf8::ji) + "5" +
           e(cp932::fun, utf8::fun) + "\r\n";
  };
  for (const std::string& bytes :
       {unitForm(false), unitForm(true), std::string(utf8::bom) + unitForm(true),
        std::string(utf8::bom) + "2010/09/25 18:05\r\n"}) {
    Deadline t;
    t.files.put(kTama, bytes);
    const Read r = t.read();
    EXPECT_EQ(r.flag, 1);
    EXPECT_EQ(r.deadline, at(2010, 9, 25, 18, 5)) << bytes;
  }
}

}  // namespace
}  // namespace vesk::caravan_test
