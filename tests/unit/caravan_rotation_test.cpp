// Reading caravan_que.txt and caravan_fushi.txt into their tables: line ends,
// blank lines, fields, encodings and every file that cannot serve.
#include <gtest/gtest.h>

#include <string>

#include "caravan/rotation_table.h"
#include "caravan_fixture.h"
#include "common/cp932.h"

namespace vesk::caravan_test {
namespace {

using platform::fake::FakeFiles;

Timestamp dayStart(std::int64_t k) { return addDays(at(2009, 9, 16, 12), k); }

TEST(RotationFile, LinesEndAtCrLfCrOrLfAndBlankLinesTakeNoDay) {
  const RotationTable t = parseRotationTable("1,A\r\n\r\n   \r2,B\n3,C\r\r\n \t \r\n\t\r\n4,D");
  ASSERT_EQ(t.size(), 6u);
  EXPECT_EQ(t[0], (RotationEntry{"1", "A"}));
  EXPECT_EQ(t[1], (RotationEntry{"2", "B"}));
  EXPECT_EQ(t[2], (RotationEntry{"3", "C"}));
  EXPECT_EQ(t[3], (RotationEntry{" \t "}));  // a tab is not a space: it takes a day
  EXPECT_EQ(t[4], (RotationEntry{"\t"}));
  EXPECT_EQ(t[5], (RotationEntry{"4", "D"}));  // the last line needs no line end
}

TEST(RotationFile, FieldsAreSplitAtEveryCommaUntrimmed) {
  const RotationTable t = parseRotationTable(" 1 , Q x ,third,\r\n,\r\nno comma\r\n,,\r\n");
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0], (RotationEntry{" 1 ", " Q x ", "third", ""}));
  EXPECT_EQ(t[1], (RotationEntry{"", ""}));
  EXPECT_EQ(t[2], (RotationEntry{"no comma"}));
  EXPECT_EQ(t[3], (RotationEntry{"", "", ""}));
}

TEST(RotationFile, FieldTwoIsTheDayTextAsItStands) {
  Caravan c;
  c.files.put(kQue, "1, Q\r\n2,AB,ignored,too\r\n3\r\n");
  c.reload();
  EXPECT_EQ(c.line(dayStart(0)), " Q⇒AB⇒");
}

TEST(RotationFile, MissingQuestFileGivesNoLineWhateverTheFestivalFile) {
  Caravan c;
  c.files.put(kFushi, "1,★\r\n");
  std::string text;
  bool festival = false;
  EXPECT_FALSE(c.mod.getCaravanText(text, festival, dayStart(0), 0, true));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(festival);
  EXPECT_EQ(c.mod.fushiTable().size(), 1u);  // the festival file was still read
}

TEST(RotationFile, MissingFestivalFileGivesPlainCells) {
  Caravan c;
  c.files.put(kQue, "1,ABCDEF\r\n");
  c.reload();
  EXPECT_EQ(c.line(dayStart(0)), "ABCD⇒ABCD⇒ABCD");
}

TEST(RotationFile, FilesThatCannotServeLeaveEachTableAsItWas) {
  struct Case {
    const char* what;
    void (*spoil)(FakeFiles&, const std::string&);
  };
  const Case cases[] = {
      {"deleted", [](FakeFiles& f, const std::string& p) { f.remove(p); }},
      {"empty", [](FakeFiles& f, const std::string& p) { f.put(p, ""); }},
      {"blank lines only", [](FakeFiles& f, const std::string& p) { f.put(p, "\r\n  \r\n\n \r"); }},
      {"unreadable", [](FakeFiles& f, const std::string& p) { f.putUnreadable(p); }},
      {"too large",
       [](FakeFiles& f, const std::string& p) {
         f.put(p, std::string(kRotationFileLimit + 1, 'x'));
       }},
  };
  for (const Case& k : cases) {
    Caravan d;
    d.files.put(kQue, "1,A\r\n2,B\r\n3,C\r\n");
    d.files.put(kFushi, "1,★\r\n2,\r\n");
    d.reload();
    ASSERT_EQ(d.line(dayStart(0)), "A★⇒B⇒C★");
    k.spoil(d.files, kQue);
    d.reload();
    EXPECT_EQ(d.line(dayStart(0)), "A★⇒B⇒C★") << "quest file " << k.what;
    k.spoil(d.files, kFushi);
    d.reload();
    EXPECT_EQ(d.line(dayStart(0)), "A★⇒B⇒C★") << "both files " << k.what;
  }
}

TEST(RotationFile, AReloadReplacesEachTableOnItsOwn) {
  Caravan c;
  c.files.put(kQue, "1,A\r\n2,B\r\n3,C\r\n");
  c.files.put(kFushi, "1,★\r\n2,\r\n");
  c.reload();
  // A shorter quest file replaces the whole table; the festival file is gone
  // and its table stays.
  c.files.put(kQue, "1,X\r\n2,Y\r\n");
  c.files.remove(kFushi);
  c.reload();
  EXPECT_EQ(c.mod.queTable().size(), 2u);
  EXPECT_EQ(c.line(dayStart(0)), "X★⇒Y⇒X★");
  c.files.put(kFushi, "1,\r\n");
  c.reload();
  EXPECT_EQ(c.line(dayStart(0)), "X⇒Y⇒X");
}

TEST(RotationFile, MoreLinesThanASixteenBitCountEachTakeTheirDay) {
  constexpr int kLines = 70'000;
  std::string bytes;
  for (int n = 1; n <= kLines; ++n) bytes += "x," + std::to_string(n % 10'000) + "\r\n";
  ASSERT_LE(bytes.size(), kRotationFileLimit);
  Caravan c;
  c.files.put(kQue, bytes);
  c.reload();
  ASSERT_EQ(c.mod.queTable().size(), static_cast<std::size_t>(kLines));
  // Lines 32768, 32769, 32770 and 65536..65538 and the last two, then line 1.
  EXPECT_EQ(c.line(dayStart(32'767)), "2768⇒2769⇒2770");
  EXPECT_EQ(c.line(dayStart(65'535)), "5536⇒5537⇒5538");
  EXPECT_EQ(c.line(dayStart(kLines - 2)), "9999⇒0⇒1");
}

// The same calendar saved by an editor as code page 932, as UTF-8 and as
// UTF-8 with a byte-order mark.
std::string questFile(bool asUtf8) {
  using namespace std::string_literals;
  const auto a = asUtf8 ? utf8::a : cp932::a, i = asUtf8 ? utf8::i : cp932::i,
             u = asUtf8 ? utf8::u : cp932::u, hyo = asUtf8 ? utf8::hyo : cp932::hyo,
             so = asUtf8 ? utf8::so : cp932::so, kanaA = asUtf8 ? utf8::kanaA : cp932::kanaA;
  return "1,"s + a + i + u + "\r\n2," + hyo + so + "\\\r\n3," + kanaA + kanaA + a + "\r\n";
}
std::string festivalFile(bool asUtf8) {
  return std::string("1,\r\n2,") + (asUtf8 ? utf8::star : cp932::star) + "\r\n";
}

TEST(RotationFile, Cp932AndUtf8FilesGiveTheSameLine) {
  const std::string expected = "あい⇒表ソ★⇒ｱｱあ";
  const std::string bom = utf8::bom;
  struct Case {
    const char* what;
    std::string que, fushi;
  };
  const Case cases[] = {
      {"code page 932", questFile(false), festivalFile(false)},
      {"UTF-8", questFile(true), festivalFile(true)},
      {"UTF-8 with byte-order mark", bom + questFile(true), bom + festivalFile(true)},
      {"mixed", questFile(false), bom + festivalFile(true)},
  };
  for (const Case& k : cases) {
    Caravan c;
    c.files.put(kQue, k.que);
    c.files.put(kFushi, k.fushi);
    c.reload();
    EXPECT_EQ(c.line(dayStart(0)), expected) << k.what;
  }
}

TEST(RotationFile, AByteOrderMarkIsNotPartOfTheFirstLine) {
  Caravan c;
  c.files.put(kQue, std::string(utf8::bom) + "1,AB\r\n");
  c.files.put(kFushi, std::string(utf8::bom) + "  \r\n");  // blank once the mark is gone
  c.reload();
  EXPECT_EQ(c.mod.queTable()[0][0], "1");
  EXPECT_TRUE(c.mod.fushiTable().empty());
}

TEST(RotationFile, BinaryBytesGiveAValidShortLine) {
  std::string junk;
  for (int b = 0; b < 256; ++b) junk += static_cast<char>(b), junk += ',';
  for (int b = 255; b >= 0; --b) junk += static_cast<char>(b);
  for (const std::string& bytes : {junk, std::string(utf8::bom) + junk}) {
    Caravan c;
    c.files.put(kQue, bytes);
    c.files.put(kFushi, bytes);
    c.reload();
    for (int k = 0; k < 8; ++k) {
      const std::string line = c.line(dayStart(k));
      EXPECT_TRUE(isValidUtf8(line));
      // Three cells of at most 6 bytes and two 2-byte separators.
      EXPECT_LE(lenByte(line), 22);
    }
  }
}

}  // namespace
}  // namespace vesk::caravan_test
