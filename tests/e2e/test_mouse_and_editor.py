"""The mouse on the strips: the menu column acts by slot and mouse button,
the date button moves the calendar on a day, a click on a see-through pixel
reaches the game, right-clicks and double-clicks open nothing, and after
every click the keyboard goes back to the game.

Where the keyboard goes is read from the driver: the foreground window, the
one whose thread takes the keyboard. A second stand-in window, below the
game, takes the keyboard before a click on a strip, so that the game must
get it back from vesk.

The helpers here serve test_deadline_editor.py too."""

import os

from harness.case import (GAME_CLASS, GAME_EXE, GAME_RGB, MAIN_CLASS, SECOND_CLASS, VESK_EXE,
                          Game)
from harness.polling import wait_for
from harness.wine import windows_path
from test_overlay import (BLACK, BOX_TWO_ROWS, GREY, RED, OverlayCase, deadline_text, example,
                          measure_box, offset)

MENU_CLASS = "#32768"  # menus, the system menu included
IME_CLASS = "IME"

# The menu column at the strip's left (button side 0, large buttons, 11 pt):
# each slot a grey box with a text line over it, strip coordinates.
STOPWATCH_BOX = (0, 0, 80, 24)
HP_BOX = (0, 24, 50, 44)
HIDE_BOX = (0, 44, 50, 64)
END_BOX = (0, 64, 50, 84)
DATE_BUTTON = (0, 112, 41, 133)
MENU_COLUMN_WIDTH = 50
# The scale, its lines and the red adrenaline marks lie in the strip's top
# rows right of the stopwatch box.
SCALE_BAND = 36
MARKS_LEFT = 96
# The long line of the scale's 0 hangs from here down to about row 50.
SCALE_LINE_ROWS = (16, 48)


def box_edge(box):
    """A point of the slot's grey box outside its text line."""
    return box[0] + 2, box[1] + 2


def box_centre(box):
    """A point of the slot's text line."""
    return (box[0] + box[2]) // 2, (box[1] + box[3]) // 2


def region_pixels(image, rect):
    return bytes(v for _, _, c in image.pixels_in(rect) for v in c)


def column_starts(columns):
    """The first x of each run of consecutive x values."""
    columns = sorted(columns)
    return [x for i, x in enumerate(columns) if i == 0 or columns[i - 1] != x - 1]


def red_marks(image, strip):
    """The left edges of the red adrenaline marks on the strip."""
    left, top, right, _ = strip
    return column_starts({x for x, _, c in image.pixels_in(
        (left + MARKS_LEFT, top, right, top + SCALE_BAND)) if c == RED})


def marks_hidden(image, strip):
    """True when the strip shows the game everywhere but in its menu column
    and stopwatch band."""
    left, top, right, bottom = strip
    return all(c == GAME_RGB for x, y, c in image.pixels_in((left + MENU_COLUMN_WIDTH, top,
                                                              right, bottom))
               if not (y < top + STOPWATCH_BOX[3] and x < left + MARKS_LEFT))


def cp932_lines(*days):
    """A rotation file: one 'n,text' line a day, in code page 932."""
    return "".join(f"{n},{text}\r\n" for n, text in enumerate(days, 1)).encode("cp932")


class MouseCase(OverlayCase):
    """A game, vesk placed on it, and a second stand-in window below the game
    that takes the keyboard away from it."""

    def start_scene(self, data="examples", box=BOX_TWO_ROWS):
        game = self.start_game(x=100, y=50, width=1024, height=768)
        folder, vesk = self.start_vesk_beside(game, data=data)
        main, second = self.wait_placed_on(game, box, "at start beside the game")
        # Until Wine has cut the see-through pixels out of the strip's X
        # window, the pointer lands on the strip wherever it is.
        wait_for(lambda: len(self.session.display.shaped_viewable_windows("vesk.exe")) == 2,
                 "both strips' X windows mapped with their see-through pixels cut out",
                 timeout=15)
        other = self.start_other_window(game)
        return game, folder, vesk, main, second, other

    def start_other_window(self, game):
        """A stand-in window of its own process below the game's client area,
        clear of both strips, with its own click log."""
        clicks = os.path.join(self.work_dir, "other-clicks.txt")
        process = self.start_under_test(
            self.session.standin_exe,
            ["--x", "100", "--y", "870", "--width", "400", "--height", "100", "--title",
             "Other window", "--clicks", windows_path(clicks)], name="other-window")

        def probe():
            if not process.running():
                raise AssertionError(f"the other window's stand-in exited with code "
                                     f"{process.exit_code()}: {process.log().strip()!r}")
            found = [w for w in self.windows(GAME_CLASS, exe=GAME_EXE)
                     if w.hwnd != game.window.hwnd and w.visible]
            return found[0] if len(found) == 1 else None
        return Game(process, wait_for(probe, "the other window visible", timeout=15,
                                      observed=self.describe_windows), clicks)

    # The keyboard ---------------------------------------------------------------

    def foreground(self):
        return next((w for w in self.windows() if w.foreground), None)

    def wait_foreground(self, target, why):
        """Waits until target's window is the foreground window, the one whose
        thread takes the keyboard."""
        wait_for(lambda: getattr(self.foreground(), "hwnd", None) == target.window.hwnd,
                 f"{why}: the window {target.window.title!r} in the foreground (it takes "
                 f"the keyboard)", timeout=10,
                 observed=lambda: f"foreground: {self.foreground()}")

    def take_keyboard(self, game, other):
        """Clicks the other window, which takes the keyboard from the game."""
        left, top, right, bottom = other.window.client
        self.click((left + right) // 2, (top + bottom) // 2)
        self.wait_foreground(other, "after a click on the other window")

    def assert_game_has_keyboard(self, game, other, after):
        self.wait_foreground(game, f"after {after}")
        window = self.windows(GAME_CLASS, pid=game.window.pid)
        self.assertTrue(window and window[0].visible and not window[0].topmost,
                        f"expected the game shown and not topmost after {after}: "
                        f"{window and window[0]}")

    def assert_strips_on_top(self, why):
        """Both strips topmost and, in the z-order, above the game."""
        order = [w for w in self.driver.windows() if w.visible]
        position = {w.cls: i for i, w in reversed(list(enumerate(order)))
                    if w.cls in (MAIN_CLASS, SECOND_CLASS, GAME_CLASS)}
        strips = [w for w in order if w.cls in (MAIN_CLASS, SECOND_CLASS)]
        self.assertTrue(len(strips) == 2 and all(w.topmost for w in strips)
                        and max(position[MAIN_CLASS], position[SECOND_CLASS])
                        < position[GAME_CLASS],
                        f"{why}: expected both strips topmost and above the game, top first: "
                        + "; ".join(str(w) for w in order if w.exe.lower() in (VESK_EXE, GAME_EXE)
                                    and w.cls != IME_CLASS))

    def assert_nothing_opened(self, why):
        """No menu anywhere, and vesk shows its two strips only."""
        extra = [w for w in self.windows() if w.visible and (
            w.cls == MENU_CLASS or (w.exe.lower() == VESK_EXE
                                    and w.cls not in (MAIN_CLASS, SECOND_CLASS, IME_CLASS)))]
        self.assertEqual(extra, [], f"{why}: expected no menu and no window of vesk but its "
                                    f"strips; found {'; '.join(map(str, extra))}")

    # The strip ------------------------------------------------------------------

    def click_at(self, strip, point, button=1):
        self.click(strip[0] + point[0], strip[1] + point[1], button)

    def wait_region(self, rect, changed_from=None, equal_to=None, label="region", why=""):
        """The first screenshot whose pixels in rect differ from changed_from
        (or equal equal_to)."""
        def probe(image):
            pixels = region_pixels(image, rect)
            if changed_from is not None and pixels == changed_from:
                return f"the pixels of {list(rect)} unchanged"
            if equal_to is not None and pixels != equal_to:
                return f"the pixels of {list(rect)} not those expected"
            return True
        what = "to change" if changed_from is not None else "to be as they were"
        return self.wait_screen_state(probe, f"{why}: the pixels of {list(rect)} {what}", label)

    def painted(self, strip, label):
        """A screenshot once the menu column and the marks are drawn."""
        stopwatch = offset(STOPWATCH_BOX, *strip[:2])

        def probe(image):
            if image.count_colour(stopwatch, GREY) == 0:
                return f"no grey stopwatch box at {list(stopwatch)}"
            marks = red_marks(image, strip)
            return len(marks) == 4 or f"red marks at {marks}, expected 4"
        return self.wait_screen_state(probe, "the stopwatch box and four red adrenaline marks",
                                      label)

    def wait_hp(self, strip, hp_rect, why, label, pixels=None, differ_from=None, marks=None,
                sign=0, reference=None):
        """The first screenshot whose HP text equals pixels (or differs from
        differ_from) and whose red marks equal marks (or each lie left of,
        sign -1, or right of, sign 1, those of reference)."""
        def probe(image):
            found = red_marks(image, strip)
            text = region_pixels(image, hp_rect)
            if pixels is not None and text != pixels:
                return f"the HP text not as before, red marks at {found}"
            if differ_from is not None and text == differ_from:
                return f"the HP text unchanged, red marks at {found}"
            if marks is not None and found != marks:
                return f"red marks at {found}"
            if sign and not (len(found) == len(reference) and all(
                    (m - m0) * sign > 0 for m, m0 in zip(found, reference))):
                return f"red marks at {found}"
            return True
        where = (f"at {marks}" if marks is not None else
                 f"each {'left' if sign < 0 else 'right'} of {reference}")
        return self.wait_screen_state(probe, f"{why}: the HP text "
                                      f"{'as before' if pixels is not None else 'changed'} "
                                      f"and the red marks {where}", label)

    def scale_zero_line(self, image, strip):
        """The x of the scale's first long line (at 0), on the screen."""
        left, top, right, _ = strip
        rows = range(top + SCALE_LINE_ROWS[0], top + SCALE_LINE_ROWS[1])
        for x in range(left + MARKS_LEFT, right):
            if all(image.pixel(x, y) == BLACK for y in rows):
                return x
        raise AssertionError(f"no long black scale line in rows {SCALE_LINE_ROWS} of the strip "
                             f"{list(strip)} (see {self.artifact_stem}-start.png)")


class MenuColumnTests(MouseCase):
    def test_menu_slots_act_by_button_and_give_the_keyboard_back(self):
        game, _, vesk, main, _, other = self.start_scene()
        strip = main.rect
        first = self.painted(strip, "start")
        hp_rect = offset(HP_BOX, *strip[:2])
        stopwatch_rect = offset(STOPWATCH_BOX, *strip[:2])
        hp100, marks100 = region_pixels(first, hp_rect), red_marks(first, strip)
        stopwatch_zero = region_pixels(first, stopwatch_rect)

        with self.subTest("slot 1, maximum health"):
            self.take_keyboard(game, other)
            self.click_at(strip, box_edge(HP_BOX), 1)
            self.wait_hp(strip, hp_rect, "a left press on the HP box", "hp90", differ_from=hp100,
                         sign=-1, reference=marks100)
            self.assert_game_has_keyboard(game, other, "a left click on HP")

            self.take_keyboard(game, other)
            self.click_at(strip, box_centre(HP_BOX), 3)
            self.wait_hp(strip, hp_rect, "a right release on the HP text at HP90", "hp100",
                         pixels=hp100, marks=marks100)
            self.assert_game_has_keyboard(game, other, "a right click on HP")

            self.click_at(strip, box_edge(HP_BOX), 3)
            self.wait_hp(strip, hp_rect, "a right press on the HP box at HP100", "hp110",
                         differ_from=hp100, sign=1, reference=marks100)
            self.click_at(strip, box_centre(HP_BOX), 1)
            self.wait_hp(strip, hp_rect, "a left release on the HP text at HP110", "hp100-again",
                         pixels=hp100, marks=marks100)

        with self.subTest("slot 2, hide and show by any button"):
            for point, button, hidden in ((box_edge(HIDE_BOX), 1, True),
                                          (box_centre(HIDE_BOX), 2, False),
                                          (box_edge(HIDE_BOX), 3, True),
                                          (box_centre(HIDE_BOX), 3, False)):
                name = {1: "left", 2: "middle", 3: "right"}[button]
                if button == 2:
                    self.take_keyboard(game, other)
                self.click_at(strip, point, button)
                self.wait_screen_state(
                    lambda image, h=hidden: (marks_hidden(image, strip) if h
                                             else red_marks(image, strip) == marks100)
                    or f"the marks {'shown' if h else 'hidden or moved'}",
                    f"a {name} click on Hide/Show at strip {point}: the marks "
                    f"{'hidden' if hidden else 'shown'}", f"hide-{name}-{hidden}")
                if button == 2:
                    self.assert_game_has_keyboard(game, other, "a middle click on Hide/Show")

        with self.subTest("slot 0, stopwatch"):
            self.take_keyboard(game, other)
            self.click_at(strip, box_edge(STOPWATCH_BOX), 1)
            shot = self.wait_region(stopwatch_rect, changed_from=stopwatch_zero,
                                    label="stopwatch-started", why="a left press on the stopwatch")
            self.wait_region(stopwatch_rect, changed_from=region_pixels(shot, stopwatch_rect),
                             label="stopwatch-running", why="the stopwatch running on")
            self.assert_game_has_keyboard(game, other, "a left click on the stopwatch")
            self.click_at(strip, box_centre(STOPWATCH_BOX), 1)
            self.take_keyboard(game, other)
            # Only a stopped stopwatch goes back to zero on a right click.
            self.click_at(strip, box_edge(STOPWATCH_BOX), 3)
            self.wait_region(stopwatch_rect, equal_to=stopwatch_zero, label="stopwatch-reset",
                             why="a left release on the running stopwatch's text (stop), then "
                                 "a right press on its box (reset): zero again")
            self.assert_game_has_keyboard(game, other, "a right click on the stopwatch")

        with self.subTest("right-clicks and double-clicks on the strip open nothing"):
            x = self.scale_zero_line(first, strip)
            y = strip[1] + (SCALE_LINE_ROWS[0] + SCALE_LINE_ROWS[1]) // 2
            before = game.clicks()
            self.double_click(x, y, 1)
            self.click(x, y, 3)
            self.double_click(x, y, 3)
            self.double_click(*(c + s for c, s in zip(box_centre(HP_BOX), strip[:2])), 3)
            # Handled in order: once the HP text has gone up, the clicks before
            # it have been handled too.
            self.wait_hp(strip, hp_rect, "double and right clicks on the scale's 0 line, then "
                         "a right double-click on HP", "hp-double", differ_from=hp100, sign=1,
                         reference=marks100)
            self.assert_nothing_opened("after right-clicks and double-clicks on the strip")
            self.assertEqual(game.clicks(), before,
                             f"the clicks on the scale line at {x},{y} reached the game")

        with self.subTest("slot 3, end by the right button"):
            self.click_at(strip, box_edge(END_BOX), 3)
            self.assertEqual(vesk.wait(15), 0, "expected vesk to exit with code 0 after a "
                                               "right click on End")
            self.wait_no_window(MAIN_CLASS)
            self.wait_no_window(SECOND_CLASS)
            self.assertTrue(game.process.running(), "the game ended with vesk")


class DateButtonAndSeeThroughTests(MouseCase):
    def test_date_button_caravan_right_click_and_clicks_through_to_the_game(self):
        data = {"caravan_que.txt": cp932_lines("森林の狩り", "砂原の採取", "沼地の討伐"),
                "caravan_fushi.txt": example(self.session, "caravan_fushi.txt"),
                "caravan_tama.txt": deadline_text(2000)}
        game, _, vesk, main, second, other = self.start_scene(data)
        strip = main.rect
        first = self.painted(strip, "start")
        sx, sy = second.rect[:2]
        self.assertEqual(measure_box(first, (sx, sy)), (GREY, *BOX_TWO_ROWS),
                         f"expected the grey two-row caravan box at {sx},{sy} "
                         f"(see {self.artifact_stem}-start.png)")
        date_rect = offset(DATE_BUTTON, *strip[:2])
        calendar_rect = (sx, sy + 2, sx + BOX_TWO_ROWS[0], sy + 16)
        captions = [region_pixels(first, date_rect)]
        calendars = [region_pixels(first, calendar_rect)]

        with self.subTest("the date button"):
            # The quest cycle is three days long: the line of three days later
            # is today's again, those of one and two days later differ.
            for day in (1, 2, 3):
                if day == 1:
                    self.take_keyboard(game, other)
                self.click_at(strip, box_centre(DATE_BUTTON), 1)
                shot = self.wait_region(date_rect, changed_from=captions[-1],
                                        label=f"date-{day}", why=f"left click {day} on the date "
                                                                 f"button: a new date caption")
                captions.append(region_pixels(shot, date_rect))

                def calendar(image, d=day):
                    row = region_pixels(image, calendar_rect)
                    if d < 3:
                        return row not in calendars or "the calendar line of an earlier day"
                    return row == calendars[0] or "not the first day's calendar line"
                shot = self.wait_screen_state(
                    calendar, f"left click {day} on the date button: the calendar line of "
                    f"{day} days on in {list(calendar_rect)}", f"calendar-{day}")
                calendars.append(region_pixels(shot, calendar_rect))
                if day == 1:
                    with self.subTest("the keyboard after a click on the date button"):
                        self.assert_game_has_keyboard(game, other, "a left click on the date "
                                                                   "button")
            self.assertEqual(len(set(captions)), 4, "two of the four date captions are alike")

        with self.subTest("a right click on the caravan box"):
            self.take_keyboard(game, other)
            self.click(sx + BOX_TWO_ROWS[0] // 2, sy + BOX_TWO_ROWS[1] // 2, 3)
            self.assert_game_has_keyboard(game, other, "a right click on the caravan box")
            self.assert_nothing_opened("after a right click on the caravan box")
            self.assert_strips_on_top("after a right click on the caravan box")

        with self.subTest("see-through pixels pass every button to the game"):
            x, y = (strip[0] + strip[2]) // 2, strip[1] + 150
            cx, cy = x - game.window.client[0], y - game.window.client[1]
            before = len(game.clicks())
            self.click(x, y, 3)
            self.click(x, y, 2)
            self.double_click(x, y, 1)
            expected = [f"right {cx} {cy}", f"middle {cx} {cy}", f"left {cx} {cy}",
                        f"left {cx} {cy}"]
            wait_for(lambda: game.clicks()[before:] == expected,
                     f"the game to log {expected} for clicks on the strip's see-through pixel "
                     f"{x},{y}", observed=lambda: game.clicks()[before:])
            self.assert_nothing_opened("after clicks on a see-through pixel")

        with self.subTest("slot 3, end by the left button"):
            self.click_at(strip, box_centre(END_BOX), 1)
            self.assertEqual(vesk.wait(15), 0, "expected vesk to exit with code 0 after a "
                                               "left click on End")
            self.wait_no_window(MAIN_CLASS)
            self.wait_no_window(SECOND_CLASS)
