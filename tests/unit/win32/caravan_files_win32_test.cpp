// The calendar routines on real files: Windows file functions in a folder
// with a Japanese name and the Windows code page 932 codec, together.
#include <gtest/gtest.h>
#include <windows.h>

#include "caravan/mod_vesk.h"
#include "platform/fake/fake_clock.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/unique_handle.h"
#include "temp_folder.h"

namespace vesk::platform::win32 {
namespace {

using test::TempFolder;
using test::writeBytes;

class CaravanFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder.wide().empty());
    mod.pathTama = folder.file("caravan_tama.txt");
    mod.pathQue = folder.file("caravan_que.txt");
    mod.pathFushi = folder.file("caravan_fushi.txt");
    clock.setNow(DateTime{2009, 9, 16, 12, 0, 0});
  }

  TempFolder folder;
  Win32Files files;
  fake::FakeClock clock;
  ModVESK mod{files, clock};
};

TEST_F(CaravanFilesTest, ShiftJisAndUtf8FilesGiveTheSameLine) {
  // あいう, ★ and ⇒ in code page 932 bytes for the quests, UTF-8 for the
  // festivals.
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_que.txt"),
                         "1,\x82\xa0\x82\xa2\x82\xa4\r\n2,GH\r\n3,IJKL\r\n"));
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_fushi.txt"), "1,\r\n2,★\r\n3,\r\n"));
  std::string line;
  bool festival = false;
  ASSERT_TRUE(mod.getCaravanText(line, festival, clock.now(), 0, true));
  EXPECT_EQ(line, "あい⇒GH★⇒IJKL");
  EXPECT_TRUE(festival);
}

TEST_F(CaravanFilesTest, DeadlineFileReadsToTheMinute) {
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_tama.txt"), "2010/09/25 18:00:59\r\nx\r\n"));
  Timestamp deadline = 0;
  std::int16_t flag = 0;
  EXPECT_TRUE(mod.getCaravanDate(deadline, flag));
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(formatDate(deadline, "yyyy/MM/dd HH:nn:ss"), "2010/09/25 18:00:00");
}

TEST_F(CaravanFilesTest, FilesHeldByAnotherProgramDoNotStallTheReads) {
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_tama.txt"), "2010/09/25 18:00\r\n"));
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_que.txt"), "1,A\r\n"));
  std::string line;
  bool festival = false;
  ASSERT_TRUE(mod.getCaravanText(line, festival, clock.now(), 2, true));
  ASSERT_EQ(line, "A");
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_que.txt"), "1,B\r\n"));

  // Opened without any sharing, as an editor saving the file might.
  const UniqueHandle tama(CreateFileW(folder.wideFile(L"caravan_tama.txt").c_str(), GENERIC_READ, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  const UniqueHandle que(CreateFileW(folder.wideFile(L"caravan_que.txt").c_str(), GENERIC_READ, 0,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(tama && que);

  Timestamp deadline = 0;
  std::int16_t flag = 0;
  clock.setNow(DateTime{2010, 3, 6, 9, 5, 42});
  EXPECT_TRUE(mod.getCaravanDate(deadline, flag));
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(formatDate(deadline, "yyyy/MM/dd HH:nn:ss"), "2010/03/06 09:05:00");
  // The table read before stays in use.
  ASSERT_TRUE(mod.getCaravanText(line, festival, clock.now(), 2, true));
  EXPECT_EQ(line, "A");
}

}  // namespace
}  // namespace vesk::platform::win32
