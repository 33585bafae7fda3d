"""The test tools themselves: the stand-in game and the driver. The other
tests rely on both, so their contracts are checked here."""

import os

from harness.case import GAME_CLASS, GAME_RGB, E2ECase
from harness.polling import wait_for
from harness.wine import windows_path


class StandinGameTests(E2ECase):
    def test_window_has_the_asked_client_area_and_logs_presses_in_client_pixels(self):
        game = self.start_game(x=60, y=40, width=640, height=480)
        left, top, right, bottom = game.window.client
        self.assertEqual((right - left, bottom - top), (640, 480),
                         f"expected a 640 x 480 client area, got {game.window}")
        self.assertFalse(game.window.topmost, "the stand-in game must not be topmost")
        shot = self.wait_screen(lambda image: image.pixel(left + 320, top + 240) == GAME_RGB,
                                f"the client area painted {GAME_RGB}", "standin")
        self.assertEqual(shot.pixel(right - 1, bottom - 1), GAME_RGB,
                         "expected the whole client area in the game colour")

        self.click(left + 10, top + 20, button=1)
        self.click(left + 300, top + 200, button=3)
        expected = ["left 10 20", "right 300 200"]
        wait_for(lambda: game.clicks() == expected, f"the click log {expected}",
                 observed=game.clicks)

        self.driver.close(game.window)
        self.assertEqual(game.process.wait(15), 0, "expected exit code 0 after WM_CLOSE")
        self.wait_no_window(GAME_CLASS)

    def test_refuses_a_bad_command_line_without_opening_a_window(self):
        refused = [["--width", "0"], ["--height", "12abc"], ["--x"], ["--bogus", "1"],
                   ["--clicks", ""], ["--y", "99999"]]
        for args in refused:
            code, _, errors = self.session.prefix.run(self.session.standin_exe, args)
            self.assertEqual(code, 2, f"expected exit code 2 for {args}, got {code}")
            self.assertIn("standin-game:", errors, f"expected a reason on stderr for {args}")
        self.assertEqual(self.windows(GAME_CLASS), [], "a refused start left a window")

    def test_exits_with_code_3_when_the_click_log_cannot_be_opened(self):
        missing = windows_path(os.path.join(self.work_dir, "no-such-folder", "clicks.txt"))
        code, _, _ = self.session.prefix.run(self.session.standin_exe, ["--clicks", missing])
        self.assertEqual(code, 3)


class DriverTests(E2ECase):
    def test_refuses_unknown_commands_and_key_chords(self):
        for args in (["keys", "win+bogus"], ["keys", "win+"], ["keys"], ["close", "xyz"],
                     ["fly"], ["serve", "1"], []):
            for path, run in (("server", self.driver.run_raw),
                              ("one-shot", self.driver.run_one_shot)):
                code, _, _ = run(*args)
                self.assertEqual(code, 2, f"expected exit code 2 for driver {args} ({path}), "
                                          f"got {code}")

    def test_close_of_a_missing_window_fails(self):
        code, _, errors = self.driver.run_raw("close", "123456789")
        self.assertEqual(code, 1, f"expected exit code 1, got {code} ({errors.strip()})")

    def test_server_and_one_shot_describe_a_window_alike(self):
        game = self.start_game(x=70, y=30, width=320, height=240)
        tag = f'{{"hwnd":{game.window.hwnd},'
        answers = {path: run("windows") for path, run in (
            ("server", self.driver.run_raw), ("one-shot", self.driver.run_one_shot))}
        lines = {path: [line for line in output.splitlines() if line.startswith(tag)]
                 for path, (_, output, _) in answers.items()}
        self.assertEqual([code for code, _, _ in answers.values()], [0, 0])
        self.assertEqual(len(lines["server"]), 1, f"the game window once: {lines}")
        self.assertEqual(lines["server"], lines["one-shot"])
