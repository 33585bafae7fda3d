"""A game that runs as administrator makes vesk say so once; Wine isolates
no program from another, so a normal game must never bring that message:
after the placement's restack and the one after a click on the panel the
game has the keyboard and no message box is open. Wine also gives every
process an elevated token, so vesk counts as elevated there, which alone
keeps the message away; the rule itself is tested on the fake platform."""

from harness.case import GAME_CLASS, GAME_EXE, MESSAGE_BOX_CLASS, VESK_EXE
from harness.polling import wait_for
from test_overlay import BOX_TWO_ROWS, STRIP_HEIGHT, OverlayCase

# The date button of the main strip, relative to its origin.
DATE_BUTTON_CENTRE = (20, 122)


class ElevatedGameTests(OverlayCase):
    def test_a_normal_game_never_brings_the_elevated_game_message(self):
        game = self.start_game()
        _, vesk = self.start_vesk_beside(game)
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        # Park and place again: the placement restacks the game.
        self.driver.keys("win+1")
        left, _, right, _ = game.window.client
        self.wait_strips((0, 0, right - left, STRIP_HEIGHT), None, False, "parked")
        self.driver.keys("win+1")
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "placed again")
        # A click on the panel restacks the game and gives it the keyboard.
        self.click(main.rect[0] + DATE_BUTTON_CENTRE[0], main.rect[1] + DATE_BUTTON_CENTRE[1])
        wait_for(lambda: any(w.foreground for w in self.windows(GAME_CLASS, exe=GAME_EXE)),
                 "the game in front after a click on the date button",
                 observed=self.describe_windows)
        boxes = [w for w in self.windows(MESSAGE_BOX_CLASS, exe=VESK_EXE) if w.visible]
        self.assertEqual(boxes, [], f"a message box of vesk: {[str(w) for w in boxes]}")
        self.assertTrue(vesk.running(), "vesk ended")
