"""Start-up beside the game: the main strip comes up as a topmost, layered,
colour-keyed window and stays up; every pixel of its key colour lets the game
show through and receive the mouse."""

from harness.case import GAME_CLASS, GAME_EXE, GAME_RGB, KEY_RGB, MAIN_CLASS, VESK_EXE, E2ECase
from harness.polling import wait_for


class StartupTests(E2ECase):
    folder_name = "vesk"

    def start_beside_game(self):
        # The game under the strip's first position, the screen's top-left.
        game = self.start_game(x=0, y=0, width=1024, height=768)
        folder = self.make_program_folder(self.folder_name)
        vesk = self.start_vesk(folder)
        main = self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=vesk)
        return game, vesk, main

    def test_main_strip_stays_up_topmost_and_layered(self):
        game, vesk, main = self.start_beside_game()
        self.assertTrue(main.topmost, f"expected the main strip topmost: {main}")
        self.assertTrue(main.layered, f"expected a layered window: {main}")
        self.assertGreater(main.rect[2] - main.rect[0], 0, f"an empty strip: {main}")
        # Still there a while later, with nothing else opened (a message box
        # would mean something went wrong).
        wait_for(lambda: vesk.running() and len(self.windows(MAIN_CLASS)) == 1 and
                 not self.windows("#32770"), "vesk running with its one main strip",
                 observed=self.describe_windows)
        self.assertTrue(game.process.running(), "the stand-in game exited")
        self.assertFalse(self.wait_window(GAME_CLASS, exe=GAME_EXE).topmost,
                         "the game window became topmost")

    def test_key_colour_shows_the_game_and_passes_its_clicks(self):
        game, vesk, main = self.start_beside_game()
        left, top, right, bottom = game.window.client
        strip = main.rect
        # The middle of the strip's lower band: no control covers it, so it is
        # the strip's back colour, the key, and must show the game.
        x, y = (strip[0] + strip[2]) // 2, strip[1] + 150
        self.assertTrue(left <= x < right and top <= y < bottom,
                        f"the point {x},{y} of the strip {list(strip)} does not lie over the "
                        f"game's client area {list(game.window.client)}")
        band = (x - 100, y - 10, x + 100, y + 10)
        area = (band[2] - band[0]) * (band[3] - band[1])
        # Something of the strip's own is drawn too: the stopwatch box at its
        # top-left is opaque.
        shot = self.wait_screen(
            lambda image: image.count_colour(band, GAME_RGB) == area
            and image.pixel(strip[0], strip[1]) != GAME_RGB,
            f"the game's colour everywhere in {list(band)} of the strip and the strip's own "
            f"stopwatch box at {strip[0]},{strip[1]}", "strip", timeout=20)
        self.assertEqual(shot.count_colour((0, 0, shot.width, shot.height), KEY_RGB), 0,
                         "the key colour 0xC0C0C0 is on screen: it must be see-through")

        # The screen cannot tell an unpainted strip from a see-through one;
        # the X window's shape can.
        wait_for(lambda: self.session.display.shaped_viewable_windows("vesk.exe"),
                 "the strip's X window mapped with its see-through pixels cut out")
        self.click(x, y)
        expected = f"left {x - left} {y - top}"
        wait_for(lambda: expected in game.clicks(),
                 f"the game to receive the click through the strip at {x},{y} as {expected!r}",
                 observed=game.clicks)
        self.assertTrue(vesk.running(), "vesk exited after a click on a see-through pixel")


class StartupInJapaneseFolderTests(StartupTests):
    """The same from a folder whose name is not ASCII."""
    folder_name = "狩猟 ツール"
