"""A private Xvfb display, and the X-side tools the tests use on it:
screenshots of the root window and xdotool clicks."""

import os
import select
import signal
import subprocess
import time

from .image import Image


class VirtualDisplay:
    def __init__(self, width=1280, height=1024, log_path=None):
        self.width = width
        self.height = height
        self.log_path = log_path
        self.name = None
        self._process = None

    def start(self, timeout=20.0):
        # -displayfd lets Xvfb pick a free display number itself and write it
        # once the server accepts connections: no guessing, no race.
        read_end, write_end = os.pipe()
        log = open(self.log_path or os.devnull, "ab")
        try:
            self._process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                 f"{self.width}x{self.height}x24", "-nolisten", "tcp"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                stdout=log, stderr=log, start_new_session=True)
        finally:
            os.close(write_end)
            log.close()
        text = b""
        deadline = time.monotonic() + timeout
        try:
            while not text.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or self._process.poll() is not None:
                    raise RuntimeError(
                        f"Xvfb did not report a display within {timeout:g} s "
                        f"(exit code {self._process.poll()}; log {self.log_path})")
                ready, _, _ = select.select([read_end], [], [], remaining)
                if ready:
                    chunk = os.read(read_end, 64)
                    if not chunk:
                        continue
                    text += chunk
        finally:
            os.close(read_end)
        self.name = ":" + text.decode().strip()
        return self.name

    def stop(self):
        if self._process is None:
            return
        if self._process.poll() is None:
            self._process.send_signal(signal.SIGTERM)
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        self._process = None

    def env(self):
        environment = dict(os.environ)
        environment["DISPLAY"] = self.name
        return environment

    def screenshot(self, save_png=None):
        """The root window as an Image; also written as PNG when asked."""
        result = subprocess.run(
            ["import", "-window", "root", "-depth", "8", "ppm:-"],
            env=self.env(), capture_output=True, timeout=30, check=False)
        if result.returncode != 0:
            raise RuntimeError(f"import failed: {result.stderr.decode(errors='replace')}")
        image = Image.from_ppm(result.stdout)
        if save_png:
            image.save_png(save_png)
        return image

    def pointer(self):
        out = subprocess.run(["xdotool", "getmouselocation"], env=self.env(),
                             capture_output=True, text=True, timeout=30, check=True).stdout
        fields = dict(f.split(":", 1) for f in out.split() if ":" in f)
        return int(fields.get("x", -1)), int(fields.get("y", -1))

    def click(self, x, y, button=1, repeat=1):
        """A real X pointer click: like a click on Windows it passes through
        the colour-key holes of a layered window. xdotool's mousemove --sync
        waits some 15 s for a move when the pointer is already there, so then
        it only clicks. Repeated presses come 80 ms apart, well within a
        double-click's time."""
        move = [] if self.pointer() == (x, y) else ["mousemove", "--sync", str(x), str(y)]
        subprocess.run(
            ["xdotool", *move, "click", "--repeat", str(repeat), "--delay", "80", str(button)],
            env=self.env(), check=True, timeout=30,
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def shaped_viewable_windows(self, wm_class):
        """Ids of the X windows of WM_CLASS wm_class that are mapped and carry
        a window shape. Wine cuts a colour-keyed window's see-through pixels
        out of its X window with a shape, once the window has been painted;
        before that, a click on those pixels still lands on the window."""
        found = subprocess.run(["xdotool", "search", "--class", wm_class], env=self.env(),
                               capture_output=True, text=True, timeout=30, check=False)
        shaped = []
        for window in found.stdout.split():
            info = subprocess.run(["xwininfo", "-shape", "-id", window], env=self.env(),
                                  capture_output=True, text=True, timeout=30, check=False)
            if "IsViewable" in info.stdout and "Window shape extents" in info.stdout:
                shaped.append(window)
        return shaped
