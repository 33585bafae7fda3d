// The caravan line: calendar days from 12:00, the two cycles, the byte cells
// and the separators.
#include "caravan/caravan_text.h"

#include <gtest/gtest.h>

#include <string>

#include "caravan_fixture.h"

namespace vesk::caravan_test {
namespace {

// 12:00 of the day k days after day 1.
Timestamp dayStart(std::int64_t k) { return addDays(at(2009, 9, 16, 12), k); }

struct Tables {
  std::string line(Timestamp moment, std::int16_t span = 0) {
    return buildCaravanLine(que, fushi, moment, span).text;
  }
  bool festival(Timestamp moment, std::int16_t span = 0) {
    return buildCaravanLine(que, fushi, moment, span).festival;
  }
  RotationTable que;
  RotationTable fushi;
};

RotationTable quests(std::initializer_list<const char*> names) {
  RotationTable t;
  for (const char* n : names) t.push_back({"x", n});
  return t;
}

TEST(CaravanDay, ChangesExactlyAtNoon) {
  Tables t{quests({"Q1", "Q2", "Q3", "Q4", "Q5", "Q6", "Q7"}), quests({"a", "b", "c"})};
  EXPECT_EQ(t.line(at(2009, 9, 16, 12, 0, 0)), "Q1a⇒Q2b⇒Q3c");
  EXPECT_EQ(t.line(at(2009, 9, 17, 11, 59, 59)), "Q1a⇒Q2b⇒Q3c");
  EXPECT_EQ(t.line(at(2009, 9, 17, 12, 0, 0)), "Q2b⇒Q3c⇒Q4a");
  EXPECT_EQ(t.line(at(2009, 9, 18, 0, 0, 0)), "Q2b⇒Q3c⇒Q4a");
  EXPECT_EQ(caravanDayIndex(at(2009, 9, 16, 12)), 0);
  EXPECT_EQ(caravanDayIndex(at(2009, 9, 17, 11, 59, 59)), 0);
  EXPECT_EQ(caravanDayIndex(at(2009, 9, 17, 12)), 1);
}

TEST(CaravanDay, CyclesBeforeTheBaseMomentRunBackwards) {
  Tables t{quests({"Q1", "Q2", "Q3", "Q4", "Q5", "Q6", "Q7"}), quests({"a", "b", "c"})};
  // The minute before day 1 belongs to the day before it: the last entries.
  EXPECT_EQ(caravanDayIndex(at(2009, 9, 16, 11, 59, 59)), -1);
  EXPECT_EQ(t.line(at(2009, 9, 16, 11, 59, 59)), "Q7c⇒Q1a⇒Q2b");
  EXPECT_EQ(t.line(dayStart(-7 * 3)), "Q1a⇒Q2b⇒Q3c");
  EXPECT_EQ(t.line(dayStart(-8)), "Q7b⇒Q1c⇒Q2a");
  // The earliest and the latest moments a timestamp holds.
  EXPECT_NO_THROW(t.line(at(100, 1, 1)));
  EXPECT_NO_THROW(t.line(at(9999, 12, 31, 23, 59, 59)));
  EXPECT_NO_THROW(t.line(-1e12));
  EXPECT_NO_THROW(t.line(1e12));
}

TEST(CaravanDay, CycleIndexIsNeverNegative) {
  EXPECT_EQ(cycleIndex(0, 7), 0u);
  EXPECT_EQ(cycleIndex(6, 7), 6u);
  EXPECT_EQ(cycleIndex(7, 7), 0u);
  EXPECT_EQ(cycleIndex(-1, 7), 6u);
  EXPECT_EQ(cycleIndex(-7, 7), 0u);
  EXPECT_EQ(cycleIndex(-8, 7), 6u);
  EXPECT_EQ(cycleIndex(-1, 1), 0u);
  EXPECT_EQ(cycleIndex(70000, 70001), 70000u);
}

TEST(CaravanCycles, EachRepeatsWithItsOwnLengthFromDayOne) {
  Tables t{quests({"Q1", "Q2", "Q3", "Q4", "Q5", "Q6", "Q7"}), quests({"a", "", "c"})};
  const char* marks[] = {"a", "", "c"};
  for (int k = 0; k < 60; ++k) {
    const std::string q = "Q" + std::to_string(k % 7 + 1);
    EXPECT_EQ(t.line(dayStart(k) + 0.3, 2), q + marks[k % 3]) << "day " << k;
  }
  // Far from day 1, counted in whole days: 5000 = 7 * 714 + 2 = 3 * 1666 + 2.
  EXPECT_EQ(t.line(dayStart(5000)), "Q3c⇒Q4a⇒Q5");
}

TEST(CaravanCycles, TheLastEntryIsFollowedByTheFirst) {
  Tables t{quests({"A", "B", "C"}), quests({"◎", "", "★"})};
  // Day 3 is the last entry of both cycles.
  EXPECT_EQ(t.line(dayStart(2)), "C★⇒A◎⇒B");
  EXPECT_EQ(t.line(dayStart(1)), "B⇒C★⇒A◎");
  // Festival cycle only at its end: four quests, three marks.
  Tables u{quests({"A", "B", "C", "D"}), quests({"◎", "", "★"})};
  EXPECT_EQ(u.line(dayStart(2)), "C★⇒D◎⇒A");
}

TEST(CaravanCycles, AOneLineFileGivesEveryDay) {
  Tables t{quests({"Q"}), quests({"★"})};
  for (int k : {-3, 0, 1, 2, 365, 4000}) EXPECT_EQ(t.line(dayStart(k)), "Q★⇒Q★⇒Q★") << k;
}

TEST(CaravanCycles, NoFestivalTableGivesFourByteCells) {
  Tables t{quests({"ABCDEF", "あいう", "GH"}), {}};
  EXPECT_EQ(t.line(dayStart(0)), "ABCD⇒あい⇒GH");
  EXPECT_FALSE(t.festival(dayStart(0)));
}

TEST(CaravanCells, CutToTheirByteWidth) {
  // The worked example: ABCDEF, GH★, IJKL.
  Tables t{quests({"ABCDEF", "GH", "IJKL"}), quests({"", "★", ""})};
  EXPECT_EQ(t.line(dayStart(0)), "ABCD⇒GH★⇒IJKL");

  Tables jp{quests({"あいう", "あいう", "あいう", "aあい", "ｱｲｳｴｵｶ", "ｱあいう", "Q", ""}),
            quests({"", "★", "古龍", "", "★", "", "", "★"})};
  EXPECT_EQ(jp.line(dayStart(0), 2), "あい");    // 6 bytes into 4
  EXPECT_EQ(jp.line(dayStart(1), 2), "あい★");   // 4 bytes left beside a 2-byte mark
  EXPECT_EQ(jp.line(dayStart(2), 2), "あ古龍");  // 2 bytes left beside a 4-byte mark
  EXPECT_EQ(jp.line(dayStart(3), 2), "aあ");     // い would make 5 bytes; nothing pads
  EXPECT_EQ(jp.line(dayStart(4), 2), "ｱｲｳｴ★");   // half-width katakana take 1 byte
  EXPECT_EQ(jp.line(dayStart(5), 2), "ｱあ");
  EXPECT_EQ(jp.line(dayStart(6), 2), "Q");  // shorter than its cell: whole, no spaces
  EXPECT_EQ(jp.line(dayStart(7), 2), "★");  // empty quest name: the mark alone
}

TEST(CaravanCells, AMarkOfSpacesIsAFestival) {
  Tables t{quests({"ABCDEFG", "ABCDEFG", "ABCDEFG"}), quests({" ", "", "  "})};
  EXPECT_EQ(t.line(dayStart(0)), "ABCDE ⇒ABCD⇒ABCD  ");
  // ...but does not raise the festival flag, which looks past the spaces.
  EXPECT_FALSE(t.festival(dayStart(0)));
}

TEST(CaravanCells, AMarkWiderThanSixBytesDropsItsDayAndSeparator) {
  Tables t{quests({"A", "B", "C"}), quests({"", "祭祭祭祭", ""})};
  EXPECT_EQ(t.line(dayStart(0)), "A⇒C");
  EXPECT_EQ(t.line(dayStart(1)), "⇒C⇒A");  // the first day has no separator to drop
  EXPECT_EQ(t.line(dayStart(2)), "C⇒A");
  // Six bytes exactly still fit, with no room for the quest name; seven do not.
  Tables six{quests({"A", "B", "C"}), quests({"祭祭祭", "祭祭祭a", ""})};
  EXPECT_EQ(six.line(dayStart(0)), "祭祭祭⇒C");
  EXPECT_TRUE(six.festival(dayStart(1)));
}

TEST(CaravanCells, ALineWithoutSecondFieldGivesAnEmptyText) {
  Tables t{{{"quest without comma"}, {"x", "B"}, {""}}, {{"no mark"}, {"x", "★"}}};
  EXPECT_EQ(t.line(dayStart(0)), "⇒B★⇒");
  EXPECT_EQ(t.line(dayStart(1)), "B★⇒⇒★");
}

TEST(CaravanSpan, ChoosesHowManyDaysAreShown) {
  Tables t{quests({"A", "B", "C", "D"}), quests({"", "★"})};
  EXPECT_EQ(t.line(dayStart(0), 0), "A⇒B★⇒C");
  EXPECT_EQ(t.line(dayStart(0), 1), "A⇒B★");
  EXPECT_EQ(t.line(dayStart(0), 2), "A");
  EXPECT_EQ(t.line(dayStart(0), 3), "");
  EXPECT_EQ(t.line(dayStart(0), -1), "");
}

TEST(CaravanSpan, FestivalFlagCoversOnlyTheDaysShown) {
  Tables t{quests({"A", "B", "C"}), quests({"", "★", ""})};
  EXPECT_TRUE(t.festival(dayStart(0), 0));
  EXPECT_TRUE(t.festival(dayStart(0), 1));
  EXPECT_FALSE(t.festival(dayStart(0), 2));
  EXPECT_FALSE(t.festival(dayStart(2), 1));
}

TEST(CaravanText, ModuleRoutineFillsItsArguments) {
  Caravan c;
  c.files.put(kQue, "1,A\r\n2,B\r\n3,C\r\n");
  c.files.put(kFushi, "1,\r\n2,\r\n3,★\r\n");

  std::string text = "kept";
  bool festival = false;
  // Nothing read yet: the quest table is empty and the text stays.
  EXPECT_FALSE(c.mod.getCaravanText(text, festival, dayStart(0), 0, false));
  EXPECT_EQ(text, "kept");

  EXPECT_TRUE(c.mod.getCaravanText(text, festival, dayStart(0), 0, true));
  EXPECT_EQ(text, "A⇒B⇒C★");
  EXPECT_TRUE(festival);

  // The flag is only ever raised.
  festival = true;
  EXPECT_TRUE(c.mod.getCaravanText(text, festival, dayStart(0), 2, false));
  EXPECT_EQ(text, "A");
  EXPECT_TRUE(festival);
  festival = false;
  EXPECT_TRUE(c.mod.getCaravanText(text, festival, dayStart(0), 2, false));
  EXPECT_FALSE(festival);

  // Another span replaces the text, even with the empty line.
  EXPECT_TRUE(c.mod.getCaravanText(text, festival, dayStart(0), 7, false));
  EXPECT_EQ(text, "");
}

TEST(CaravanText, OnlyAReloadTouchesTheFiles) {
  Caravan c;
  c.files.put(kQue, "1,A\r\n2,B\r\n");
  c.files.put(kFushi, "1,★\r\n");
  c.reload();
  const int reads = c.files.readCount();
  EXPECT_EQ(reads, 2);
  c.files.put(kQue, "1,Z\r\n");
  for (int k = 0; k < 10; ++k) EXPECT_EQ(c.line(dayStart(k), 2), k % 2 == 0 ? "A★" : "B★");
  EXPECT_EQ(c.files.readCount(), reads);
  EXPECT_EQ(c.line(dayStart(0), 2, true), "Z★");
  EXPECT_EQ(c.files.readCount(), reads + 2);
}

}  // namespace
}  // namespace vesk::caravan_test
