"""Win+S writes the three settings shortcuts into the program's folder; they
are read back with lnkinfo, independently of Wine's shell code."""

import os

from harness.case import MAIN_CLASS, MESSAGE_BOX_CLASS, VESK_EXE, E2ECase
from harness.polling import wait_for
from harness.shortcut import read_shortcut
from harness.wine import windows_path

# Half-width katakana ｷｰ ends each label.
NAMES = {"Win": "vesk - Winｷｰ.lnk", "Ctl": "vesk - Ctlｷｰ.lnk", "Alt": "vesk - Altｷｰ.lnk"}
SHOW_NO_ACTIVATE = 4


class ShortcutTests(E2ECase):
    folder_name = "vesk"

    def start_program(self, args):
        """Starts vesk in a fresh folder; returns the folder and the process."""
        folder = self.make_program_folder(self.folder_name)
        return folder, self.start_vesk(folder, args)

    def write_shortcuts(self, args):
        folder, vesk = self.start_program(args)
        self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=vesk)
        self.driver.keys("win+s")
        paths = {key: os.path.join(folder, name) for key, name in NAMES.items()}

        def readable():
            try:
                return {key: read_shortcut(path) for key, path in paths.items()}
            except (OSError, ValueError):
                return None
        shortcuts = wait_for(readable, f"the shortcut files {sorted(NAMES.values())}",
                             observed=lambda: sorted(os.listdir(folder)))
        self.assertEqual(sorted(n for n in os.listdir(folder) if n.endswith(".lnk")),
                         sorted(NAMES.values()), "expected exactly the three shortcut files")
        self.assertEqual([n for n in os.listdir(folder) if ".~vesk" in n], [],
                         "temporary files left beside the shortcuts")
        self.assertTrue(vesk.running(), "vesk ended after writing its shortcuts")
        return folder, shortcuts

    def assert_shortcuts(self, folder, shortcuts, arguments):
        where = windows_path(folder)
        for key, expected_args in arguments.items():
            info = shortcuts[key]
            with self.subTest(shortcut=NAMES[key]):
                self.assertEqual(info.get("Command line arguments"), expected_args)
                target = info.get("Local path", "")
                self.assertEqual(target, where + "\\vesk.exe", "target path" + (
                    "; '?' stands for characters lost to an ANSI code page: the shortcut lacks "
                    "the Unicode form of its target" if "?" in target else ""))
                self.assertEqual(info.get("Working directory"), where, "working directory")
                self.assertEqual(info["show command"], SHOW_NO_ACTIVATE, "show command")

    def test_empty_command_line_writes_the_defaults_with_party_lines_on(self):
        folder, shortcuts = self.write_shortcuts("")
        self.assert_shortcuts(folder, shortcuts, {
            "Win": "0,0,0,11,1,1", "Ctl": "1,0,0,11,1,1", "Alt": "3,0,0,11,1,1"})

    def test_settings_from_the_command_line_are_written_back(self):
        # Hotkeys on Ctrl; Win+S still uses the Windows key.
        folder, shortcuts = self.write_shortcuts("1,2,1,12,0")
        self.assert_shortcuts(folder, shortcuts, {
            "Win": "0,2,1,12,0,0", "Ctl": "1,2,1,12,0,0", "Alt": "3,2,1,12,0,0"})


class UnwritableShortcutTests(E2ECase):
    def test_a_shortcut_that_cannot_be_written_is_named_in_one_message(self):
        folder = self.make_program_folder("vesk")
        # A folder of that name cannot be replaced by a file.
        os.mkdir(os.path.join(folder, NAMES["Ctl"]))
        vesk = self.start_vesk(folder, "")
        self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=vesk)
        self.driver.keys("win+s")
        text = NAMES["Ctl"] + " に書き込めません"
        box = self.wait_message_box(text)
        self.assertEqual(box.exe.lower(), VESK_EXE, f"the message box is not vesk's: {box}")
        self.assertIn(text, box.texts, f"expected exactly the text {text!r}: {box.texts}")
        self.screenshot("unwritten-shortcut")
        for key in ("Win", "Alt"):
            read_shortcut(os.path.join(folder, NAMES[key]))  # the others are written
        self.assertTrue(os.path.isdir(os.path.join(folder, NAMES["Ctl"])))
        self.driver.dismiss(box)
        self.wait_no_window(MESSAGE_BOX_CLASS, pid=box.pid)
        self.assertTrue(vesk.running(), "vesk ended after the message")
        self.assertEqual([n for n in os.listdir(folder) if ".~vesk" in n], [],
                         "temporary files left beside the shortcuts")


class ShortcutsInJapaneseFolderTests(ShortcutTests):
    """The same from a folder whose name is not ASCII."""
    folder_name = "狩猟 ツール"


class ShortcutsAtDriveRootTests(ShortcutTests):
    """The program started from the root of a drive: the folder text is then
    "R:\\" and file names are joined to it as they stand."""

    def start_program(self, args):
        folder = self.make_program_folder("root")
        drive = os.path.join(self.session.prefix.prefix_dir, "dosdevices", "r:")
        os.symlink(folder, drive)
        self.addCleanup(os.remove, drive)
        return folder, self.start_vesk(folder, args, exe="R:\\vesk.exe")

    def assert_shortcuts(self, folder, shortcuts, arguments):
        for key, expected_args in arguments.items():
            info = shortcuts[key]
            with self.subTest(shortcut=NAMES[key]):
                self.assertEqual(info.get("Command line arguments"), expected_args)
                # The shell may store "R:\\vesk.exe" as given or normalised;
                # either names the program at the drive's root.
                target = info.get("Local path", "")
                self.assertEqual(target.replace("\\\\", "\\"), "R:\\vesk.exe", "target path")
                self.assertEqual(info.get("Working directory"), "R:\\", "working directory")
                self.assertEqual(info["show command"], SHOW_NO_ACTIVATE, "show command")
