// Reading the six start-up settings from the argument text.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

SettingsRecord make(std::int16_t mod, std::int16_t compact, std::int16_t pos, std::int16_t font,
                    bool bold, std::int16_t pt) {
  return SettingsRecord{mod, compact, pos, font, bold, pt};
}

TEST(CommandLine, EmptyTextTurnsThePartyLinesOn) {
  EXPECT_EQ(parseCommandLine(""), make(8, 0, 0, 11, true, 1));
}

TEST(CommandLine, AnyTextStartsFromDefaultsWithPartyLinesOff) {
  EXPECT_EQ(parseCommandLine("1"), make(2, 0, 0, 11, true, 0));
  EXPECT_EQ(parseCommandLine(" "), make(8, 0, 0, 11, true, 0));
  EXPECT_EQ(parseCommandLine(","), make(8, 0, 0, 11, true, 0));
}

TEST(CommandLine, EveryPositionReadsItsOwnTexts) {
  EXPECT_EQ(parseCommandLine("3,2,1,14,0,1"), make(1, 2, 1, 14, false, 1));
  EXPECT_EQ(parseCommandLine("0,1,0,10,1,0"), make(8, 1, 0, 10, true, 0));
  EXPECT_EQ(parseCommandLine("1,2,1,12,0"), make(2, 2, 1, 12, false, 0));
}

TEST(CommandLine, UnknownFieldsGiveThatPositionsDefault) {
  // "2" (Shift) is not read back; 9 and 13 are no font sizes.
  EXPECT_EQ(parseCommandLine("2").hotkeyModifier, 8);
  EXPECT_EQ(parseCommandLine("0,0,0,9").fontSize, 11);
  EXPECT_EQ(parseCommandLine("0,0,0,13").fontSize, 11);
  EXPECT_EQ(parseCommandLine("0,3,2,11,2,2"), make(8, 0, 0, 11, false, 0));
  // Blanks and case count: nothing is trimmed.
  EXPECT_EQ(parseCommandLine(" 1, 2, 1, 12, 1, 1"), make(8, 0, 0, 11, false, 0));
  EXPECT_EQ(parseCommandLine("1 ,2 ,1 ,12 ,1 ,1 "), make(8, 0, 0, 11, false, 0));
  // Non-ASCII look-alikes (full-width digits) match nothing either.
  EXPECT_EQ(parseCommandLine("１,２,１,１２,１,１"), make(8, 0, 0, 11, false, 0));
}

TEST(CommandLine, EmptyFieldsTakeDefaultsAndTheSixthStillCounts) {
  EXPECT_EQ(parseCommandLine(",,,,,1"), make(8, 0, 0, 11, false, 1));
}

TEST(CommandLine, FieldsPastTheSixthAreIgnoredHoweverMany) {
  EXPECT_EQ(parseCommandLine("3,2,1,14,0,1,0,0,0"), make(1, 2, 1, 14, false, 1));
  std::string huge = "1,1,1,10,1,1";
  for (int i = 0; i < 50000; ++i) huge += ",x";
  EXPECT_EQ(parseCommandLine(huge), make(2, 1, 1, 10, true, 1));
  EXPECT_EQ(parseCommandLine(std::string(100000, ',')), make(8, 0, 0, 11, false, 0));
}

TEST(CommandLine, WrittenFieldsReadBackToTheSameSettings) {
  for (std::int16_t compact : {0, 1, 2}) {
    for (std::int16_t font : {10, 11, 12, 14}) {
      for (bool bold : {false, true}) {
        const SettingsRecord s = make(1, compact, 1, font, bold, 1);
        EXPECT_EQ(parseCommandLine("3" + settingsFields(s)), s);
      }
    }
  }
  EXPECT_EQ(settingsFields(make(8, 0, 0, 11, true, 1)), ",0,0,11,1,1");
  EXPECT_EQ(settingsFields(make(8, 7, 5, 9, false, 3)), ",0,0,11,0,0");
}

}  // namespace
}  // namespace vesk
