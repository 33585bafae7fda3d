"""One e2e run: a virtual display and a throw-away Wine prefix shared by all
tests, and the paths of the programs under test. Created once by run_e2e.py;
tests reach it as session.current."""

import os
import shutil
import tempfile
import time

from .driver import Driver
from .polling import wait_for
from .wine import WinePrefix
from .xserver import VirtualDisplay

current = None


class Session:
    def __init__(self, repo_root, vesk_exe, standin_exe, driver_exe, examples_dir,
                 artifacts_dir, keep=False, monitors=1):
        for path in (vesk_exe, standin_exe, driver_exe):
            if not os.path.isfile(path):
                raise FileNotFoundError(f"missing program {path}: build the Windows preset first")
        self.repo_root = repo_root
        self.vesk_exe = vesk_exe
        self.standin_exe = standin_exe
        self.examples_dir = examples_dir
        # A folder of its own for each run: a later run never overwrites the
        # screenshots of a failing one.
        os.makedirs(artifacts_dir, exist_ok=True)
        self.artifacts_dir = tempfile.mkdtemp(prefix=time.strftime("run-%Y%m%d-%H%M%S-"),
                                              dir=artifacts_dir)
        self.keep = keep
        # The major version of the Wine beneath, e.g. 10 for "wine-10.0 (...)";
        # 0 when unknown. Set by run_e2e.py.
        self.wine_major = 0
        self.root = tempfile.mkdtemp(prefix="vesk-e2e-")
        self.logs_dir = os.path.join(self.root, "logs")
        os.makedirs(self.logs_dir)
        self.display = VirtualDisplay(self.logs_dir, monitors=monitors)
        self.prefix = None
        self.driver_exe = driver_exe
        self.driver = None

    def start(self):
        self.display.start()
        self.prefix = WinePrefix(self.repo_root, os.path.join(self.root, "prefix"),
                                 self.display.env(), self.logs_dir)
        self.prefix.create()
        self.driver = Driver(self.prefix, self.driver_exe)
        # The first program that asks for the desktop window starts Wine's
        # desktop process; a program under test that races that start on a
        # busy machine can fail to create its window. Bring it up now.
        def desktop_up():
            self.driver.windows()  # enumerating windows asks for the desktop
            return any(exe.lower() == "explorer.exe" for _, exe in self.driver.processes())
        wait_for(desktop_up, "Wine's desktop process (explorer.exe)", timeout=60,
                 observed=self.driver.processes)

    def stop(self):
        """Always safe to call, also after a partial start."""
        try:
            if self.driver is not None:
                self.driver.stop()
            if self.prefix is not None:
                self.prefix.shutdown()
        finally:
            self.display.stop()
            if self.keep:
                print(f"e2e: kept {self.root}")
            else:
                shutil.rmtree(self.root, ignore_errors=True)
