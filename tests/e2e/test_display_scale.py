"""Display scaling under a Wine that scales DPI-unaware windows as Windows
does (9 and later): at LogPixels 120, 144 and 192 the strips are drawn at
the game's own on-screen scale, for a DPI-unaware game (stretched by the
system) and a per-monitor aware one (drawn 1:1): the menu column at the
client area's corner and of its 100 % size times the game's stretch, the
health scale as long as at 100 % times the stretch, and no colour in the
strip's band that the strip at 100 % does not show (no blends)."""

from harness.case import GAME_CLASS, GAME_EXE, GAME_RGB, MAIN_CLASS, E2ECase
from harness.polling import wait_for

DPIS = (120, 144, 192)
# Small enough to fit the virtual screen stretched to 200 %.
GAME = dict(x=20, y=20, width=600, height=360)
RULER = 50  # the stand-in's ruler spacing, client pixels
RULER_ROW = 275  # client row (of 360) inside the stand-in's ruler band
STRIP_HEIGHT = 190
# At 100 %: the stopwatch button 80 wide above three buttons of 20 (the
# default font and button size), and a client row that only the long end
# marks of the health scale cross (they end at 50, the stamina marks at 48):
# not their last row, which a strip placed 1 pixel off the stretched client
# area (see placed()) may miss.
MENU_COLUMN = (80, 24 + 3 * 20)
LONG_MARK_ROW = 48
EDITOR_CLASS = "vesk.frmCaravan"
GREY = (0x40, 0x40, 0x40)
BLACK = (0x00, 0x00, 0x00)


def bounding_box(image, rect, colour):
    xs, ys = [], []
    for x, y, c in image.pixels_in(rect):
        if c == colour:
            xs.append(x)
            ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None


class DisplayScaleTests(E2ECase):
    def setUp(self):
        super().setUp()
        if self.session.wine_major < 9:
            self.skipTest("this Wine does not scale windows")
        self.folder = self.make_program_folder()
        self.addCleanup(self.set_display_dpi, 96)

    def look(self, dpi, mode):
        """The strips over the stand-in of this awareness, once placed: the
        screenshot, the game's client rectangle and its measured stretch."""
        self._stop_processes()
        extra = ("--ruler", str(RULER)) + (("--dpi", "per-monitor") if mode else ())
        game = self.start_game(**GAME, extra=extra)
        client = wait_for(lambda: self.wait_window(GAME_CLASS, exe=GAME_EXE).client,
                          "the game's client area", timeout=10)
        label = f"{dpi}-{mode or 'unaware'}"
        # The game alone: what its own pixels show in the band, stretched.
        alone = self.wait_screen(lambda image: image.pixel(client[0] + 2, client[1] + 2) ==
                                 GAME_RGB, "the game drawn", label + "-game")
        self.start_vesk(self.folder)

        def placed():
            # At the client area's corner; the system rounds the stretched
            # frame of a DPI-unaware game, so the corner may be 1 pixel off
            # the one its outer rectangle and client size imply.
            main = [w for w in self.windows(MAIN_CLASS) if w.visible]
            return (main and abs(main[0].rect[0] - client[0]) <= 1 and
                    abs(main[0].rect[1] - client[1]) <= 1 and main[0])
        main = wait_for(placed, "the main strip at the client area's corner", timeout=20,
                        observed=self.describe_windows)
        # The strip drawn and at rest: its grey menu column shows at the
        # corner, and two screenshots in a row agree. X may show a newly
        # mapped strip in steps (black where its shape or pixels are still
        # on their way under Wine 9 and later).
        last = [None]

        def settled(image):
            same = image._rgb == last[0]
            last[0] = image._rgb
            return same and image.pixel(client[0] + 2, client[1] + 2) == GREY
        shot = self.wait_screen(settled, "the menu column drawn and at rest", label)
        return shot, client, main, self.stretch(shot, client), alone

    def editor(self, label):
        """The deadline editor's client size, opened by its hotkey and
        closed again."""
        self.driver.keys("win+6")
        editor = self.wait_window(EDITOR_CLASS, timeout=10)
        c = editor.client
        self.wait_screen(lambda image: image.pixel((c[0] + c[2]) // 2, c[3] - 3) != BLACK,
                         "the editor drawn", label + "-editor")
        self.driver.close(editor)
        wait_for(lambda: not self.windows(EDITOR_CLASS), "the editor closed", timeout=10)
        return editor.client[2] - editor.client[0], editor.client[3] - editor.client[1]

    def stretch(self, image, client):
        """The game's pixels per screen pixel, from its ruler lines."""
        y = client[1] + (client[3] - client[1]) * RULER_ROW // GAME["height"]
        # Blue over the game's green; the edges of the client area blend
        # with the frame, not with blue.
        marks = [x for x, _, c in image.pixels_in((client[0], y, client[2], y + 1))
                 if c[2] > c[1]]
        runs = []
        for x in marks:
            if runs and x - runs[-1][-1] <= 1:
                runs[-1].append(x)
            else:
                runs.append([x])
        centres = [sum(r) / len(r) for r in runs]
        self.assertGreaterEqual(len(centres), 5, f"ruler lines in row {y}: {runs}")
        return (centres[-1] - centres[0]) / (RULER * (len(centres) - 1))

    def measure(self, image, client, scale):
        band = (client[0], client[1], client[2], client[1] + round(STRIP_HEIGHT * scale))
        menu = bounding_box(image, (client[0], client[1], client[0] + round(200 * scale),
                                    client[1] + round(150 * scale)), GREY)
        row = client[1] + int(LONG_MARK_ROW * scale)
        black = [x for x, _, c in image.pixels_in((client[0], row, client[2], row + 1))
                 if c == BLACK]
        colours = {c for _, _, c in image.pixels_in(band)}
        return menu, (black[-1] - black[0]) if black else 0, colours

    def test_strips_at_the_games_scale_at_each_dpi(self):
        shot, client, _, stretch, _ = self.look(96, None)
        self.assertAlmostEqual(stretch, 1.0, delta=0.02)
        menu96, marks96, colours96 = self.measure(shot, client, 1.0)
        self.assertEqual(menu96, (client[0], client[1], client[0] + MENU_COLUMN[0],
                                  client[1] + MENU_COLUMN[1]))
        self.assertGreater(marks96, 400)
        editor96 = self.editor("96")
        figures = [f"96: menu {menu96}, health scale {marks96} px, editor {editor96}"]
        for dpi in DPIS:
            self.set_display_dpi(dpi)
            for mode in (None, "per-monitor"):
                with self.subTest(dpi=dpi, mode=mode or "unaware"):
                    shot, client, main, stretch, alone = self.look(dpi, mode)
                    expected = 1.0 if mode else dpi / 96
                    self.assertAlmostEqual(stretch, expected, delta=0.02 * expected,
                                           msg="the system's stretch of the game")
                    menu, marks, colours = self.measure(shot, client, expected)
                    figures.append(f"{dpi} {mode or 'unaware'}: stretch {stretch:.3f}, main "
                                   f"{main.rect}, menu {menu}, health scale {marks} px")
                    self.assertIsNotNone(menu, "no menu column")
                    self.assertLessEqual(abs(menu[0] - client[0]), 1, f"menu {menu}")
                    self.assertLessEqual(abs(menu[1] - client[1]), 1, f"menu {menu}")
                    self.assertLessEqual(abs(menu[2] - menu[0] - MENU_COLUMN[0] * expected), 2,
                                         f"menu {menu}")
                    self.assertLessEqual(abs(menu[3] - menu[1] - MENU_COLUMN[1] * expected), 2,
                                         f"menu {menu}")
                    self.assertEqual(main.rect[3] - main.rect[1], round(STRIP_HEIGHT * expected))
                    self.assertAlmostEqual(marks, marks96 * expected, delta=0.02 * marks96 *
                                           expected, msg="health scale, first to last mark")
                    _, _, game_colours = self.measure(alone, client, expected)
                    self.assertEqual(sorted(colours - colours96 - game_colours), [],
                                     "colours in the strip's band that neither the strip at "
                                     "100 % nor the game there shows")
                    if mode is None:
                        # Scaled whole by the system, as before: never half-scaled.
                        editor = self.editor(f"{dpi}")
                        figures[-1] += f", editor {editor}"
                        for got, at96 in zip(editor, editor96):
                            self.assertLessEqual(abs(got - at96 * dpi / 96), 2, f"editor {editor}")
        print("display scale figures: " + "; ".join(figures), flush=True)
