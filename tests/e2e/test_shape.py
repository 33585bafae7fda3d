"""The strips' see-through shape as it is first shown and across layout
changes: screenshots in quick succession never catch a strip pixel of the
key colour, a see-through band drawn over, or a frame between the old layout
and the new one. X may show a layout change in steps (see between_faults);
the settled strip is whole."""

import time

from harness.case import GAME_RGB, KEY_RGB, VESK_EXE
from harness.polling import wait_for
from test_overlay import BLACK, GREY, STRIP_HEIGHT, OverlayCase

# Rows of the strip, relative to its top, that nothing is drawn on near its
# middle: the game must show there.
SEE_THROUGH_BAND = (100, 140, 160)  # half width, top, bottom
# The stopwatch box and the menu column: solid boxes, whichever side the
# buttons are on.
STOPWATCH_ROWS = (0, 20)
MENU_ROWS = (24, 60)


def crop(image, rect):
    """The bytes of rect (left, top, right, bottom), row by row."""
    left, top, right, bottom = rect
    width = image.width * 3
    return b"".join(image._rgb[y * width + left * 3:y * width + right * 3]
                    for y in range(top, bottom))


def count(data, rgb):
    colour = bytes(rgb)
    return sum(1 for i in range(0, len(data), 3) if data[i:i + 3] == colour)


class ShapeCase(OverlayCase):
    def faults(self, image, strip, boxes=True):
        """What is wrong with the strip at rect `strip` in this screenshot:
        a pixel of the key colour, the see-through band drawn over, or a
        box missing or with a hole that shows the game."""
        left, top, right, _ = strip
        found = []
        keyed = count(crop(image, strip), KEY_RGB)
        if keyed:
            found.append(f"{keyed} pixels of the key colour")
        half, band_top, band_bottom = SEE_THROUGH_BAND
        middle = (left + right) // 2
        band = (middle - half, top + band_top, middle + half, top + band_bottom)
        drawn = len(crop(image, band)) // 3 - count(crop(image, band), GAME_RGB)
        if drawn:
            found.append(f"{drawn} pixels drawn over the see-through band {list(band)}")
        for name, (first, last) in (("stopwatch box", STOPWATCH_ROWS), ("menu column", MENU_ROWS)):
            if not boxes:
                break
            rows = (left, top + first, right, top + last)
            data = crop(image, rows)
            xs = [(i // 3) % (right - left) for i in range(0, len(data), 3)
                  if data[i:i + 3] == bytes(GREY)]
            if not xs:
                found.append(f"no {name} in the rows {list(rows)}")
                continue
            box = (left + min(xs), top + first, left + max(xs) + 1, top + last)
            holes = count(crop(image, box), GAME_RGB)
            if holes:
                found.append(f"{holes} pixels of the game inside the {name} {list(box)}")
        return found


class FirstShowTests(ShapeCase):
    def test_no_frame_shows_an_opaque_strip_while_it_comes_up(self):
        game = self.start_game()
        left, top, right, _ = game.window.client
        placed = (left, top, right, top + STRIP_HEIGHT)
        folder = self.make_program_folder("vesk", "examples")
        self.start_vesk(folder)
        # Screenshots as fast as they come, from before the strip is mapped
        # until it has been drawn; then a few more.
        frames = 0
        settled = 0
        deadline = time.monotonic() + 30
        while settled < 3 and time.monotonic() < deadline:
            shot = self.screenshot("first-show")
            frames += 1
            shown = count(crop(shot, (left, top, left + 70, top + 20)), GREY) > 0
            faults = self.faults(shot, placed, boxes=shown)
            if faults and self.shape_pending(shot, placed, faults):
                # Wine 9 and later map the strip with its pixels a moment
                # before X gets its shape; until then the see-through band
                # shows X's black. The strip must then settle whole.
                settled = 0
                continue
            if faults:
                shot.save_png(f"{self.artifact_stem}-first-show-{frames}.png")
                self.fail(f"frame {frames} of the first show: {'; '.join(faults)} "
                          f"(see {self.artifact_stem}-first-show-{frames}.png)")
            settled += shown
        self.assertEqual(settled, 3, "the strip's stopwatch box never showed")


    def shape_pending(self, image, strip, faults):
        """Whether the only fault is the see-through band in X's black, as
        Wine 9 and later show a newly mapped strip before its shape."""
        if self.session.wine_major < 9 or len(faults) != 1 or "see-through band" not in faults[0]:
            return False
        left, top, right, _ = strip
        half, band_top, band_bottom = SEE_THROUGH_BAND
        middle = (left + right) // 2
        band = crop(image, (middle - half, top + band_top, middle + half, top + band_bottom))
        return count(band, GAME_RGB) + count(band, BLACK) == len(band) // 3


def shape_split(data, strip, shape):
    """Whether the strip's bytes show the game exactly where the window's
    bounding shape leaves the strip out: the game has repainted all that
    the strip gave up, and the strip has drawn all that its shape took."""
    left, top, right, bottom = strip
    width = right - left
    shown = [[] for _ in range(bottom - top)]
    for x, y, w, h in shape:
        for row in range(max(y, 0), min(y + h, bottom - top)):
            shown[row].append((max(x, 0), min(x + w, width)))
    game = bytes(GAME_RGB)
    for row, spans in enumerate(shown):
        line = data[row * width * 3:(row + 1) * width * 3]
        x = 0
        for first, last in sorted(spans) + [(width, width)]:
            if first > x and line[x * 3:first * 3] != game * (first - x):
                return False
            if last > first and count(line[first * 3:last * 3], GAME_RGB):
                return False
            x = max(x, last)
    return True


def between_faults(frame, before, after, width, exposed=None):
    """What of a frame taken during a layout change shows neither the old
    layout nor the new one. On X the change need not reach the screen in one
    step: a pixel that the strip's shape gives up shows until the game
    beneath repaints it, and where the shape grows the screen may show what
    lay beneath until the strip's pixels follow. Each pixel is one or the
    other; the key colour, or any third colour, is a fault. exposed: a colour
    also allowed where the shape changed (the game on one side of the change,
    the strip on the other), the background that a newly exposed X window
    shows until its owner repaints it."""
    game = bytes(GAME_RGB)
    wrong = []
    row_bytes = width * 3
    for start in range(0, len(frame), row_bytes):
        if frame[start:start + row_bytes] == after[start:start + row_bytes]:
            continue
        for i in range(start, start + row_bytes, 3):
            seen, old, new = frame[i:i + 3], before[i:i + 3], after[i:i + 3]
            if seen in (old, new) or (seen == exposed and (old == game) != (new == game)):
                continue
            wrong.append(i // 3)
    if not wrong:
        return []
    xs = [i % width for i in wrong]
    ys = [i // width for i in wrong]
    keyed = count(b"".join(frame[i * 3:i * 3 + 3] for i in wrong), KEY_RGB)
    return [f"{len(wrong)} pixels ({keyed} of the key colour) that are neither the old layout "
            f"nor the new one, within x {min(xs)}-{max(xs)}, y {min(ys)}-{max(ys)} of the strip"]


class LayoutChangeTests(ShapeCase):
    def test_shape_follows_font_size_button_side_and_health_step(self):
        game = self.start_game()
        self.start_vesk_beside(game)
        main, _ = self.wait_placed_on(game, (131, 29), "at start")
        strip = main.rect
        width = strip[2] - strip[0]
        display = self.session.display
        window = wait_for(lambda: display.viewable_window_at(VESK_EXE, strip),
                          f"the main strip's X window at {list(strip)}", timeout=15)

        def settled(label, frames):
            """The screenshot once the strip has stopped changing, shows its
            own pixels all through its shape and the game all around it;
            every screenshot taken on the way is added to frames."""
            last = [None]

            def probe():
                shape = display.bounding_shape(window)
                shot = self.screenshot(label)
                frames.append(shot)
                now = crop(shot, strip)
                same = now == last[0] and shape == display.bounding_shape(window)
                last[0] = now
                return shot if same and shape_split(now, strip, shape) else None
            return wait_for(probe, "the strip to stop changing, drawn through its shape and "
                            "the game all around it", timeout=15, interval=0.1)

        # From Wine 9 on, an X window shows black where it was just exposed
        # until its owner repaints it: the grown part of the strip between
        # Wine's shape and its pixels (Wine shapes the strip from its pixels
        # itself, by the system's colour key), the part it gave up until the
        # game repaints. Older Wine leaves what was on the screen. There the
        # strip sets its own window region and draws right after: black means
        # pixels drawn later than the region.
        exposed = bytes(BLACK) if self.session.wine_major >= 9 else None
        before_shot = settled("before", [])
        self.assertEqual(self.faults(before_shot, strip), [])
        for keys in ("win+8", "win+4", "win+right"):
            label = keys.replace("+", "-")
            before = crop(before_shot, strip)
            self.driver.keys(keys)

            def changed(label=label, before=before):
                shot = self.screenshot(label)
                return shot if crop(shot, strip) != before else None
            # Every screenshot from the first that differs until the strip
            # has settled shows each pixel of the old layout or of the new:
            # never the key colour, never a colour of neither.
            frames = [wait_for(changed, f"the strip to change after {keys}", timeout=15,
                               interval=0)]
            after_shot = settled(f"{label}-settled", frames)
            after = crop(after_shot, strip)
            for n, frame in enumerate(frames, 1):
                found = between_faults(crop(frame, strip), before, after, width, exposed)
                if found:
                    stem = f"{self.artifact_stem}-{label}"
                    for name, image in (("before", before_shot), (f"frame-{n}", frame),
                                        ("settled", after_shot)):
                        image.save_png(f"{stem}-{name}.png")
                    self.fail(f"frame {n} after {keys}: {'; '.join(found)} (see {stem}-before.png, "
                              f"-frame-{n}.png and -settled.png)")
            self.assertEqual(self.faults(after_shot, strip), [],
                             f"settled after {keys} (see {self.artifact_stem}-{label}-settled.png)")
            before_shot = after_shot
