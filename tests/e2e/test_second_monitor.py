"""Two monitors side by side: the strips follow the game from the first
monitor onto the second, and the deadline editor opens on the game's
monitor; on a Wine that scales windows, the strips take the second
monitor's scale. The cases run on a display and a Wine prefix of their own,
so that every other case keeps its single monitor."""

from harness import session as session_module
from harness.case import VESK_EXE
from harness.polling import wait_for
from harness.session import Session
from test_deadline_editor import EDITOR_CLASS
from test_overlay import BOX_TWO_ROWS, SECOND_SIZE, STRIP_HEIGHT, OverlayCase

MONITOR = (1280, 1024)


class SecondMonitorTests(OverlayCase):
    @classmethod
    def setUpClass(cls):
        outer = session_module.current
        if outer is None:
            return  # setUp skips the case
        own = Session(outer.repo_root, outer.vesk_exe, outer.standin_exe, outer.driver_exe,
                      outer.examples_dir, outer.artifacts_dir, keep=outer.keep, monitors=2)
        own.wine_major = outer.wine_major

        def back_to_outer():
            session_module.current = outer
            own.stop()
        cls.addClassCleanup(back_to_outer)
        own.start()
        session_module.current = own

    def test_strips_at_150_percent_over_a_game_on_the_second_monitor(self):
        if self.session.wine_major < 9:
            self.skipTest("this Wine does not scale windows")
        self.set_display_dpi(144)
        self.addCleanup(self.set_display_dpi, 96)
        width, _ = MONITOR
        # A DPI-unaware game, which the system stretches 1.5 times.
        game = self.start_game(x=40, y=30, width=500, height=400)
        self.driver.move(game.window, width + 60, 90)
        self.game_now(game, "on the second monitor", lambda w: w.rect[0] >= width)
        left, top, right, bottom = game.window.client
        self.assertAlmostEqual(right - left, 750, delta=750 * 0.01,
                               msg="the game stretched 1.5 times")
        self.start_vesk_beside(game)

        def near(got, want):
            return all(abs(a - b) <= 1 for a, b in zip(got, want))
        # The strips at the client area's corners at 1.5 times their size;
        # the system may round the stretched frame 1 pixel off.
        box = [round(v * 1.5) for v in BOX_TWO_ROWS]
        second_size = [round(v * 1.5) for v in SECOND_SIZE]

        def placed():
            main, second = self.strips()
            return (main and second and main.visible and second.visible
                    and near(main.rect, (left, top, right, top + round(STRIP_HEIGHT * 1.5)))
                    and near(second.rect[:2], (right - box[0], bottom - box[1]))
                    and near((second.rect[2] - second.rect[0], second.rect[3] - second.rect[1]),
                             second_size))
        wait_for(placed, "both strips at 150 % over the game on the second monitor",
                 timeout=20, observed=self.describe_strips)
        self.screenshot("second-monitor-150")

    def test_strips_follow_the_game_onto_the_second_monitor(self):
        width, height = MONITOR
        self.assertEqual(self.driver.monitors(), [(0, 0, width, height),
                                                  (width, 0, 2 * width, height)],
                         "the monitors Windows programs see")
        game = self.start_game(x=40, y=30, width=800, height=600)
        self.start_vesk_beside(game)
        self.wait_placed_on(game, BOX_TWO_ROWS, "on the first monitor")

        self.driver.move(game.window, width + 200, 120)
        self.game_now(game, "on the second monitor", lambda w: w.rect[:2] == (width + 200, 120))
        self.wait_placed_on(game, BOX_TWO_ROWS, "after the game moved onto the second monitor")
        self.wait_stopwatch_at(game, "second-monitor")

        second_monitor = (width, 0, 2 * width, height)

        def editor_on_second_monitor():
            found = self.windows(EDITOR_CLASS, exe=VESK_EXE)
            return (len(found) == 1 and found[0].visible
                    and all(a >= b for a, b in zip(found[0].rect[:2], second_monitor[:2]))
                    and all(a <= b for a, b in zip(found[0].rect[2:], second_monitor[2:])))
        self.driver.keys("win+6")
        wait_for(editor_on_second_monitor,
                 f"the deadline editor within the game's monitor {list(second_monitor)}",
                 timeout=15, observed=self.describe_windows)
        self.screenshot("editor-on-the-second-monitor")
