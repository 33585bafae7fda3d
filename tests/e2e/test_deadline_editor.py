"""The hunter-gem deadline editor, driven as a player drives it: opened by
modifier+6, modifier+numeric-pad 6 or a left click on the caravan box; its
five drop-down lists opened with the mouse and set by clicking an item or
with the arrow keys; Tab between them; Enter, Ok, Escape, Cancel, the close
box and Delete. What it chose is read back from caravan_tama.txt (the
driver cannot read another process's list selections), the caravan box
shows the new deadline as soon as the editor is gone, and the game has the
keyboard again however the editor was opened and closed."""

import contextlib
import datetime
import os

from harness.case import MAIN_CLASS, SECOND_CLASS, VESK_EXE
from harness.polling import wait_for
from test_mouse_and_editor import END_BOX, MouseCase, box_centre, marks_hidden, red_marks
from test_overlay import (BOX_ONE_ROW, BOX_TWO_ROWS, DARK_ORANGE, GREEN, GREY, RED, example,
                          measure_box)

EDITOR_CLASS = "vesk.frmCaravan"
EDITOR_TITLE = "狩人珠劣化期限"
LIST_POPUP_CLASS = "ComboLBox"  # the drop-down part of a combo box, a window of its own
MESSAGE_BOX_CLASS = "#32770"
IMPOSSIBLE_DATE = "日付がラリってます^q^"
TAMA = "caravan_tama.txt"

YEAR, MONTH, DAY, HOUR, MINUTE = range(5)  # the lists, left to right
DELETE, OK, CANCEL = range(3)  # the buttons, left to right

WS_THICKFRAME = 0x00040000
WS_MAXIMIZEBOX = 0x00010000
WS_MINIMIZEBOX = 0x00020000
WS_DISABLED = 0x08000000
WS_EX_TOOLWINDOW = 0x00000080

DARK_RED = (0xC0, 0x00, 0x00)
OLIVE = (0x80, 0x80, 0x00)
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0x00, 0x00, 0x00)
# "At once": within a few of vesk's 100 ms ticks, with room for a busy machine.
AT_ONCE = 3


def deadline_line(moment):
    return moment.strftime("%Y/%m/%d %H:%M\r\n").encode("ascii")


def box_colour(moment, now):
    """The caravan box's colour for a deadline at moment, seen at now."""
    left = (moment - now).total_seconds() / 60
    for limit, colour in ((60, RED), (180, DARK_RED), (360, DARK_ORANGE), (540, OLIVE),
                          (720, GREEN)):
        if left < limit:
            return colour
    return GREY


def runs(image, y, left, right, back, min_width):
    """(start, end) of the runs of pixels not of colour back along row y that
    are at least min_width wide."""
    found, start = [], None
    for x in range(left, right + 1):
        inside = x < right and image.pixel(x, y) != back
        if inside and start is None:
            start = x
        elif not inside and start is not None:
            if x - start >= min_width:
                found.append((start, x))
            start = None
    return found


def list_band(image, client):
    """(top, height) of the highlighted band of a drawn list in client, or a
    text saying why the pixels there are no drawn list. A drawn list is black
    text on white rows, but for the selected item's row: one other colour
    across its whole width, with white text, an item high from an item's
    top. Anything else there (the game or the window below, an empty
    surface) is no list yet."""
    left, top, right, bottom = client
    width = right - left
    marks, band = set(), []
    for y in range(top, bottom):
        row = [image.pixel(x, y) for x in range(left, right)]
        other = [c for c in row if c not in (WHITE, BLACK)]
        marks.update(other)
        if len(other) * 3 > width:
            band.append(y)
        elif other or row.count(WHITE) * 4 <= width:
            return f"row {y} neither a white row nor highlighted"
    if len(marks) != 1:
        return f"{len(marks)} colours other than black and white"
    if not band or band != list(range(band[0], band[-1] + 1)):
        return f"highlighted rows {band}"
    height = len(band)
    if not 7 <= height <= (bottom - top) // 2 or (band[0] - top) % height:
        return f"a band {height} high at row {band[0]}, not one item of the list"
    return band[0], height


def now_minute():
    return datetime.datetime.now().replace(second=0, microsecond=0)


class EditorCase(MouseCase):
    def start_editor_scene(self, deadline, other=False):
        """The game, vesk with the example calendar and deadline bytes (None:
        no deadline file) and, if asked, the other window."""
        data = {name: example(self.session, name) for name in ("caravan_que.txt",
                                                                "caravan_fushi.txt")}
        if deadline is not None:
            data[TAMA] = deadline
        box = BOX_TWO_ROWS if deadline is not None else BOX_ONE_ROW
        if other:
            game, folder, vesk, main, second, other_window = self.start_scene(data, box)
        else:
            game = self.start_game()
            folder, vesk = self.start_vesk_beside(game, data=data)
            main, second = self.wait_placed_on(game, box, "at start beside the game")
            other_window = None
        self.tama = os.path.join(folder, TAMA)
        return game, vesk, main, second, other_window

    def tama_bytes(self):
        try:
            with open(self.tama, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    # Opening and closing --------------------------------------------------------

    def open_editor(self, how, second=None):
        """Opens the editor with the keys how, or by a left click on the
        caravan box when how is "click"; returns its window and its layout
        once the lists and buttons are drawn."""
        if how == "click":
            self.click(second.rect[0] + BOX_TWO_ROWS[0] // 2, second.rect[1] + 10)
        else:
            self.driver.keys(how)
        editor = self.wait_window(EDITOR_CLASS, exe=VESK_EXE, timeout=10)
        label = f"editor-{how.replace('+', '-')}"
        layout = self.editor_layout(editor, label)
        self.wait_focus(layout, YEAR, f"the editor opened by {how}", label)
        return editor, layout

    def editor_layout(self, editor, label):
        """The click points of the five lists (their arrow buttons) and the
        rectangles of the three buttons, found on a screenshot. Along a row
        through the lists, which touch each other, their arrow buttons are
        the runs of the face colour seen at the right end of the first list;
        along a row through the buttons, these are the runs of other colours
        than the window's back colour."""
        left, top, right, bottom = editor.client
        found = {}

        def probe(image):
            back = image.pixel(left + 2, top + 2)
            y = top + 13
            lists = runs(image, y, left, right, back, 30)
            buttons = runs(image, top + 46, left, right, back, 30)
            arrows = []
            if lists:
                face = image.pixel(lists[0][1] - 5, y)
                xs = [x for x in range(left, right) if image.pixel(x, y) == face]
                for x in xs:
                    if arrows and x - arrows[-1][1] <= 8:
                        arrows[-1][1] = x
                    else:
                        arrows.append([x, x])
                arrows = [(a, b) for a, b in arrows if b - a >= 8]
            if len(arrows) == 5 and len(buttons) == 3:
                found["lists"] = [((a + b) // 2, y) for a, b in arrows]
                found["fields"] = [(a - 22, y - 3, a - 2, y + 3) for a, _ in arrows]
                found["buttons"] = [(a, top + 36, b, top + 56) for a, b in buttons]
                return True
            return f"list arrows at {arrows} and {len(buttons)} buttons at {buttons}"
        self.wait_screen_state(probe, f"the editor's five lists and three buttons drawn in its "
                               f"client area {list(editor.client)}", label)
        return found

    def wait_focus(self, layout, which, why, label):
        """Waits until list which shows the keyboard focus: a focused list
        draws its text in the highlight, the others black on white."""
        def probe(image):
            marked = [sum(1 for _, _, c in image.pixels_in(field) if c not in (WHITE, BLACK))
                      for field in layout["fields"]]
            focused = [i for i, n in enumerate(marked) if n > 20]
            return focused == [which] or f"highlighted pixels in the lists' fields: {marked}"
        self.wait_screen_state(probe, f"{why}: list {which} (of year, month, day, hour, "
                               f"minute) with the keyboard focus", label, timeout=5)

    def wait_editor_closed(self, why):
        wait_for(lambda: not self.windows(EDITOR_CLASS), f"{why}: the editor closed",
                 timeout=10, observed=self.describe_windows)

    @contextlib.contextmanager
    def step(self, name):
        """A subtest that opens the editor. When it fails half-way, the
        editor it left open (a list dropped down, a message box over it) is
        closed as a player would, so that the next step starts from the
        strips alone and fails, if at all, for a fault of its own."""
        with self.subTest(name):
            try:
                yield
            except BaseException:
                for box in self.windows(MESSAGE_BOX_CLASS, exe=VESK_EXE):
                    self.driver.dismiss(box)
                for editor in self.windows(EDITOR_CLASS, exe=VESK_EXE):
                    self.driver.close(editor)
                self.wait_editor_closed(f"after the step {name!r} failed")
                raise

    def click_button(self, layout, button):
        a, t, b, bottom = layout["buttons"][button]
        self.click((a + b) // 2, (t + bottom) // 2)

    def close_box(self, editor, label):
        """The centre of the close box at the caption's right end, found on a
        screenshot: the run of non-caption pixels along the caption's middle
        row, inward from the client area's right edge."""
        image = self.screenshot(label)
        y = (editor.rect[1] + editor.client[1]) // 2 + 1
        caption = image.pixel(editor.client[2] - 1, y)
        x = editor.client[2] - 1
        while x > editor.client[2] - 30 and image.pixel(x, y) == caption:
            x -= 1
        right = x
        while x > editor.client[2] - 40 and image.pixel(x, y) != caption:
            x -= 1
        if not 4 <= right - x <= 30:
            self.fail(f"no close box found in the caption row {y} left of x "
                      f"{editor.client[2]} (see {self.artifact_stem}-{label}.png)")
        return (x + right + 1) // 2, y

    # The lists --------------------------------------------------------------------

    def dropped_list(self):
        """The one drop-down part of a list that is shown, or None."""
        shown = [w for w in self.windows(LIST_POPUP_CLASS, exe=VESK_EXE) if w.visible]
        return shown[0] if len(shown) == 1 else None

    def pick(self, layout, which, offset, label):
        """Opens a list with a click and clicks the item offset rows below
        (above, if negative) the selected one, found as the highlighted band.

        The drop-down part is listed as shown before X shows its pixels, and
        is first placed taller, then shrunk to whole rows: what is under it
        must not be taken for the list, nor its first, taller rectangle. So
        the list is read only from a screenshot taken while the part kept
        one rectangle, and only once all of that rectangle holds a drawn list."""
        self.click(*layout["lists"][which])
        seen = {}

        def attempt():
            before = self.dropped_list()
            if before is None:
                seen["what"] = "no list dropped down"
                return None
            image = self.screenshot(label)
            after = self.dropped_list()
            if after is None or after.client != before.client:
                seen["what"] = f"the list moved from {list(before.client)} while looked at"
                return None
            verdict = list_band(image, after.client)
            if isinstance(verdict, str):
                seen["what"] = f"{verdict} in {list(after.client)}"
                return None
            return after.client, verdict

        client, (band_top, height) = wait_for(
            attempt, f"list {which} dropped down and drawn with its selected item highlighted",
            timeout=15, interval=0.1,
            observed=lambda: f"{seen.get('what')} (see {self.artifact_stem}-{label}.png)")
        left, top, right, bottom = client
        y = band_top + offset * height + height // 2
        self.assertTrue(top <= y < bottom, f"the item {offset} rows from the selected one of "
                        f"list {which} is not in view in {list(client)}")
        self.click(left + 10, y)
        wait_for(lambda: not [w for w in self.windows(LIST_POPUP_CLASS) if w.visible],
                 f"list {which} closed after a click on an item", timeout=5,
                 observed=self.describe_windows)

    # The box ------------------------------------------------------------------------

    def wait_box_colour(self, game, colour, size, why, label):
        _, second = self.wait_placed_on(game, size, why)
        origin = second.rect[:2]

        def probe(image):
            found = measure_box(image, origin)
            return found == (colour, *size) or f"a {found[1]}x{found[2]} box of colour {found[0]}"
        return self.wait_screen_state(probe, f"{why}: the caravan box {size[0]}x{size[1]} in "
                                      f"{colour} at once", label, timeout=AT_ONCE)

    def assert_saved(self, expected, why):
        self.assertEqual(self.tama_bytes(), expected,
                         f"{why}: expected {TAMA} to hold exactly {expected!r}")


class EditorSavingTests(EditorCase):
    def test_ok_and_enter_write_the_moment_chosen_and_the_box_follows_at_once(self):
        now = now_minute()
        first = now + datetime.timedelta(minutes=30)
        if first.year != now.year:
            first = now - datetime.timedelta(minutes=30)
        if (first.month, first.day) == (2, 29):
            first += datetime.timedelta(days=1)
        stored = deadline_line(first.replace(year=first.year + 1))
        game, _, main, second, other = self.start_editor_scene(stored, other=True)
        self.wait_box_colour(game, GREY, BOX_TWO_ROWS, "a deadline a year ahead", "start")

        # Modifier+6, the keyboard alone: the year list has the keyboard.
        self.take_keyboard(game, other)
        editor, layout = self.open_editor("win+6")
        ex, ey = editor.rect[0] - main.rect[0], editor.rect[1] - main.rect[1]
        self.assertTrue(1 <= ex <= 2 and 1 <= ey <= 2,
                        f"expected the editor about 20 twips right of and below the main "
                        f"strip's top-left corner {main.rect[:2]}: {editor}")
        self.assertEqual(editor.title, EDITOR_TITLE, f"the editor's caption: {editor}")
        self.assertTrue(editor.topmost and editor.exstyle & WS_EX_TOOLWINDOW
                        and not editor.style & (WS_THICKFRAME | WS_MAXIMIZEBOX
                                                | WS_MINIMIZEBOX),
                        f"expected a fixed, topmost tool window: {editor} style "
                        f"{editor.style:#x} exstyle {editor.exstyle:#x}")
        shot = self.screenshot("editor-win-6")
        for name, rect in zip(("Delete", "Ok", "Cancel"), layout["buttons"]):
            self.assertTrue(shot.count_colour(rect, GREY) > 50 and shot.count_colour(rect, WHITE)
                            > 20, f"expected the {name} button a grey {GREY} box with a white "
                            f"word in {list(rect)} (see {self.artifact_stem}-editor-win-6.png)")
        popups = self.windows(LIST_POPUP_CLASS, exe=VESK_EXE)
        self.assertEqual(len(popups), 5, f"expected five drop-down lists, found the drop-down "
                                         f"parts {'; '.join(map(str, popups))}")
        self.driver.keys("up", "enter")
        self.wait_editor_closed("Up and Enter in the year list")
        self.assert_saved(deadline_line(first), "Up in the year list, then Enter")
        self.wait_box_colour(game, box_colour(first, now_minute()), BOX_TWO_ROWS,
                             f"the deadline {first:%Y/%m/%d %H:%M} saved", "saved-enter")
        self.assert_game_has_keyboard(game, other, "the editor opened by modifier+6 closed")

        # A click on the box, the mouse: a minute picked from the list, the
        # hour by Shift+Tab and an arrow key, then Ok.
        self.take_keyboard(game, other)
        editor, layout = self.open_editor("click", second)
        minute_step = 2 if first.minute < 58 else -2
        self.pick(layout, MINUTE, minute_step, "minute-list")
        hour_step = 1 if first.hour < 23 else -1
        self.driver.keys("shift+tab", "down" if hour_step > 0 else "up")
        self.click_button(layout, OK)
        self.wait_editor_closed("Ok")
        chosen = first.replace(hour=first.hour + hour_step, minute=first.minute + minute_step)
        self.assert_saved(deadline_line(chosen), f"the minute {minute_step:+d} picked with the "
                          f"mouse and the hour {hour_step:+d} with the keyboard, then Ok")
        self.wait_box_colour(game, box_colour(chosen, now_minute()), BOX_TWO_ROWS,
                             f"the deadline {chosen:%Y/%m/%d %H:%M} saved", "saved-ok")
        self.assert_strips_on_top("after the editor opened by a click closed")
        self.assert_game_has_keyboard(game, other, "the editor opened by a click on the box "
                                                   "closed")

        # Modifier+numeric-pad 6; Tab twice to the day list, Enter there.
        self.take_keyboard(game, other)
        self.open_editor("win+numpad6")
        day_step = 1 if chosen.day < 28 else -1
        self.driver.keys("tab", "tab", "down" if day_step > 0 else "up", "enter")
        self.wait_editor_closed("Enter in the day list")
        last = chosen.replace(day=chosen.day + day_step)
        self.assert_saved(deadline_line(last), f"the day {day_step:+d} after Tab, Tab, then "
                                               f"Enter")
        self.wait_box_colour(game, box_colour(last, now_minute()), BOX_TWO_ROWS,
                             f"the deadline {last:%Y/%m/%d %H:%M} saved", "saved-day")
        self.assert_game_has_keyboard(game, other, "the editor opened by modifier+numeric-pad "
                                                   "6 closed")

    def test_year_list_runs_from_the_earlier_of_the_stored_year_and_this_year_to_next_year(self):
        year = datetime.date.today().year
        stored = f"{year - 2}/06/15 08:05\r\n".encode("ascii")
        self.start_editor_scene(stored)
        for keys, expected, why in (
                (("up", "up", "up", "down"), year - 1,
                 "Up three times from the stored year two years back, then Down"),
                (("down",) * 5, year + 1, "Down five times from last year"),
                (("up",) * 5, year, "Up five times from next year")):
            self.open_editor("win+6")
            self.driver.keys(*keys, "enter")
            self.wait_editor_closed(why)
            self.assert_saved(f"{expected}/06/15 08:05\r\n".encode("ascii"), why)


class EditorLeavingTests(EditorCase):
    def test_impossible_day_escape_cancel_close_box_and_delete(self):
        year = datetime.date.today().year
        stored = f"{year}/01/30 12:00\r\n".encode("ascii")
        game, vesk, main, second, _ = self.start_editor_scene(stored)
        strip = main.rect
        self.painted(strip, "start")

        with self.step("30 February"):
            editor, layout = self.open_editor("win+6")
            self.driver.keys("tab", "down")
            self.click_button(layout, OK)
            box = self.wait_message_box(IMPOSSIBLE_DATE, timeout=10)
            self.assertEqual(box.exe.lower(), VESK_EXE, f"the message box is not vesk's: {box}")
            self.screenshot("impossible-date")
            self.assert_saved(stored, "Ok on 30 February")
            self.driver.keys("enter")
            self.wait_no_window(MESSAGE_BOX_CLASS, pid=box.pid)
            self.assertEqual(len(self.windows(EDITOR_CLASS)), 1,
                             "the editor closed with the message box")
            self.pick(layout, DAY, -2, "day-list")
            self.driver.keys("enter")
            self.wait_editor_closed("Enter after the day 28 picked")
            saved = datetime.datetime(year, 2, 28, 12, 0)
            self.assert_saved(deadline_line(saved), "the day 28 picked, then Enter")
            self.wait_box_colour(game, box_colour(saved, now_minute()), BOX_TWO_ROWS,
                                 "the deadline 28 February saved", "saved")
            self.assert_game_has_keyboard(game, None, "Enter in the editor")
        before = self.tama_bytes()

        with self.step("Escape, and no hotkeys while the editor is open"):
            self.open_editor("win+numpad6")
            self.driver.keys("win+2", "down", "escape")
            self.wait_editor_closed("Escape")
            self.assert_saved(before, "Escape")
            self.assert_game_has_keyboard(game, None, "Escape in the editor")
            # Had the first Win+2 acted, now or once the editor was gone, this
            # one would show the marks again.
            self.driver.keys("win+2")
            self.wait_screen_state(lambda image: marks_hidden(image, strip) or "marks shown",
                                   "Win+2 once while the editor was open, then once after it "
                                   "closed: the marks hidden", "hotkeys-after")
            self.driver.keys("win+2")
            self.wait_screen_state(lambda image: len(red_marks(image, strip)) == 4
                                   or "marks hidden", "Win+2 again: the marks shown",
                                   "hotkeys-again")

        with self.step("hotkey chords while the editor is open change nothing"):
            # Modifier+0 would end vesk and modifier+1 place it; as keys they
            # reach the year list, where no year begins with 0 or 1.
            self.open_editor("win+6")
            self.driver.keys("win+0", "win+1", "enter")
            self.wait_editor_closed("Win+0, Win+1, then Enter")
            self.assert_saved(before, "Win+0 and Win+1 in the year list, then Enter")
            self.assertTrue(vesk.running(), "vesk ended on Win+0 while the editor was open")
        before = self.tama_bytes()

        with self.step("Cancel"):
            _, layout = self.open_editor("click", second)
            self.driver.keys("down")
            self.click_button(layout, CANCEL)
            self.wait_editor_closed("Cancel")
            self.assert_saved(before, "Cancel")
            self.assert_game_has_keyboard(game, None, "Cancel in the editor opened by a click")

        with self.step("the close box"):
            editor, _ = self.open_editor("win+6")
            self.driver.keys("down")
            self.click(*self.close_box(editor, "close-box"))
            self.wait_editor_closed("a click on the close box")
            self.assert_saved(before, "the close box")
            self.assert_game_has_keyboard(game, None, "the editor's close box")

        with self.step("Delete"):
            _, layout = self.open_editor("win+6")
            self.click_button(layout, DELETE)
            self.wait_editor_closed("Delete")
            self.assertFalse(os.path.exists(self.tama), f"expected {TAMA} deleted")
            self.assert_game_has_keyboard(game, None, "Delete in the editor")
            self.wait_box_colour(game, GREY, BOX_ONE_ROW, "the deadline deleted",
                                 "deleted")
        main_now = self.wait_window(MAIN_CLASS, exe=VESK_EXE)
        self.assertFalse(main_now.style & WS_DISABLED,
                         f"the main strip is still disabled after the editor closed: "
                         f"style {main_now.style:#x}")
        self.click_at(strip, box_centre(END_BOX), 2)
        self.assertEqual(vesk.wait(15), 0, "expected vesk to exit with code 0 after a middle "
                                           "click on End")
        self.wait_no_window(SECOND_CLASS)
