"""Start-up beside the game: the overlay's two strips are shown topmost over
the game's client area, and only their key-colour pixels let the game show
through and receive the mouse."""

from harness.case import (GAME_RGB, KEY_RGB, MAIN_CLASS, SECOND_CLASS, VESK_EXE, E2ECase)
from harness.polling import wait_for

STRIP_HEIGHT = 190


class StartupTests(E2ECase):
    folder_name = "vesk"

    def start_beside_game(self):
        game = self.start_game(x=100, y=50, width=1024, height=768)
        folder = self.make_program_folder(self.folder_name)
        vesk = self.start_vesk(folder)
        main = self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=vesk)
        return game, vesk, main

    def test_strips_stay_up_topmost_over_the_game_client_area(self):
        game, vesk, main = self.start_beside_game()
        left, top, right, bottom = game.window.client
        band = (left, top, right, top + STRIP_HEIGHT)
        main = wait_for(lambda: next((w for w in self.windows(MAIN_CLASS) if w.rect == band),
                                     None),
                        f"the main strip on the client area's top band {list(band)}",
                        timeout=5, observed=self.describe_windows)
        self.assertTrue(main.visible and main.topmost, f"expected visible and topmost: {main}")
        self.assertTrue(main.layered, f"expected a layered window: {main}")

        second = self.wait_window(SECOND_CLASS, pid=main.pid)
        self.assertTrue(second.topmost, f"expected the secondary strip topmost: {second}")
        self.assertTrue(second.layered, f"expected the secondary strip layered: {second}")
        cx, cy = (left + right) // 2, (top + bottom) // 2
        self.assertTrue(cx <= second.rect[0] < right and cy <= second.rect[1] < bottom,
                        f"expected the secondary strip in the client area's bottom-right "
                        f"quarter {[cx, cy, right, bottom]}: {second}")

        # Still up after all that, the game too, and nothing else was opened.
        self.assertTrue(vesk.running(), f"vesk exited with code {vesk.exit_code()}")
        self.assertTrue(game.process.running(), "the stand-in game exited")
        self.assertEqual(len(self.windows(MAIN_CLASS)), 1, self.describe_windows())

    def test_key_colour_shows_the_game_and_passes_its_clicks(self):
        game, vesk, main = self.start_beside_game()
        strip = main.rect
        area = (strip[2] - strip[0]) * (strip[3] - strip[1])

        def drawn(image):
            green = image.count_colour(strip, GAME_RGB)
            return 0 < green < area
        shot = self.wait_screen(
            drawn, f"the strip {list(strip)} drawn partly opaque, partly showing the game",
            "strip")
        self.assertEqual(shot.count_colour(strip, KEY_RGB), 0,
                         "expected no pixel of the key colour 0xC0C0C0 on screen: "
                         "it must be see-through")
        left, top, right, bottom = game.window.client
        below = ((left + right) // 2, (strip[3] + bottom) // 2)
        self.assertEqual(shot.pixel(*below), GAME_RGB,
                         f"expected the game's colour below the strip at {below}")

        x, y = self.see_through_point(shot, strip)
        self.click(x, y)
        expected = f"left {x - left} {y - top}"
        wait_for(lambda: expected in game.clicks(),
                 f"the game to receive the click through the strip at {x},{y} as {expected!r}",
                 observed=game.clicks)
        self.assertTrue(vesk.running(), "vesk exited after a click on a see-through pixel")

    def see_through_point(self, shot, strip):
        """A pixel showing the game with game-coloured pixels all around it,
        searched from the strip's middle row outwards."""
        left, top, right, bottom = strip
        middle = (top + bottom) // 2
        rows = sorted(range(top + 3, bottom - 3), key=lambda y: abs(y - middle))
        for y in rows:
            for x in range(right - 4, left + 3, -7):
                if all(shot.pixel(x + dx, y + dy) == GAME_RGB
                       for dx in (-3, 0, 3) for dy in (-3, 0, 3)):
                    return x, y
        self.fail(f"no see-through area in the strip {list(strip)}")


class StartupInJapaneseFolderTests(StartupTests):
    """The same from a folder whose name is not ASCII."""
    folder_name = "狩猟 ツール"
