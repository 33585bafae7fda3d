"""Chords another program holds: the stand-in shell registers Windows key +
digits, + arrows and + S before vesk starts, as the shell of Windows 10 and
11 does. With the game in front vesk's keyboard hook serves them and the
shell hears nothing; with the shell in front they reach the shell. The
same with Alt as the modifier and a shell that holds Alt chords. With
Ctrl as the modifier nothing is refused and no hook is installed (vesk's
debugger lines, which the harness keeps in each program's log, say so)."""

import os

from harness.case import GAME_CLASS, GAME_EXE, MAIN_CLASS, VESK_EXE
from harness.polling import wait_for
from harness.wine import windows_path
import test_deadline_editor
import test_overlay
from test_overlay import BOX_TWO_ROWS, STOPWATCH_BOX, OverlayCase, offset, region_pixels

SHELL_CLASS = "vesk.standin-shell"
SHELL_EXE = "standin-shell.exe"
# The stand-in shell's hotkey ids: 1..10 for the digits 0..9, 11..14 for
# Left, Up, Right, Down, 15 for S.
SHELL_ID_2 = 3
HOOK_LINE = "keyboard hook for 15 refused hotkeys installed"
# With Alt the settings chord stays Win+S, which the shell then leaves free.
ALT_HOOK_LINE = "keyboard hook for 14 refused hotkeys installed"
REHOOK_LINE = "the system removed the keyboard hook; installed again"


class ShellCase(OverlayCase):
    """Cases with the stand-in shell holding the Windows-key chords."""
    # The marks as the overlay's own tests read them (a module reference, so
    # that the loader does not collect those tests here too).
    marks = test_overlay.OverlayPanelTests.marks
    wait_marks = test_overlay.OverlayPanelTests.wait_marks

    def start_shell(self, alt=False):
        exe = os.path.join(os.path.dirname(os.path.dirname(self.session.standin_exe)),
                           "standin-shell", SHELL_EXE)
        self.shell_log = os.path.join(self.work_dir, "shell-hotkeys.txt")
        self.key_log = os.path.join(self.work_dir, "shell-keys.txt")
        args = ["--hotkeys", windows_path(self.shell_log)] + (["--alt"] if alt else [])
        args += ["--keys", windows_path(self.key_log)]
        process = self.start_under_test(exe, args, name="standin-shell")
        # The window shows once every chord is held.
        return process, self.wait_window(SHELL_CLASS, exe=SHELL_EXE, process=process)

    def shell_hotkeys(self):
        try:
            with open(self.shell_log, encoding="ascii") as f:
                return f.read().split()[1::2]
        except FileNotFoundError:
            return []

    def shell_keys(self):
        """The stand-in shell's hook lines: ("key", vk, down, delay ms) or
        ("start",), in order."""
        try:
            with open(self.key_log, encoding="ascii") as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return []
        return [("key", int(p[1]), p[2] == "down", int(p[3])) if p[0] == "key" else ("start",)
                for p in (line.split() for line in lines) if p]

    def keys_seen(self, vk, count, why):
        """Waits until the shell's hook has seen `count` presses of vk; their
        delays after their own event times."""
        def delays():
            found = [k[3] for k in self.shell_keys() if k[0] == "key" and k[1] == vk and k[2]]
            return found if len(found) >= count else None
        return wait_for(delays, f"{why}: {count} presses of key {vk} past vesk's hook",
                        timeout=20, observed=self.shell_keys)

    def wait_foreground(self, cls, exe, why):
        return wait_for(lambda: next((w for w in self.windows(cls, exe=exe) if w.foreground),
                                     None),
                        f"{why}: the window of class {cls!r} in front", timeout=15,
                        observed=self.describe_windows)

    def bring_to_front(self, window, cls, exe):
        left, top, right, bottom = window.client
        self.click((left + right) // 2, (top + bottom) // 2)
        return self.wait_foreground(cls, exe, f"after a click on {window}")

    def press_with_the_shell_in_front(self, chord):
        """Presses chord (modifier+2) with the shell in front: the shell,
        which holds it, receives it (its id 3) and nothing else."""
        shell_window = self.windows(SHELL_CLASS, exe=SHELL_EXE)[0]
        self.bring_to_front(shell_window, SHELL_CLASS, SHELL_EXE)
        self.driver.keys(chord)
        wait_for(lambda: self.shell_hotkeys() == [str(SHELL_ID_2)],
                 f"the stand-in shell to receive {chord} (its id 3) and nothing else",
                 observed=self.shell_hotkeys)


class HotkeyFallbackTests(ShellCase):
    def test_held_chords_act_over_the_game_and_reach_the_shell_otherwise(self):
        self.start_shell()
        game = self.start_game()
        self.wait_foreground(GAME_CLASS, GAME_EXE, "the game started last")
        folder, vesk = self.start_vesk_beside(game)
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        strip = main.rect
        wait_for(lambda: HOOK_LINE in vesk.log(), f"vesk's debugger line {HOOK_LINE!r}",
                 observed=vesk.log)

        # The game in front: the hook serves the chords the shell holds.
        self.wait_marks(strip, True, "shown", "at start")
        self.driver.keys("win+2")
        self.wait_marks(strip, False, "hidden", "after Win+2 over the game")
        self.driver.keys("win+2")
        self.wait_marks(strip, True, "shown-again", "after Win+2 again")

        box = offset(STOPWATCH_BOX, *strip[:2])
        before = region_pixels(self.screenshot("stopwatch"), box)
        self.driver.keys("win+up")
        for step in ("started", "running"):
            shot = self.wait_screen_state(
                lambda image, old=before: region_pixels(image, box) != old
                or "the stopwatch's text unchanged",
                f"the stopwatch's text to advance after Win+Up ({step})", f"stopwatch-{step}")
            before = region_pixels(shot, box)

        self.driver.keys("win+s")
        wait_for(lambda: len([n for n in os.listdir(folder) if n.endswith(".lnk")]) == 3,
                 "the three shortcut files after Win+S", observed=lambda: os.listdir(folder))
        self.assertEqual(self.shell_hotkeys(), [],
                         "the stand-in shell received chords pressed over the game")

        # The shell in front: Win+2 is the shell's, vesk leaves it alone.
        self.press_with_the_shell_in_front("win+2")
        found = self.marks(self.screenshot("shell-in-front"), strip)
        self.assertFalse(found["all_game"],
                         f"Win+2 with the shell in front hid vesk's marks: {found}")

        # The game in front again: Win+0 ends vesk, the shell hears nothing.
        self.bring_to_front(self.wait_window(GAME_CLASS, exe=GAME_EXE), GAME_CLASS, GAME_EXE)
        self.end_vesk(vesk, "win+0")
        self.assertEqual(self.shell_hotkeys(), [str(SHELL_ID_2)],
                         "the stand-in shell received Win+0 pressed over the game")

    def test_alt_chords_held_elsewhere_act_over_the_game_and_reach_the_shell_otherwise(self):
        # With Alt as the modifier the system reports the chord's key as
        # WM_SYSKEYDOWN: the hook must count it as a press all the same.
        self.start_shell(alt=True)
        game = self.start_game()
        self.wait_foreground(GAME_CLASS, GAME_EXE, "the game started last")
        _, vesk = self.start_vesk_beside(game, args="3")
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        strip = main.rect
        wait_for(lambda: ALT_HOOK_LINE in vesk.log(),
                 f"vesk's debugger line {ALT_HOOK_LINE!r}", observed=vesk.log)
        self.wait_marks(strip, True, "shown", "at start")
        self.driver.keys("alt+2")
        self.wait_marks(strip, False, "hidden", "after Alt+2 over the game")
        self.assertEqual(self.shell_hotkeys(), [],
                         "the stand-in shell received Alt+2 pressed over the game")

        self.press_with_the_shell_in_front("alt+2")

        self.bring_to_front(self.wait_window(GAME_CLASS, exe=GAME_EXE), GAME_CLASS, GAME_EXE)
        self.end_vesk(vesk, "alt+0")
        self.assertEqual(self.shell_hotkeys(), [str(SHELL_ID_2)],
                         "the stand-in shell received Alt+0 pressed over the game")

    def test_with_the_ctrl_modifier_and_nothing_held_there_is_no_hook(self):
        game = self.start_game()
        _, vesk = self.start_vesk_beside(game, args="1")
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        self.wait_marks(main.rect, True, "shown", "at start")
        self.driver.keys("ctrl+2")
        self.wait_marks(main.rect, False, "hidden", "after Ctrl+2")
        self.end_vesk(vesk, "ctrl+0")
        log = vesk.log()
        self.assertNotIn("could not be registered", log, f"a refused hotkey: {log!r}")
        self.assertNotIn("keyboard hook", log, f"a keyboard hook without need: {log!r}")
        self.assertEqual(self.windows(MAIN_CLASS, exe=VESK_EXE), [])


class HookThreadTests(ShellCase):
    """The hook answers from a thread of its own: a key passes it at once
    while vesk's user-interface thread is busy (a test switch stalls every
    hotkey 2 s), and a chord eaten over the game opens no Start menu."""

    def start_all(self, env=None):
        self.start_shell()
        game = self.start_game()
        self.wait_foreground(GAME_CLASS, GAME_EXE, "the game started last")
        folder, vesk = self.start_vesk_beside(game, env=env)
        main, _ = self.wait_placed_on(game, BOX_TWO_ROWS, "at start")
        wait_for(lambda: HOOK_LINE in vesk.log(), f"vesk's debugger line {HOOK_LINE!r}",
                 observed=vesk.log)
        return folder, vesk, main.rect

    def type_until(self, done, key, why):
        """Types key into the game, one press per request, until done();
        returns how many were typed."""
        typed = 0
        while not done():
            self.assertLess(typed, 3000, f"{why}: still not done after {typed} keys")
            self.driver.keys(key)
            typed += 1
        return typed

    def test_keys_pass_the_hook_at_once_while_vesk_is_busy(self):
        folder, vesk, strip = self.start_all(env={"VESK_TEST_STALL_HOTKEY_MS": "2000"})
        # Idle: keys typed into the game.
        self.driver.keys(*["a"] * 20)
        idle = self.keys_seen(ord("A"), 20, "idle")
        # Busy: Win+S stalls vesk 2 s, then writes the shortcuts; keys typed
        # until the files are there pass its hook on their way to the game.
        self.driver.keys("win+s")
        typed = self.type_until(
            lambda: len([n for n in os.listdir(folder) if n.endswith(".lnk")]) == 3, "b",
            "the three shortcut files after Win+S")
        busy = self.keys_seen(ord("B"), typed, "with Win+S stalled")
        # Busy again: Win+2 stalls, then hides the marks.
        self.driver.keys("win+2")
        typed = self.type_until(
            lambda: self.marks(self.screenshot("busy-hide"), strip)["all_game"], "c",
            "the marks hidden after Win+2")
        toggled = self.keys_seen(ord("C"), typed, "with Win+2 stalled")
        print(f"hook delay ms: idle max {max(idle)} mean {sum(idle) / len(idle):.1f} "
              f"({len(idle)} keys); busy (Win+S) max {max(busy)} mean "
              f"{sum(busy) / len(busy):.1f} ({len(busy)} keys); busy (Win+2) max "
              f"{max(toggled)} mean {sum(toggled) / len(toggled):.1f} ({len(toggled)} keys)")
        self.assertGreaterEqual(len(busy), 5, "too few keys typed during the stall")
        # A hook on the stalled thread would hold these keys up to 2 s.
        self.assertLess(max(busy + toggled), 1000,
                        f"keys waited on vesk's busy thread: {busy} {toggled}")
        self.end_vesk(vesk, "win+0")

    def test_chords_over_the_game_open_no_start_menu(self):
        _, vesk, strip = self.start_all()
        self.driver.keys(*["win+2"] * 50)
        # Each chord's Windows-key release reaches the shell's hook.
        def releases():
            ups = [k for k in self.shell_keys() if k[0] == "key" and k[1] == 0x5B and not k[2]]
            return len(ups) >= 50
        wait_for(releases, "50 Windows-key releases past vesk's hook", timeout=30,
                 observed=self.shell_keys)
        starts = [k for k in self.shell_keys() if k[0] == "start"]
        print(f"Start menu opened {len(starts)} times over 50 chords")
        self.assertEqual(starts, [], "a chord eaten over the game opened Start")
        self.assertEqual(self.shell_hotkeys(), [], "the shell received chords over the game")
        # 50 toggles: shown as at start.
        self.wait_marks(strip, True, "shown", "after 50 Win+2")
        # A Windows key tapped alone still opens it.
        self.driver.keys("win")
        wait_for(lambda: [k for k in self.shell_keys() if k[0] == "start"] == [("start",)],
                 "Start after a lone Windows key", observed=self.shell_keys)
        self.end_vesk(vesk, "win+0")

    def test_a_hook_the_system_removed_is_installed_again(self):
        # A test switch makes the hook unhook itself after two presses, as
        # Windows does with a hook it finds slow.
        _, vesk, strip = self.start_all(env={"VESK_TEST_DROP_HOOK_AFTER": "2"})
        self.driver.keys("win+2")
        self.wait_marks(strip, False, "hidden", "after Win+2")
        self.driver.keys("win+2")
        self.wait_marks(strip, True, "shown", "after Win+2 again")
        # The hook is gone: this one reaches the shell, and raw input tells
        # vesk, which hooks again.
        self.driver.keys("win+2")
        wait_for(lambda: REHOOK_LINE in vesk.log(), f"vesk's debugger line {REHOOK_LINE!r}",
                 observed=vesk.log)
        self.driver.keys("win+2")
        self.wait_marks(strip, False, "hidden", "after Win+2 with the hook back")
        self.assertLessEqual(len(self.shell_hotkeys()), 1, "the shell kept receiving the chord")
        self.end_vesk(vesk, "win+0")

    def test_the_editor_a_hooked_chord_opens_takes_the_keys(self):
        # Win+6 is the shell's: the hook serves it, and the action arrives as
        # a hotkey, so that the editor may take the foreground (Windows
        # refuses it after a bare post; Wine never does).
        _, vesk, strip = self.start_all()
        self.driver.keys("win+6")
        editor = self.wait_window(test_deadline_editor.EDITOR_CLASS, exe=VESK_EXE, timeout=10)
        cases = test_deadline_editor.EditorCase
        layout = cases.editor_layout(self, editor, "editor-hooked")
        cases.wait_focus(self, layout, test_deadline_editor.YEAR, "opened by the hooked Win+6",
                         "editor-hooked")
        wait_for(lambda: any(w.foreground for w in
                             self.windows(test_deadline_editor.EDITOR_CLASS, exe=VESK_EXE)),
                 "the editor in front", observed=self.describe_windows)
        self.driver.keys("escape")
        cases.wait_editor_closed(self, "Escape in the editor")
        # The hook is back once the editor is gone.
        self.driver.keys("win+2")
        self.wait_marks(strip, False, "hidden", "after Win+2 once the editor closed")
        self.assertEqual(self.shell_hotkeys(), [], "the shell received chords over the game")
        self.end_vesk(vesk, "win+0")
