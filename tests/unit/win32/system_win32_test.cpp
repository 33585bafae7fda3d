// The process-wide services: folder and command-line texts, the single
// instance, screen units and random numbers.
#include "platform/win32/system_win32.h"

#include <gtest/gtest.h>
#include <windows.h>
// The shell headers rely on windows.h.
#include <shlwapi.h>
// sddl.h relies on windows.h.
#include <sddl.h>

#include <algorithm>
#include <vector>

#include "platform/win32/process_text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {
namespace {

TEST(ProcessText, FolderOfModulePathKeepsOnlyADriveRootsBackslash) {
  EXPECT_EQ(folderOfModulePath(L"C:\\Games\\vesk\\vesk.exe"), L"C:\\Games\\vesk");
  EXPECT_EQ(folderOfModulePath(L"C:\\vesk.exe"), L"C:\\");
  EXPECT_EQ(folderOfModulePath(L"\\\\?\\C:\\vesk.exe"), L"\\\\?\\C:\\");
  EXPECT_EQ(folderOfModulePath(L"\\\\server\\share\\vesk.exe"), L"\\\\server\\share");
  EXPECT_EQ(folderOfModulePath(L"D:\\ゲーム\\ツール\\vesk.exe"), L"D:\\ゲーム\\ツール");
  EXPECT_EQ(folderOfModulePath(L"vesk.exe"), L"");
}

TEST(ProcessText, ArgumentsFollowTheProgramNameAsTheRuntimeReadsIt) {
  EXPECT_EQ(argumentsOfCommandLine(L"\"C:\\My Games\\vesk.exe\" 1,2,1,12,0"), L"1,2,1,12,0");
  EXPECT_EQ(argumentsOfCommandLine(L"vesk.exe 3,2,1,14,0,1"), L"3,2,1,14,0,1");
  EXPECT_EQ(argumentsOfCommandLine(L"C:\\\"My Games\"\\vesk.exe 1"), L"1");
  EXPECT_EQ(argumentsOfCommandLine(L"vesk.exe \t  ,,,,,1  "), L",,,,,1  ");  // kept as typed
  EXPECT_EQ(argumentsOfCommandLine(L"vesk.exe  \" 1\" x"), L"\" 1\" x");
  EXPECT_EQ(argumentsOfCommandLine(L"\"C:\\My Games\\vesk.exe\""), L"");
  EXPECT_EQ(argumentsOfCommandLine(L"\"C:\\unclosed 1,2"), L"");
  EXPECT_EQ(argumentsOfCommandLine(L"vesk.exe"), L"");
  EXPECT_EQ(argumentsOfCommandLine(L""), L"");
}

TEST(Win32System, ExeFolderIsTheFolderOfThisProgram) {
  Win32System system;
  const std::string folder = system.exeFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() != '\\' || folder.size() == 3) << folder;
  EXPECT_TRUE(PathIsDirectoryW(toWide(folder).c_str())) << folder;
  wchar_t module[MAX_PATH * 4] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, module, MAX_PATH * 4), 0u);
  EXPECT_EQ(toUtf8(module).rfind(folder, 0), 0u);
}

TEST(Win32System, CommandLineArgumentsLeaveOutTheProgram) {
  Win32System system;
  const std::string arguments = system.commandLineArguments();
  const std::string commandLine = toUtf8(GetCommandLineW());
  ASSERT_GE(commandLine.size(), arguments.size());
  EXPECT_EQ(commandLine.substr(commandLine.size() - arguments.size()), arguments);
  EXPECT_EQ(arguments.find("vesk_unit_tests"), std::string::npos) << arguments;
}

// Each Win32System creates the named mutex anew; within one process a
// second create of an existing mutex reports it as taken, which stands in
// here for a second start of the program.
TEST(Win32System, OneInstancePerUserWhileTheFirstLives) {
  {
    Win32System first;
    ASSERT_FALSE(first.anotherInstanceRunning());
    EXPECT_FALSE(first.anotherInstanceRunning());  // asked again: the same answer
    Win32System second;
    EXPECT_TRUE(second.anotherInstanceRunning());
  }
  // The first has ended and released the mutex.
  Win32System later;
  EXPECT_FALSE(later.anotherInstanceRunning());
}

// An instance started elevated holds the mutex with a security context this
// one cannot open: access denied means that it runs.
TEST(Win32System, AMutexThatDeniesAccessIsAnotherInstance) {
  HANDLE rawToken = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken));
  const UniqueHandle token(rawToken);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> user(size);
  ASSERT_TRUE(GetTokenInformation(token.get(), TokenUser, user.data(), size, &size));
  LPWSTR sid = nullptr;
  ASSERT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid));
  const std::wstring name = std::wstring(L"Local\\vesk.single-instance.") + sid;
  LocalFree(sid);
  // Everyone may wait on it, nobody may take it over.
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
      L"D:(A;;0x00100000;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
  const UniqueHandle elevated(CreateMutexW(&attributes, FALSE, name.c_str()));
  LocalFree(descriptor);
  ASSERT_TRUE(elevated);
  ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "a mutex left over";

  Win32System second;
  EXPECT_TRUE(second.anotherInstanceRunning());
}

TEST(Win32System, RandomNumbersRepeatFromRunToRun) {
  Win32System a;
  Win32System b;
  double lowest = 1;
  double highest = 0;
  for (int i = 0; i < 1000; ++i) {
    const double x = a.random();
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
    EXPECT_EQ(x, b.random());
    lowest = std::min(lowest, x);
    highest = std::max(highest, x);
  }
  EXPECT_LT(lowest, 0.01);
  EXPECT_GT(highest, 0.99);
}

}  // namespace
}  // namespace vesk::platform::win32
