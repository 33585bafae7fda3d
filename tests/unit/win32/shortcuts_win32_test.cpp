// Shortcut files written through the shell's ShellLink object and read back.
#include "platform/win32/shortcuts_win32.h"

#include <gtest/gtest.h>
#include <windows.h>
// The shell headers rely on windows.h.
#include <shlobj.h>

#include <cstdint>

#include "platform/win32/com_ptr.h"
#include "temp_folder.h"

namespace vesk::platform::win32 {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

struct LinkContents {
  std::wstring path;
  std::wstring arguments;
  std::wstring workingDirectory;
  std::wstring description;
};

// Loads a shortcut file with a fresh ShellLink object.
std::optional<LinkContents> loadLink(const std::wstring& file) {
  const ComApartment apartment;
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> persist;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.put())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persist.put())) ||
      FAILED(persist->Load(file.c_str(), STGM_READ))) {
    return std::nullopt;
  }
  wchar_t text[4][MAX_PATH * 2] = {};
  if (FAILED(link->GetPath(text[0], MAX_PATH * 2, nullptr, SLGP_RAWPATH)) ||
      FAILED(link->GetArguments(text[1], MAX_PATH * 2)) ||
      FAILED(link->GetWorkingDirectory(text[2], MAX_PATH * 2)) ||
      FAILED(link->GetDescription(text[3], MAX_PATH * 2))) {
    return std::nullopt;
  }
  return LinkContents{text[0], text[1], text[2], text[3]};
}

// Creates a shortcut carrying only a description, as a user might keep one.
bool saveDescribedLink(const std::wstring& file, const wchar_t* description) {
  const ComApartment apartment;
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> persist;
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link.put())) &&
         SUCCEEDED(link->SetPath(L"C:\\windows\\notepad.exe")) &&
         SUCCEEDED(link->SetDescription(description)) &&
         SUCCEEDED(link->QueryInterface(IID_IPersistFile, persist.put())) &&
         SUCCEEDED(persist->Save(file.c_str(), TRUE));
}

// The show command as stored in the file header (little-endian at 0x3C).
std::optional<std::uint32_t> storedShowCommand(const std::wstring& file) {
  const auto bytes = readBytes(file);
  if (!bytes || bytes->size() < 0x40) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>((*bytes)[0x3C + i]);
  return value;
}

class Win32ShortcutsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder.wide().empty()); }

  ShortcutLink linkFor(const std::string& name, const std::string& arguments) const {
    return ShortcutLink{folder.file(name), folder.file("vesk.exe"), arguments, folder.utf8(), 4};
  }

  // Wine's ShellLink keeps the target path in the ANSI code page only (Windows
  // stores it in Unicode too), so the paths read back here are ASCII.
  TempFolder folder{L"vesk shortcuts "};
  Win32Shortcuts shortcuts;
};

TEST_F(Win32ShortcutsTest, SavesTargetArgumentsFolderAndShowCommand) {
  ASSERT_EQ(shortcuts.save(linkFor("vesk - Winｷｰ.lnk", "0,0,0,11,1,1")), WriteOutcome::Written);
  const std::wstring file = folder.wideFile(L"vesk - Winｷｰ.lnk");
  const auto link = loadLink(file);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->path, folder.wideFile(L"vesk.exe"));
  EXPECT_EQ(link->arguments, L"0,0,0,11,1,1");
  EXPECT_EQ(link->workingDirectory, folder.wide());
  EXPECT_EQ(storedShowCommand(file), 4u);
}

TEST(Win32ShortcutsJapanese, SavesIntoAFolderWithAJapaneseName) {
  const TempFolder folder;
  ASSERT_FALSE(folder.wide().empty());
  Win32Shortcuts shortcuts;
  ASSERT_EQ(shortcuts.save(ShortcutLink{folder.file("vesk - Altｷｰ.lnk"), folder.file("vesk.exe"),
                                        "3,0,0,11,1,1", folder.utf8(), 4}),
            WriteOutcome::Written);
  // Saved twice: the second save loads what the first one wrote.
  ASSERT_EQ(shortcuts.save(ShortcutLink{folder.file("vesk - Altｷｰ.lnk"), folder.file("vesk.exe"),
                                        "3,0,0,11,1,1", folder.utf8(), 4}),
            WriteOutcome::Written);
  const std::wstring file = folder.wideFile(L"vesk - Altｷｰ.lnk");
  const auto link = loadLink(file);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->arguments, L"3,0,0,11,1,1");
  EXPECT_EQ(link->workingDirectory, folder.wide());
  // Whatever the ANSI code page, the file holds the target in Unicode.
  const std::wstring target = folder.wideFile(L"vesk.exe");
  const std::string unicodeTarget(reinterpret_cast<const char*>(target.c_str()),
                                  (target.size() + 1) * sizeof(wchar_t));
  EXPECT_NE(readBytes(file).value_or("").find(unicodeTarget), std::string::npos);
  EXPECT_EQ(folder.entries().size(), 1u);
}

TEST_F(Win32ShortcutsTest, ASecondSaveKeepsTheDescription) {
  const std::wstring file = folder.wideFile(L"vesk - Ctlｷｰ.lnk");
  ASSERT_TRUE(saveDescribedLink(file, L"my overlay"));
  ASSERT_EQ(shortcuts.save(linkFor("vesk - Ctlｷｰ.lnk", "1,0,0,11,1,0")), WriteOutcome::Written);
  ASSERT_EQ(shortcuts.save(linkFor("vesk - Ctlｷｰ.lnk", "1,2,1,12,0,0")), WriteOutcome::Written);
  const auto link = loadLink(file);
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->description, L"my overlay");
  EXPECT_EQ(link->arguments, L"1,2,1,12,0,0");
  EXPECT_EQ(link->path, folder.wideFile(L"vesk.exe"));
}

TEST_F(Win32ShortcutsTest, AFileThatIsNoShortcutIsReplaced) {
  ASSERT_TRUE(writeBytes(folder.wideFile(L"vesk.lnk"), "not a shortcut"));
  ASSERT_EQ(shortcuts.save(linkFor("vesk.lnk", "")), WriteOutcome::Written);
  const auto link = loadLink(folder.wideFile(L"vesk.lnk"));
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->path, folder.wideFile(L"vesk.exe"));
  EXPECT_EQ(link->arguments, L"");
}

TEST_F(Win32ShortcutsTest, AShortcutOpenElsewhereIsHeldAndKeptWhole) {
  const std::wstring file = folder.wideFile(L"vesk - Winｷｰ.lnk");
  ASSERT_TRUE(saveDescribedLink(file, L"my overlay"));
  const auto before = readBytes(file);
  // Open for reading without delete sharing (antivirus, the indexer), then
  // with no sharing at all.
  for (const DWORD sharing : {DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}, DWORD{0}}) {
    SCOPED_TRACE(sharing);
    {
      const UniqueHandle holder(CreateFileW(file.c_str(), GENERIC_READ, sharing, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(holder);
      EXPECT_EQ(shortcuts.save(linkFor("vesk - Winｷｰ.lnk", "0,0,0,11,1,1")), WriteOutcome::Held);
    }
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(folder.entries().size(), 1u);
  }
}

TEST_F(Win32ShortcutsTest, AMissingFolderFailsAndCreatesNothing) {
  ShortcutLink link = linkFor("gone\\vesk - Altｷｰ.lnk", "3,0,0,11,1,1");
  EXPECT_EQ(shortcuts.save(link), WriteOutcome::Failed);
  EXPECT_TRUE(folder.entries().empty());
  link.file = folder.file(std::string(300, 'x') + ".lnk");  // beyond the path limit
  EXPECT_EQ(shortcuts.save(link), WriteOutcome::Failed);
  EXPECT_TRUE(folder.entries().empty());
  link.file.clear();
  EXPECT_EQ(shortcuts.save(link), WriteOutcome::Failed);
}

TEST(Win32ShortcutsExpand, ExpandsKnownVariablesOnly) {
  ASSERT_TRUE(SetEnvironmentVariableW(L"VESK_TEST_FOLDER", L"C:\\ゲーム"));
  Win32Shortcuts shortcuts;
  EXPECT_EQ(shortcuts.expandEnvironmentStrings("%VESK_TEST_FOLDER%\\vesk.exe"),
            "C:\\ゲーム\\vesk.exe");
  EXPECT_EQ(shortcuts.expandEnvironmentStrings("%VESK_NO_SUCH_VARIABLE%"),
            "%VESK_NO_SUCH_VARIABLE%");
  EXPECT_EQ(shortcuts.expandEnvironmentStrings("D:\\vesk"), "D:\\vesk");
  EXPECT_EQ(shortcuts.expandEnvironmentStrings(""), "");
  SetEnvironmentVariableW(L"VESK_TEST_FOLDER", nullptr);
}

}  // namespace
}  // namespace vesk::platform::win32
