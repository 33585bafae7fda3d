"""Base class of the e2e tests: per-test program folders and processes,
window lookups with deadlines, screenshots, and a teardown that leaves no
process of the test behind."""

import os
import re
import shutil
import unittest

from . import session as session_module
from .polling import wait_for
from .wine import windows_path

GAME_CLASS = " M H F "
MAIN_CLASS = "vesk.frmVESK"
SECOND_CLASS = "vesk.frmVESK2"
MESSAGE_BOX_CLASS = "#32770"
GAME_EXE = "standin-game.exe"
VESK_EXE = "vesk.exe"
# The stand-in game paints its client area in pure green 0x00B000.
GAME_RGB = (0x00, 0xB0, 0x00)
KEY_RGB = (0xC0, 0xC0, 0xC0)
DATA_FILES = ("caravan_tama.txt", "caravan_que.txt", "caravan_fushi.txt")


class Game:
    """The running stand-in game and its click log."""

    def __init__(self, process, window, clicks_path):
        self.process = process
        self.window = window
        self.clicks_path = clicks_path

    def clicks(self):
        try:
            with open(self.clicks_path, encoding="ascii") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []


class E2ECase(unittest.TestCase):
    def setUp(self):
        self.session = session_module.current
        if self.session is None:
            self.skipTest("run through tests/e2e/run_e2e.py, which sets up the display and Wine")
        self.driver = self.session.driver
        name = re.sub(r"[^A-Za-z0-9_.]+", "_", self.id().split(".", 1)[-1])
        self.work_dir = os.path.join(self.session.root, "tests", name)
        os.makedirs(self.work_dir)
        self.artifact_stem = os.path.join(self.session.artifacts_dir, name)
        self._processes = []
        self.addCleanup(self._stop_processes)

    # Programs -----------------------------------------------------------------

    def make_program_folder(self, folder_name="vesk", data="examples"):
        """A fresh folder holding vesk.exe and its data files.

        data: "examples" copies the three example files; a dict maps file
        names to their bytes; None copies nothing."""
        folder = os.path.join(self.work_dir, folder_name)
        os.makedirs(folder)
        shutil.copy2(self.session.vesk_exe, os.path.join(folder, VESK_EXE))
        if data == "examples":
            for name in DATA_FILES:
                shutil.copy2(os.path.join(self.session.examples_dir, name), folder)
        elif data:
            for name, content in data.items():
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(content)
        return folder

    def start_game(self, x=100, y=50, width=1024, height=768, extra=()):
        """extra: further stand-in options, e.g. ("--dpi", "per-monitor")."""
        clicks = os.path.join(self.work_dir, "clicks.txt")
        process = self.start_under_test(
            self.session.standin_exe,
            ["--x", str(x), "--y", str(y), "--width", str(width), "--height", str(height),
             "--clicks", windows_path(clicks), *extra], name="standin-game")
        self._processes.append(process)
        window = self.wait_window(GAME_CLASS, exe=GAME_EXE, process=process)
        return Game(process, window, clicks)

    def start_vesk(self, folder, args="", exe=None, env=None):
        """Starts folder/vesk.exe (or exe, a path as Windows sees it) with the
        argument text args (none if empty), from a working directory that is
        not the program's folder, with the variables env added."""
        return self.start_under_test(exe or os.path.join(folder, VESK_EXE), [args] if args else [],
                                  cwd=self.work_dir, name="vesk", env=env)

    def start_under_test(self, exe, args, name, cwd=None, env=None):
        """Starts a program under test; a start that Wine's loader refused
        before the program showed in the process list is made again (see
        WinePrefix.start)."""
        image = re.split(r"[\\/]", exe)[-1].lower()
        before = {pid for pid, found in self.driver.processes() if found.lower() == image}

        def appeared():
            return any(found.lower() == image and pid not in before
                       for pid, found in self.driver.processes())
        process = self.session.prefix.start(exe, args, cwd=cwd, name=name, appeared=appeared,
                                            env=env)
        self._processes.append(process)
        return process

    def _stop_processes(self):
        for process in self._processes:
            process.kill()
        # The next test's single-instance check needs this one's vesk gone
        # from Wine's view too, not only from Unix's.
        wait_for(lambda: not self.leftover_processes(), "no vesk.exe or standin-game.exe left",
                 timeout=15, observed=self.leftover_processes)

    def set_display_dpi(self, dpi):
        """The prefix's display at this DPI (LogPixels), for the programs
        started from now on: those running end, as does the wineserver."""
        self._stop_processes()
        self.driver.stop_for_new_wineserver()
        self.session.prefix.set_display_dpi(dpi)

    def leftover_processes(self):
        return [(pid, exe) for pid, exe in self.driver.processes()
                if exe.lower() in (VESK_EXE, GAME_EXE)]

    # Windows ------------------------------------------------------------------

    def windows(self, cls=None, exe=None, pid=None):
        return [w for w in self.driver.windows()
                if (cls is None or w.cls == cls) and (exe is None or w.exe.lower() == exe)
                and (pid is None or w.pid == pid)]

    def describe_windows(self):
        return "; ".join(str(w) for w in self.driver.windows()
                         if w.exe.lower() not in ("explorer.exe", "vesk_e2e_driver.exe")
                         and w.cls != "IME") or "no windows"

    def wait_window(self, cls, exe=None, pid=None, visible=True, timeout=15, process=None):
        """The one top-level window of class cls (of exe / Windows process
        pid), once it exists (and is visible, if asked)."""
        def probe():
            if process is not None and not process.running():
                raise AssertionError(
                    f"{process.name} exited with code {process.exit_code()} before showing "
                    f"a window of class {cls!r}; its output: {process.log().strip()!r}")
            found = [w for w in self.windows(cls, exe, pid) if w.visible or not visible]
            return found[0] if len(found) == 1 else None
        return wait_for(probe, f"one {'visible ' if visible else ''}window of class {cls!r}",
                        timeout=timeout, observed=self.describe_windows)

    def wait_no_window(self, cls, pid=None, timeout=15):
        wait_for(lambda: not self.windows(cls, pid=pid), f"no window of class {cls!r}",
                 timeout=timeout, observed=self.describe_windows)

    def wait_message_box(self, text, timeout=15):
        def probe():
            found = [w for w in self.windows(MESSAGE_BOX_CLASS)
                     if w.visible and any(text in t for t in w.texts)]
            return found[0] if found else None
        return wait_for(probe, f"a message box saying {text!r}", timeout=timeout,
                        observed=self.describe_windows)

    # Screen -------------------------------------------------------------------

    def screenshot(self, label):
        """The root window now; the PNG is kept among the run's artifacts."""
        return self.session.display.screenshot(save_png=f"{self.artifact_stem}-{label}.png")

    def click(self, x, y, button=1):
        self.session.display.click(x, y, button)

    def double_click(self, x, y, button=1):
        self.session.display.click(x, y, button, repeat=2)

    def wait_screen(self, condition, expected, label, timeout=10):
        """The first screenshot for which condition(image) holds."""
        def probe():
            shot = self.screenshot(label)
            return shot if condition(shot) else None
        return wait_for(probe, expected, timeout=timeout, interval=0.1,
                        observed=lambda: f"see {self.artifact_stem}-{label}.png")
