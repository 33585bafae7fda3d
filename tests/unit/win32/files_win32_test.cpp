// The data files on the real file system, in a folder with a Japanese name.
#include "platform/win32/files_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/fake/fake_system.h"
#include "platform/replace_retry.h"
#include "platform/win32/unique_handle.h"
#include "temp_folder.h"

namespace vesk::platform::win32 {
namespace {

using namespace std::string_literals;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

constexpr std::size_t kLimit = 1 << 20;

class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder.wide().empty()); }

  // Holds the file open with no sharing at all, as another program may.
  UniqueHandle holdExclusively(const std::wstring& path) {
    return UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  TempFolder folder;
  Win32Files files;
};

TEST_F(Win32FilesTest, ExistsForFilesAndFolders) {
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_que.txt"), "x"));
  EXPECT_TRUE(files.exists(folder.file("caravan_que.txt")));
  EXPECT_TRUE(files.exists(folder.utf8()));
  EXPECT_FALSE(files.exists(folder.file("caravan_fushi.txt")));
  EXPECT_FALSE(files.exists(""));
}

TEST_F(Win32FilesTest, ReadsEveryByteAsWritten) {
  const std::string samples[] = {"2010/09/25 18:00\r\n",   "a\rb\rc\r",
                                 "a\r\nno final line end", "\x91\xAE<\x95\xF1>\r\n",
                                 "bin\0ary\xFF"s,          ""};
  for (const std::string& bytes : samples) {
    ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_que.txt"), bytes));
    const ReadResult result = files.read(folder.file("caravan_que.txt"), kLimit);
    EXPECT_EQ(result.status, ReadStatus::Ok);
    EXPECT_EQ(result.bytes, bytes);
  }
}

TEST_F(Win32FilesTest, ReadsAFileWithAJapaneseName) {
  ASSERT_TRUE(writeBytes(folder.wideFile(L"狩人珠.txt"), "line\r\n"));
  EXPECT_EQ(files.read(folder.file("狩人珠.txt"), kLimit).bytes, "line\r\n");
}

TEST_F(Win32FilesTest, MissingFilesAndFolders) {
  EXPECT_EQ(files.read(folder.file("none.txt"), kLimit).status, ReadStatus::Missing);
  EXPECT_EQ(files.read(folder.file("none\\none.txt"), kLimit).status, ReadStatus::Missing);
  EXPECT_EQ(files.read("", kLimit).status, ReadStatus::Missing);
}

TEST_F(Win32FilesTest, UnreadableWithoutWaiting) {
  ASSERT_TRUE(CreateDirectoryW(folder.wideFile(L"caravan_tama.txt").c_str(), nullptr));
  EXPECT_EQ(files.read(folder.file("caravan_tama.txt"), kLimit).status, ReadStatus::Unreadable);

  ASSERT_TRUE(writeBytes(folder.wideFile(L"locked.txt"), "old\r\n"));
  const UniqueHandle held = holdExclusively(folder.wideFile(L"locked.txt"));
  ASSERT_TRUE(held);
  const ReadResult result = files.read(folder.file("locked.txt"), kLimit);
  EXPECT_EQ(result.status, ReadStatus::Unreadable);
  EXPECT_TRUE(result.bytes.empty());
}

TEST_F(Win32FilesTest, ReadsAFileThatAnotherProgramIsWriting) {
  ASSERT_TRUE(writeBytes(folder.wideFile(L"shared.txt"), "abc"));
  const UniqueHandle writer(CreateFileW(folder.wideFile(L"shared.txt").c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer);
  EXPECT_EQ(files.read(folder.file("shared.txt"), kLimit).bytes, "abc");
}

TEST_F(Win32FilesTest, TooLargeBeyondTheLimit) {
  ASSERT_TRUE(writeBytes(folder.wideFile(L"big.txt"), "12345"));
  EXPECT_EQ(files.read(folder.file("big.txt"), 5).status, ReadStatus::Ok);
  const ReadResult result = files.read(folder.file("big.txt"), 4);
  EXPECT_EQ(result.status, ReadStatus::TooLarge);
  EXPECT_TRUE(result.bytes.empty());
}

TEST_F(Win32FilesTest, WriteLineCreatesAndReplacesLeavingNoTemporaryFile) {
  const std::string path = folder.file("caravan_tama.txt");
  ASSERT_EQ(files.writeLine(path, "2010/09/25 18:00"), WriteOutcome::Written);
  EXPECT_EQ(readBytes(folder.wideFile(L"caravan_tama.txt")), "2010/09/25 18:00\r\n");
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_tama.txt"), "a much longer old content\r\n"));
  ASSERT_EQ(files.writeLine(path, "2010/02/28 00:05"), WriteOutcome::Written);
  EXPECT_EQ(readBytes(folder.wideFile(L"caravan_tama.txt")), "2010/02/28 00:05\r\n");
  ASSERT_EQ(files.writeLine(folder.file("期限.txt"), ""), WriteOutcome::Written);
  EXPECT_EQ(readBytes(folder.wideFile(L"期限.txt")), "\r\n");
  EXPECT_EQ(folder.entries().size(), 2u);
}

TEST_F(Win32FilesTest, FailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
  EXPECT_EQ(files.writeLine(folder.file("none\\caravan_tama.txt"), "x"), WriteOutcome::Failed);
  EXPECT_TRUE(folder.entries().empty());

  // A folder of that name cannot be replaced by a file.
  ASSERT_TRUE(CreateDirectoryW(folder.wideFile(L"dir.txt").c_str(), nullptr));
  EXPECT_EQ(files.writeLine(folder.file("dir.txt"), "x"), WriteOutcome::Failed);

  // Neither can a file that another program holds without sharing.
  ASSERT_TRUE(writeBytes(folder.wideFile(L"held.txt"), "old\r\n"));
  {
    const UniqueHandle held = holdExclusively(folder.wideFile(L"held.txt"));
    ASSERT_TRUE(held);
    EXPECT_EQ(files.writeLine(folder.file("held.txt"), "new"), WriteOutcome::Held);
  }
  EXPECT_EQ(readBytes(folder.wideFile(L"held.txt")), "old\r\n");

  // Nor a read-only one.
  ASSERT_TRUE(writeBytes(folder.wideFile(L"kept.txt"), "old\r\n"));
  ASSERT_TRUE(SetFileAttributesW(folder.wideFile(L"kept.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files.writeLine(folder.file("kept.txt"), "new"), WriteOutcome::Failed);
  EXPECT_EQ(readBytes(folder.wideFile(L"kept.txt")), "old\r\n");
  EXPECT_EQ(folder.entries().size(), 3u);  // dir.txt, held.txt and kept.txt only
}

TEST_F(Win32FilesTest, AFileOpenElsewhereForAMomentIsWrittenOnceReleased) {
  const std::wstring path = folder.wideFile(L"caravan_tama.txt");
  ASSERT_TRUE(writeBytes(path, "old\r\n"));
  // As antivirus or the search indexer opens a fresh file: for reading,
  // sharing reading and writing but not deletion, which holds a rename off.
  UniqueHandle holder(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_EQ(files.writeLine(folder.file("caravan_tama.txt"), "new"), WriteOutcome::Held);
  EXPECT_EQ(readBytes(path), "old\r\n");

  // The holder lets go during the second wait.
  struct LettingGo : fake::FakeSystem {
    UniqueHandle* holder = nullptr;
    void sleep(int ms) override {
      FakeSystem::sleep(ms);
      if (slept.size() == 2) holder->reset();
    }
  } system;
  system.holder = &holder;
  ReplaceRetry retry(system);
  EXPECT_EQ(retry.run([&] { return files.writeLine(folder.file("caravan_tama.txt"), "new"); }),
            WriteOutcome::Written);
  EXPECT_EQ(system.slept.size(), 2u);
  EXPECT_EQ(readBytes(path), "new\r\n");
  EXPECT_EQ(folder.entries().size(), 1u);
}

TEST_F(Win32FilesTest, RemoveDeletesFilesOnly) {
  ASSERT_TRUE(writeBytes(folder.wideFile(L"caravan_tama.txt"), "x"));
  EXPECT_TRUE(files.remove(folder.file("caravan_tama.txt")));
  EXPECT_FALSE(files.exists(folder.file("caravan_tama.txt")));
  EXPECT_FALSE(files.remove(folder.file("caravan_tama.txt")));
  EXPECT_FALSE(files.remove(folder.utf8()));
  EXPECT_TRUE(files.exists(folder.utf8()));
}

}  // namespace
}  // namespace vesk::platform::win32
