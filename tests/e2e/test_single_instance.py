"""A second start is refused with a message; the first instance goes on."""

from harness.case import MAIN_CLASS, SECOND_CLASS, VESK_EXE, E2ECase

REFUSAL = "すでに起動しています"


class SingleInstanceTests(E2ECase):
    def test_second_start_shows_the_refusal_and_ends_when_it_is_dismissed(self):
        game = self.start_game()
        folder = self.make_program_folder()
        first = self.start_vesk(folder)
        main = self.wait_window(MAIN_CLASS, exe=VESK_EXE, process=first)

        # A game that keeps itself topmost: vesk's messages open above it.
        self.driver.topmost(game.window)
        second = self.start_vesk(folder)
        box = self.wait_message_box(REFUSAL)
        self.assertTrue(box.topmost, f"the message box may open behind a topmost game: {box}")
        self.assertEqual(box.exe.lower(), VESK_EXE, f"the message box is not vesk's: {box}")
        self.assertNotEqual(box.pid, main.pid, "the first instance showed the refusal")
        self.assertIn(REFUSAL, box.texts, f"expected exactly the text {REFUSAL!r}: {box.texts}")
        self.assertIn("OK", [t.replace("&", "") for t in box.texts],
                      f"expected an OK button: {box.texts}")
        self.assertEqual(self.windows(MAIN_CLASS, pid=box.pid), [],
                         "the refused instance opened a strip")
        self.assertTrue(second.running(), "the refused instance ended before the box was "
                                          "dismissed")

        self.driver.dismiss(box)
        second.wait(15)
        self.wait_no_window("#32770", pid=box.pid)

        # The first instance is untouched: same window, still placed, still
        # answering its hotkeys.
        self.assertTrue(first.running(), f"the first instance exited ({first.exit_code()})")
        now = self.wait_window(MAIN_CLASS, exe=VESK_EXE)
        self.assertEqual((now.hwnd, now.rect), (main.hwnd, main.rect),
                         f"the first instance's strip changed: {main} -> {now}")
        self.driver.keys("win+0")
        self.assertEqual(first.wait(15), 0, "expected the first instance to quit on Win+0")
        self.wait_no_window(SECOND_CLASS)
        self.assertTrue(game.process.running(), "the stand-in game exited with vesk")
