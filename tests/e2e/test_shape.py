"""The strips' see-through shape as it is first shown and across layout
changes: screenshots in quick succession never catch a strip pixel of the
key colour, a see-through band drawn over, or a frame between the old layout
and the new one."""

import time

from harness.case import GAME_RGB, KEY_RGB
from harness.polling import wait_for
from test_overlay import GREY, STRIP_HEIGHT, OverlayCase

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
            if faults:
                shot.save_png(f"{self.artifact_stem}-first-show-{frames}.png")
                self.fail(f"frame {frames} of the first show: {'; '.join(faults)} "
                          f"(see {self.artifact_stem}-first-show-{frames}.png)")
            settled += shown
        self.assertEqual(settled, 3, "the strip's stopwatch box never showed")


class LayoutChangeTests(ShapeCase):
    def test_shape_follows_font_size_button_side_and_health_step(self):
        game = self.start_game()
        self.start_vesk_beside(game)
        main, _ = self.wait_placed_on(game, (131, 29), "at start")
        strip = main.rect

        def settled_strip(label):
            """The strip's pixels once two screenshots in a row agree."""
            last = [None]

            def probe():
                now = crop(self.screenshot(label), strip)
                same = now == last[0]
                last[0] = now
                return now if same else None
            return wait_for(probe, "the strip to stop changing", timeout=15, interval=0.1)

        before = settled_strip("before")
        for keys in ("win+8", "win+4", "win+right"):
            label = keys.replace("+", "-")
            self.driver.keys(keys)
            # The first screenshot that differs is already the new layout,
            # whole: no holes, no key colour, no frame in between.
            def changed(old=before, label=label):
                shot = self.screenshot(label)
                return shot if crop(shot, strip) != old else None
            first = wait_for(changed, f"the strip to change after {keys}", timeout=15, interval=0)
            faults = self.faults(first, strip)
            self.assertEqual(faults, [], f"right after {keys} (see {self.artifact_stem}-{label}.png)")
            after = settled_strip(f"{label}-settled")
            self.assertEqual(crop(first, strip), after,
                             f"the first frame after {keys} is not the new layout (see "
                             f"{self.artifact_stem}-{label}.png and -{label}-settled.png)")
            self.assertEqual(self.faults(self.screenshot(f"{label}-settled"), strip), [])
            before = after
