"""The overlay beside the game: where both strips go (on the game, without
one, parked), what the caravan box shows for the data files and the
deadline, and the hotkeys that hide the marks, run the stopwatch and end the
program. Everything is read from the driver's window list and the screen."""

import os
import time

from harness.case import (GAME_CLASS, GAME_EXE, GAME_RGB, KEY_RGB, MAIN_CLASS, SECOND_CLASS,
                          VESK_EXE, E2ECase)
from harness.polling import wait_for

STRIP_HEIGHT = 190
# Without a game window the strips take a 1024x768 screen's top band and
# bottom-right corner.
FALLBACK_SCREEN = (1024, 768)
SECOND_SIZE = (200, 33)
WS_EX_NOACTIVATE = 0x08000000

# The caravan box (width, height): two rows (calendar, deadline), one row,
# or the bare "Tama" label.
BOX_TWO_ROWS = (131, 29)
BOX_ONE_ROW = (131, 19)
BOX_TAMA = (50, 19)

RED = (0xFF, 0x00, 0x00)
DARK_ORANGE = (0xC0, 0x40, 0x00)
GREEN = (0x00, 0x80, 0x00)
GREY = (0x40, 0x40, 0x40)
BLACK = (0x00, 0x00, 0x00)
WHITE = (0xFF, 0xFF, 0xFF)

# Parts of the main strip, relative to its origin. The menu column (50 wide)
# and the stopwatch box (at most 95 wide at the largest font) hold text; the
# marks lie right of and below them.
MENU_COLUMN_WIDTH = 50
STOPWATCH_BOX = (0, 0, 70, 24)  # lies inside the stopwatch box at every font size
STOPWATCH_BAND = 24
HIDE_LABEL = (0, 46, MENU_COLUMN_WIDTH, 62)
# The HP lines hang from the scale's numbers within the strip's top rows;
# the stamina marks and the party lines lie below.
SCALE_BAND = 36
HP_LINES = 16
ADRENALINE_MARKS = 4  # at health 10, 20, 30 and 40


def deadline_text(minutes_ahead):
    """A caravan_tama.txt line for local time now + minutes_ahead."""
    when = time.localtime(time.time() + minutes_ahead * 60)
    return time.strftime("%Y/%m/%d %H:%M\r\n", when).encode("ascii")


def example(session, name):
    """The bytes of one of the example data files."""
    with open(os.path.join(session.examples_dir, name), "rb") as f:
        return f.read()


def offset(rect, x, y):
    return (rect[0] + x, rect[1] + y, rect[2] + x, rect[3] + y)


def region_pixels(image, rect):
    return bytes(v for _, _, c in image.pixels_in(rect) for v in c)


def run_length(image, x, y, dx, dy, colour, limit):
    """How many pixels from x, y on, stepping dx, dy, have this colour."""
    n = 0
    while n < limit:
        try:
            if image.pixel(x + n * dx, y + n * dy) != colour:
                break
        except IndexError:
            break
        n += 1
    return n


def measure_box(image, origin):
    """(colour at the origin, width, height) of the box starting there: the
    runs of that colour along its top row and its left column."""
    x, y = origin
    colour = image.pixel(x, y)
    return (colour, run_length(image, x, y, 1, 0, colour, SECOND_SIZE[0] + 1),
            run_length(image, x, y, 0, 1, colour, SECOND_SIZE[1] + 1))


def column_groups(columns):
    """The number of runs of consecutive x values."""
    columns = sorted(columns)
    return sum(1 for i, x in enumerate(columns) if i == 0 or columns[i - 1] != x - 1)


class OverlayCase(E2ECase):
    def strips(self):
        """(main strip, secondary strip) of vesk as the driver lists them;
        None for one that does not exist or is not the only one."""
        found = []
        for cls in (MAIN_CLASS, SECOND_CLASS):
            windows = self.windows(cls, exe=VESK_EXE)
            found.append(windows[0] if len(windows) == 1 else None)
        return tuple(found)

    def describe_strips(self):
        return "; ".join(f"{w} exstyle {w.exstyle:#x}" for w in self.windows(exe=VESK_EXE)
                         if w.cls in (MAIN_CLASS, SECOND_CLASS)) or "no strips"

    def wait_strips(self, main_rect, second_origin, second_visible, why):
        """Both strips once the main strip has main_rect and the secondary
        strip (200x33) its visibility and, unless second_origin is None, its
        origin."""
        expected_second = second_origin and (
            second_origin[0], second_origin[1],
            second_origin[0] + SECOND_SIZE[0], second_origin[1] + SECOND_SIZE[1])

        def probe():
            main, second = self.strips()
            if (main and second and main.visible and main.rect == tuple(main_rect)
                    and (expected_second is None or second.rect == expected_second)
                    and second.visible == second_visible):
                return main, second
            return None
        where = f" at {list(expected_second)}" if expected_second else ""
        return wait_for(probe, f"{why}: the main strip visible at {list(main_rect)} and the "
                        f"secondary strip {'visible' if second_visible else 'hidden'}{where}",
                        timeout=15, observed=self.describe_strips)

    def wait_placed_on(self, game, box, why):
        """The placement rule: the main strip over the top band of the game's
        client area, the box ending at the client area's bottom-right corner."""
        left, top, right, bottom = game.window.client
        return self.wait_strips((left, top, right, top + STRIP_HEIGHT),
                                (right - box[0], bottom - box[1]), True, why)

    def wait_screen_state(self, probe, expected, label, timeout=15):
        """The first screenshot for which probe(image) gives True; probe may
        also return a text describing what it saw instead."""
        seen = ["nothing"]

        def attempt():
            shot = self.screenshot(label)
            verdict = probe(shot)
            if verdict is True:
                return shot
            seen[0] = verdict
            return None
        return wait_for(attempt, expected, timeout=timeout, interval=0.1,
                        observed=lambda: f"{seen[0]} (see {self.artifact_stem}-{label}.png)")

    def game_now(self, game, why, condition=lambda w: True):
        """The game's window as the driver lists it, once condition holds."""
        def probe():
            found = self.windows(GAME_CLASS, exe=GAME_EXE, pid=game.window.pid)
            return found[0] if len(found) == 1 and condition(found[0]) else None
        game.window = wait_for(probe, f"the game window {why}", timeout=15,
                               observed=self.describe_windows)
        return game.window

    def wait_stopwatch_at(self, game, label):
        """The grey stopwatch box drawn at the game's client top-left."""
        left, top = game.window.client[:2]
        self.wait_screen_state(
            lambda image: image.pixel(left, top) == GREY
            or f"{image.pixel(left, top)} at the client's top-left",
            f"the grey {GREY} stopwatch box at the client's top-left {left},{top}", label)

    def start_vesk_beside(self, game, folder_name="vesk", data="examples", args="", env=None):
        folder = self.make_program_folder(folder_name, data)
        vesk = self.start_vesk(folder, args, env=env)
        self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=vesk)
        return folder, vesk

    def end_vesk(self, vesk, keys="win+0"):
        self.driver.keys(keys)
        self.assertEqual(vesk.wait(15), 0, f"expected vesk to exit with code 0 after {keys}")
        self.wait_no_window(MAIN_CLASS)
        self.wait_no_window(SECOND_CLASS)


class OverlayPlacementTests(OverlayCase):
    def check_placement_at_start(self, x, y, width, height):
        game = self.start_game(x=x, y=y, width=width, height=height)
        _, vesk = self.start_vesk_beside(game)
        # Wine's frame sizes differ from Windows': the client rectangle is
        # the stand-in's own, as the driver reads it.
        left, top, right, bottom = game.window.client
        self.assertEqual((right - left, bottom - top), (width, height),
                         f"the stand-in's client area is not the size asked for: {game.window}")
        main, second = self.wait_placed_on(game, BOX_TWO_ROWS, "at start beside the game")
        for strip in (main, second):
            self.assertTrue(strip.topmost and strip.layered,
                            f"expected topmost and layered: {strip}")
            self.assertTrue(strip.exstyle & WS_EX_NOACTIVATE,
                            f"expected a strip that is never activated (WS_EX_NOACTIVATE): "
                            f"{strip} exstyle {strip.exstyle:#x}")
        self.assertFalse(self.wait_window(GAME_CLASS, exe=GAME_EXE).topmost,
                         "the game window became topmost")

        # What is drawn sits where the windows are: the stopwatch box in the
        # client area's top-left corner, the caravan box filling its
        # bottom-right corner.
        sx, sy = second.rect[:2]

        def drawn(image):
            stopwatch, box = image.pixel(left, top), measure_box(image, (sx, sy))
            if stopwatch == GREY and box[0] != GAME_RGB and box[1:] == BOX_TWO_ROWS:
                return True
            return (f"stopwatch corner {stopwatch}, box at {sx},{sy}: colour {box[0]}, "
                    f"{box[1]}x{box[2]}")
        self.wait_screen_state(
            drawn, f"the grey {GREY} stopwatch box at the client's top-left {left},{top} and "
            f"a {BOX_TWO_ROWS[0]}x{BOX_TWO_ROWS[1]} box from {sx},{sy} to the client's "
            f"bottom-right {right},{bottom}", "placed")
        self.assertTrue(vesk.running(), "vesk ended")

    def test_strips_on_a_1024x768_game(self):
        self.check_placement_at_start(100, 50, 1024, 768)

    def test_strips_on_an_800x600_game(self):
        self.check_placement_at_start(40, 30, 800, 600)

    def test_fallback_then_attach_park_and_a_restarted_game(self):
        folder = self.make_program_folder()
        vesk = self.start_vesk(folder)
        self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=vesk)
        screen_w, screen_h = FALLBACK_SCREEN
        self.wait_strips((0, 0, screen_w, STRIP_HEIGHT),
                         (screen_w - BOX_TWO_ROWS[0], screen_h - BOX_TWO_ROWS[1]), False,
                         "without a game")

        game = self.start_game(x=40, y=30, width=800, height=600)
        self.wait_placed_on(game, BOX_TWO_ROWS, "after the game started, no key pressed")

        # The game has not moved: Win+1 parks the main strip at the screen's
        # origin, as wide as the game's client area, and hides the box.
        left, _, right, _ = game.window.client
        self.driver.keys("win+1")
        self.wait_strips((0, 0, right - left, STRIP_HEIGHT), None, False,
                         "Win+1 again with the game unmoved")

        self.driver.keys("win+1")
        self.wait_placed_on(game, BOX_TWO_ROWS, "Win+1 a third time")

        self.driver.close(game.window)
        self.assertEqual(game.process.wait(15), 0, "expected the stand-in to exit with 0")
        self.wait_no_window(GAME_CLASS)
        self.wait_strips((0, 0, screen_w, STRIP_HEIGHT), None, False,
                         "after the game closed, as at a start without it")
        self.screenshot("game-closed")
        self.assertTrue(vesk.running(), "vesk ended with the game")
        again = self.start_game(x=200, y=120, width=960, height=720)
        self.wait_placed_on(again, BOX_TWO_ROWS, "after the game started again elsewhere, "
                            "no key pressed")
        self.screenshot("game-again")
        self.driver.keys("win+1")
        left, _, right, _ = again.window.client
        self.wait_strips((0, 0, right - left, STRIP_HEIGHT), None, False,
                         "Win+1 parks on the new game")
        self.assertTrue(vesk.running(), "vesk ended")


class OverlayPanelTests(OverlayCase):
    def wait_box(self, game, colour, size, label):
        """Waits for the caravan box of this colour and size at the client
        area's bottom-right corner, with text in each of its rows."""
        _, second = self.wait_placed_on(game, size, f"the {size[0]}x{size[1]} box")
        origin = second.rect[:2]
        rows = [(origin[1] + 4 + 12 * i, origin[1] + 4 + 12 * (i + 1))
                for i in range(2 if size == BOX_TWO_ROWS else 1)]

        def probe(image):
            found = measure_box(image, origin)
            if found != (colour, *size):
                return f"a {found[1]}x{found[2]} box of colour {found[0]}"
            blank = [r for r in rows if image.count_colour(
                (origin[0], r[0], origin[0] + size[0], r[1]), WHITE) == 0]
            if blank:
                return f"no white text in the box's rows {blank}"
            return True
        shot = self.wait_screen_state(
            probe, f"a {size[0]}x{size[1]} box of colour {colour} from {list(origin)} with "
            f"white text in each of its {len(rows)} rows", label)
        self.assertEqual(shot.count_colour((0, 0, shot.width, shot.height), KEY_RGB), 0,
                         f"the key colour {KEY_RGB} is on screen: it must be see-through")

    def test_box_colour_follows_the_minutes_left_to_the_deadline(self):
        game = self.start_game()
        calendar = {name: example(self.session, name)
                    for name in ("caravan_que.txt", "caravan_fushi.txt")}
        for minutes, colour in ((30, RED), (300, DARK_ORANGE), (600, GREEN), (2000, GREY)):
            with self.subTest(minutes_ahead=minutes):
                data = dict(calendar, **{"caravan_tama.txt": deadline_text(minutes)})
                _, vesk = self.start_vesk_beside(game, f"vesk-{minutes}", data)
                self.wait_box(game, colour, BOX_TWO_ROWS, f"deadline-{minutes}")
                self.end_vesk(vesk)

    def test_box_size_follows_the_data_files(self):
        game = self.start_game()

        def read(name):
            return example(self.session, name)
        cases = (
            ("calendar-only", {"caravan_que.txt": read("caravan_que.txt"),
                               "caravan_fushi.txt": read("caravan_fushi.txt")},
             GREY, BOX_ONE_ROW),
            # Without the rotation table there is no calendar line; the box
            # takes the deadline's colour.
            ("deadline-only", {"caravan_tama.txt": deadline_text(600),
                               "caravan_fushi.txt": read("caravan_fushi.txt")},
             GREEN, BOX_ONE_ROW),
            ("no-files", None, GREY, BOX_TAMA),
        )
        for label, data, colour, size in cases:
            with self.subTest(data_files=label):
                _, vesk = self.start_vesk_beside(game, label, data)
                self.wait_box(game, colour, size, label)
                self.end_vesk(vesk)

    # The marks ------------------------------------------------------------------

    def marks(self, image, strip):
        """What the marks area of the main strip (all of it but the menu
        column and the stopwatch band) shows: the number of HP lines, of red
        adrenaline marks, of the scale's number pixels, and whether all of
        the area shows the game."""
        left, top, right, bottom = strip
        line_columns, red_columns, others, all_game = set(), set(), 0, True
        for x, y, c in image.pixels_in((left + MENU_COLUMN_WIDTH, top, right, bottom)):
            if y < top + STOPWATCH_BAND and x < left + 96:
                continue
            if c != GAME_RGB:
                all_game = False
            if c in (BLACK, RED):
                if y < top + SCALE_BAND:
                    line_columns.add(x)
                if c == RED:
                    red_columns.add(x)
            elif c != GAME_RGB:
                others += 1
        return {"hp_lines": column_groups(line_columns), "red_marks": column_groups(red_columns),
                "scale_pixels": others, "all_game": all_game}

    def wait_marks(self, strip, shown, label, why):
        def probe(image):
            found = self.marks(image, strip)
            if shown and found["hp_lines"] == HP_LINES and found["red_marks"] == ADRENALINE_MARKS \
                    and found["scale_pixels"] > 0:
                return True
            if not shown and found["all_game"]:
                return True
            return f"marks area: {found}"
        expected = (f"{why}: {HP_LINES} HP lines, {ADRENALINE_MARKS} red marks and the scale's "
                    f"numbers" if shown else f"{why}: no marks, the game everywhere in the "
                    f"marks area of the strip {list(strip)}")
        return self.wait_screen_state(probe, expected, label)

    def test_marks_hide_and_show_on_win2_and_win_numpad2(self):
        game = self.start_game()
        self.start_vesk_beside(game)
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        strip = main.rect
        label_rect = offset(HIDE_LABEL, *strip[:2])
        shown = self.wait_marks(strip, True, "shown", "at start")
        hide_label = region_pixels(shown, label_rect)

        self.driver.keys("win+2")
        hidden = self.wait_marks(strip, False, "hidden", "after Win+2")
        self.assertNotEqual(region_pixels(hidden, label_rect), hide_label,
                            f"the toggle's label in {list(label_rect)} did not change from "
                            f"Hide to Show (see {self.artifact_stem}-hidden.png)")
        self.assertGreater(hidden.count_colour(label_rect, WHITE), 0,
                           "the toggle's label is blank while the marks are hidden")

        self.driver.keys("win+numpad2")
        again = self.wait_marks(strip, True, "shown-again", "after Win+numeric-pad 2")
        self.assertEqual(region_pixels(again, label_rect), hide_label,
                         "the toggle's label is not Hide again after the marks came back")

    def test_ctrl_modifier_hides_the_marks_on_ctrl2_only(self):
        game = self.start_game()
        folder, vesk = self.start_vesk_beside(game, args="1")
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        strip = main.rect
        self.wait_marks(strip, True, "shown", "at start")
        # Hotkeys are handled in order: once Win+S (always on the Windows
        # key) has written its shortcuts, Win+2 has been handled too.
        self.driver.keys("win+2", "win+s")
        wait_for(lambda: len([n for n in os.listdir(folder) if n.endswith(".lnk")]) == 3,
                 "the three shortcut files after Win+S", observed=lambda: os.listdir(folder))
        found = self.marks(self.screenshot("after-win2"), strip)
        self.assertEqual(found["hp_lines"], HP_LINES,
                         f"Win+2 hid the marks although the modifier is Ctrl: {found} "
                         f"(see {self.artifact_stem}-after-win2.png)")
        self.driver.keys("ctrl+2")
        self.wait_marks(strip, False, "hidden", "after Ctrl+2")
        self.assertTrue(vesk.running(), "vesk ended")

    def test_every_display_toggle_hotkey_lays_the_strip_out_again(self):
        """Modifier + 3, 4 (twice), 5, 7, 8 and 9, each redrawing the strip; the
        button size and side are read from the HP box (slot 1, rows 24 to 44)."""
        game = self.start_game()
        self.start_vesk_beside(game)
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        left, top, right, _ = strip = main.rect

        def grey_in(image, x0, x1):
            return image.count_colour((x0, top + 26, x1, top + 42), GREY)
        steps = (
            ("win+3", "medium buttons, 40 wide", lambda im: grey_in(im, left, left + 40) > 100
             and grey_in(im, left + 42, left + 50) == 0),
            ("win+4", "the buttons at the right", lambda im: grey_in(im, left, left + 40) == 0
             and grey_in(im, right - 40, right) > 100),
            ("win+4", "the buttons back at the left", lambda im: grey_in(im, left, left + 40)
             > 100 and grey_in(im, right - 40, right) == 0),
            ("win+5", "the party lines toggled", None),
            ("win+7", "the stopwatch font a size smaller", None),
            ("win+8", "the stopwatch font a size larger", None),
            ("win+9", "the stopwatch font no longer bold", None),
        )
        before = region_pixels(self.wait_marks(strip, True, "start", "at start"), strip)
        for n, (keys, what, rule) in enumerate(steps, 1):
            self.driver.keys(keys)
            shot = self.wait_screen_state(
                lambda image, old=before, rule=rule: (region_pixels(image, strip) != old and (
                    rule is None or rule(image))) or "the strip not (yet) as expected",
                f"after {keys}: {what}, the strip {list(strip)} redrawn",
                f"toggle-{n}-{keys.replace('+', '')}")
            before = region_pixels(shot, strip)

    # Stopwatch and end ----------------------------------------------------------

    def test_stopwatch_runs_on_win_up_and_win0_ends_the_program(self):
        game = self.start_game()
        _, vesk = self.start_vesk_beside(game)
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        box = offset(STOPWATCH_BOX, *main.rect[:2])

        def stopwatch_drawn(image):
            return (image.count_colour(box, GREY) > 0 and image.count_colour(box, WHITE) > 0) \
                or f"the stopwatch box {list(box)} without grey and white"
        before = region_pixels(self.wait_screen_state(
            stopwatch_drawn, "the stopwatch box drawn", "stopwatch"), box)
        self.driver.keys("win+up")
        # Two changes in a row: the text keeps advancing, not one repaint.
        for step in ("started", "running"):
            shot = self.wait_screen_state(
                lambda image, old=before: region_pixels(image, box) != old
                or "the stopwatch's text unchanged", f"the stopwatch's text in {list(box)} to "
                f"advance after Win+Up ({step})", f"stopwatch-{step}")
            before = region_pixels(shot, box)

        self.end_vesk(vesk, "win+0")
        self.assertEqual([w for w in self.windows(exe=VESK_EXE)], [],
                         "windows of vesk left after Win+0")
        self.assertTrue(game.process.running(), "the game ended with vesk")
