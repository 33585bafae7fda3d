// The settings shortcut files: names, targets and argument texts.
#include "shell/settings_shortcut.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_shortcuts.h"
#include "shell/command_line.h"

namespace vesk {
namespace {

TEST(SettingsShortcut, EachModifierGetsItsFileAndFirstField) {
  // Only target and working folder go through the environment expansion;
  // the file name keeps the folder text as it stands.
  platform::fake::FakeShortcuts shell;
  shell.environment["VESKDIR"] = "C:\\Games";
  const SettingsRecord s = parseCommandLine("");
  const std::string folder = "%VESKDIR%\\vesk";
  const struct {
    const char* sKey;
    const char* file;
    const char* args;
  } cases[] = {
      {"8", "%VESKDIR%\\vesk\\vesk - Winｷｰ.lnk", "0,0,0,11,1,1"},
      {"2", "%VESKDIR%\\vesk\\vesk - Ctlｷｰ.lnk", "1,0,0,11,1,1"},
      {"4", "%VESKDIR%\\vesk\\vesk - Sftｷｰ.lnk", "2,0,0,11,1,1"},
      {"1", "%VESKDIR%\\vesk\\vesk - Altｷｰ.lnk", "3,0,0,11,1,1"},
      {"16", "%VESKDIR%\\vesk\\vesk.lnk", ""},
      {"", "%VESKDIR%\\vesk\\vesk.lnk", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sKey);
    const platform::ShortcutLink link = settingsShortcut(c.sKey, s, folder, shell);
    EXPECT_EQ(link.file, c.file);
    EXPECT_EQ(link.arguments, c.args);
    EXPECT_EQ(link.target, "C:\\Games\\vesk\\vesk.exe");
    EXPECT_EQ(link.workingDirectory, "C:\\Games\\vesk");
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
