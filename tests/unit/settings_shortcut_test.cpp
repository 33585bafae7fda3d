// The settings shortcut files: names, targets and argument texts.
#include "shell/settings_shortcut.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_shortcuts.h"
#include "shell/command_line.h"

namespace vesk {
namespace {

TEST(SettingsShortcut, EachModifierGetsItsFileAndFirstField) {
  platform::fake::FakeShortcuts shell;
  const SettingsRecord s = parseCommandLine("");
  const std::string folder = "C:\\Games\\vesk";
  const struct {
    const char* sKey;
    const char* file;
    const char* args;
  } cases[] = {
      {"8", "C:\\Games\\vesk\\vesk - Winｷｰ.lnk", "0,0,0,11,1,1"},
      {"2", "C:\\Games\\vesk\\vesk - Ctlｷｰ.lnk", "1,0,0,11,1,1"},
      {"4", "C:\\Games\\vesk\\vesk - Sftｷｰ.lnk", "2,0,0,11,1,1"},
      {"1", "C:\\Games\\vesk\\vesk - Altｷｰ.lnk", "3,0,0,11,1,1"},
      {"16", "C:\\Games\\vesk\\vesk.lnk", ""},
      {"", "C:\\Games\\vesk\\vesk.lnk", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sKey);
    const platform::ShortcutLink link = settingsShortcut(c.sKey, s, folder, shell);
    EXPECT_EQ(link.file, c.file);
    EXPECT_EQ(link.arguments, c.args);
    EXPECT_EQ(link.target, "C:\\Games\\vesk\\vesk.exe");
    EXPECT_EQ(link.workingDirectory, folder);
    EXPECT_EQ(link.showCommand, 4);
  }
}

TEST(SettingsShortcut, CarriesTheCurrentSettings) {
  platform::fake::FakeShortcuts shell;
  const SettingsRecord s = parseCommandLine("1,2,1,12,0");
  EXPECT_EQ(settingsShortcut("2", s, "D:\\x", shell).arguments, "1,2,1,12,0,0");
}

TEST(SettingsShortcut, DriveRootFolderIsJoinedAsItStands) {
  platform::fake::FakeShortcuts shell;
  const platform::ShortcutLink link = settingsShortcut("8", parseCommandLine(""), "C:\\", shell);
  EXPECT_EQ(link.file, "C:\\\\vesk - Winｷｰ.lnk");
  EXPECT_EQ(link.target, "C:\\\\vesk.exe");
  EXPECT_EQ(link.workingDirectory, "C:\\");
}

}  // namespace
}  // namespace vesk
