"""Clean exits: vesk on its quit hotkey and on WM_CLOSE, the stand-in on
WM_CLOSE, and no process of either left behind."""

import glob
import os

from harness.case import GAME_CLASS, MAIN_CLASS, SECOND_CLASS, VESK_EXE, E2ECase
from harness.polling import wait_for

EDITOR_CLASS = "vesk.frmCaravan"


class ShutdownTests(E2ECase):
    def start_both(self, args=""):
        game = self.start_game()
        folder = self.make_program_folder()
        vesk = self.start_vesk(folder, args)
        main = self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=vesk)
        return game, folder, vesk, main

    def assert_vesk_ended(self, vesk, how):
        self.assertEqual(vesk.wait(15), 0, f"expected exit code 0 after {how}")
        self.wait_no_window(MAIN_CLASS)
        self.wait_no_window(SECOND_CLASS)

    def close_game_and_check_nothing_is_left(self, game):
        self.assertTrue(game.process.running(), "the stand-in game ended with vesk")
        self.driver.close(game.window)
        self.assertEqual(game.process.wait(15), 0, "expected the stand-in to exit with 0")
        self.wait_no_window(GAME_CLASS)
        self.assertEqual(self.leftover_processes(), [], "processes left behind")

    def test_win0_quits_by_default(self):
        game, _, vesk, _ = self.start_both()
        self.driver.keys("win+0")
        self.assert_vesk_ended(vesk, "Win+0")
        self.close_game_and_check_nothing_is_left(game)

    def test_numpad0_quits_too(self):
        game, _, vesk, _ = self.start_both()
        self.driver.keys("win+numpad0")
        self.assert_vesk_ended(vesk, "Win+numeric-pad 0")
        self.close_game_and_check_nothing_is_left(game)

    def test_ctrl_modifier_quits_on_ctrl0_and_ignores_win0(self):
        game, folder, vesk, _ = self.start_both("1")
        # Hotkey messages are handled in order, so once the shortcuts of the
        # later Win+S exist, Win+0 has been handled too: it must not quit.
        self.driver.keys("win+0", "win+s")
        wait_for(lambda: len(glob.glob(os.path.join(folder, "*.lnk"))) == 3,
                 "three shortcut files after Win+S (Win+S stays on the Windows key)",
                 observed=lambda: os.listdir(folder))
        self.assertTrue(vesk.running(), "Win+0 quit vesk although its modifier is Ctrl")
        self.driver.keys("ctrl+0")
        self.assert_vesk_ended(vesk, "Ctrl+0")
        self.close_game_and_check_nothing_is_left(game)

    def test_wm_close_quits(self):
        game, _, vesk, main = self.start_both()
        self.driver.close(main)
        self.assert_vesk_ended(vesk, "WM_CLOSE")
        self.close_game_and_check_nothing_is_left(game)

    def test_quit_releases_the_hotkeys_for_the_next_start(self):
        _, folder, vesk, _ = self.start_both()
        self.driver.keys("win+0")
        self.assert_vesk_ended(vesk, "Win+0")
        again = self.start_vesk(folder)
        self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=again)
        self.driver.keys("win+0")
        self.assert_vesk_ended(again, "Win+0 in a second run")

    def test_a_close_while_the_editor_is_open_ends_vesk_and_frees_the_next_start(self):
        # The close reaches the main loop through the editor's modal loop;
        # the next start finds no instance holding the single-instance lock.
        game, folder, vesk, main = self.start_both()
        self.driver.keys("win+6")
        self.wait_window(EDITOR_CLASS, exe=VESK_EXE, process=vesk)
        self.driver.close(main)
        self.assert_vesk_ended(vesk, "WM_CLOSE to the main strip with the editor open")
        self.wait_no_window(EDITOR_CLASS)
        again = self.start_vesk(folder)
        self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=again)
        self.assertEqual(self.windows("#32770", exe=VESK_EXE), [],
                         "the next start showed a message box")
        self.driver.keys("win+0")
        self.assert_vesk_ended(again, "Win+0 in the next run")
        self.close_game_and_check_nothing_is_left(game)
