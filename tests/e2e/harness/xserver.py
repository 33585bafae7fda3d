"""A private Xvfb display, and the X-side tools the tests use on it:
screenshots of the root window, xdotool clicks and the shapes of windows."""

import ctypes
import os
import select
import signal
import subprocess
import time

from .image import Image


class _XRectangle(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort)]


class _ShapeReader:
    """One connection to the display that reads windows' bounding shapes
    through the X shape extension (libX11 and libXext come with Xvfb)."""

    SHAPE_BOUNDING = 0
    _ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)

    def __init__(self, display_name):
        self._x11 = ctypes.CDLL("libX11.so.6")
        self._xext = ctypes.CDLL("libXext.so.6")
        self._x11.XOpenDisplay.restype = ctypes.c_void_p
        self._x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x11.XFree.argtypes = [ctypes.c_void_p]
        self._xext.XShapeGetRectangles.restype = ctypes.POINTER(_XRectangle)
        self._xext.XShapeGetRectangles.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
        # A window that went away is an X error; Xlib's default handler
        # would end the harness. The reply is then empty.
        self._on_error = self._ERROR_HANDLER(lambda display, event: 0)
        self._x11.XSetErrorHandler(self._on_error)
        self._display = self._x11.XOpenDisplay(display_name.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display_name}")

    def bounding(self, window):
        """The window's bounding shape as rectangles (x, y, width, height)
        relative to its origin; its whole extent when it has no shape."""
        count, ordering = ctypes.c_int(0), ctypes.c_int(0)
        rects = self._xext.XShapeGetRectangles(self._display, window, self.SHAPE_BOUNDING,
                                               ctypes.byref(count), ctypes.byref(ordering))
        found = [(r.x, r.y, r.width, r.height) for r in rects[:count.value]] if rects else []
        if rects:
            self._x11.XFree(rects)
        return found

    def close(self):
        if self._display:
            self._x11.XCloseDisplay(self._display)
            self._display = None


class _XRRMonitorInfo(ctypes.Structure):
    _fields_ = [("name", ctypes.c_ulong), ("primary", ctypes.c_int),
                ("automatic", ctypes.c_int), ("noutput", ctypes.c_int),
                ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("mwidth", ctypes.c_int), ("mheight", ctypes.c_int),
                ("outputs", ctypes.POINTER(ctypes.c_ulong))]


class _XRRScreenResources(ctypes.Structure):
    _fields_ = [("timestamp", ctypes.c_ulong), ("config_timestamp", ctypes.c_ulong),
                ("ncrtc", ctypes.c_int), ("crtcs", ctypes.c_void_p),
                ("noutput", ctypes.c_int), ("outputs", ctypes.POINTER(ctypes.c_ulong))]


def _split_into_monitors(display_name, count, width, height):
    """Cuts the screen into count RandR monitors of width x height side by
    side, the first one primary and on Xvfb's only output. Xvfb answers
    Xinerama queries with these monitors; Xvfb's own +xinerama would lay
    every screen at 0,0, which Wine takes for one monitor mirrored."""
    x11, xrandr = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXrandr.so.2")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xrandr.XRRGetScreenResources.restype = ctypes.POINTER(_XRRScreenResources)
    xrandr.XRRGetScreenResources.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xrandr.XRRFreeScreenResources.argtypes = [ctypes.POINTER(_XRRScreenResources)]
    xrandr.XRRAllocateMonitor.restype = ctypes.POINTER(_XRRMonitorInfo)
    xrandr.XRRAllocateMonitor.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xrandr.XRRSetMonitor.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                     ctypes.POINTER(_XRRMonitorInfo)]
    xrandr.XRRFreeMonitors.argtypes = [ctypes.POINTER(_XRRMonitorInfo)]
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise RuntimeError(f"cannot open display {display_name}")
    try:
        root = x11.XDefaultRootWindow(display)
        resources = xrandr.XRRGetScreenResources(display, root)
        if not resources or resources.contents.noutput < 1:
            raise RuntimeError(f"display {display_name} has no RandR output")
        for index in range(count):
            monitor = xrandr.XRRAllocateMonitor(display, 1 if index == 0 else 0)
            m = monitor.contents
            m.name = x11.XInternAtom(display, f"monitor-{index + 1}".encode(), 0)
            m.primary = int(index == 0)
            m.x, m.y, m.width, m.height = index * width, 0, width, height
            m.mwidth, m.mheight = width * 254 // 960, height * 254 // 960  # at 96 DPI
            if index == 0:
                m.outputs[0] = resources.contents.outputs[0]
            xrandr.XRRSetMonitor(display, root, monitor)
            xrandr.XRRFreeMonitors(monitor)
        xrandr.XRRFreeScreenResources(resources)
    finally:
        x11.XCloseDisplay(display)  # flushes the requests


class VirtualDisplay:
    """monitors: how many monitors of width x height, side by side on one
    screen."""

    def __init__(self, width=1280, height=1024, log_path=None, monitors=1):
        self.width = width
        self.height = height
        self.monitors = monitors
        self.log_path = log_path
        self.name = None
        self._process = None
        self._shapes = None

    def start(self, timeout=20.0):
        # -displayfd lets Xvfb pick a free display number itself and write it
        # once the server accepts connections: no guessing, no race.
        read_end, write_end = os.pipe()
        log = open(self.log_path or os.devnull, "ab")
        try:
            # The server keeps the monitors when their client leaves only
            # if it does not reset then.
            keep = ["-noreset"] if self.monitors > 1 else []
            self._process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), *keep, "-screen", "0",
                 f"{self.width * self.monitors}x{self.height}x24", "-nolisten", "tcp"],
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
        if self.monitors > 1:
            _split_into_monitors(self.name, self.monitors, self.width, self.height)
        return self.name

    def stop(self):
        if self._shapes is not None:
            self._shapes.close()
            self._shapes = None
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

    def viewable_window_at(self, wm_class, rect):
        """The id of the mapped X window of WM_CLASS wm_class whose outer
        rectangle on the screen is rect (left, top, right, bottom), or None."""
        found = subprocess.run(["xdotool", "search", "--class", wm_class], env=self.env(),
                               capture_output=True, text=True, timeout=30, check=False)
        for window in found.stdout.split():
            info = subprocess.run(["xwininfo", "-id", window], env=self.env(),
                                  capture_output=True, text=True, timeout=30, check=False)
            fields = dict(line.strip().split(":", 1) for line in info.stdout.splitlines()
                          if ":" in line)
            try:
                left = int(fields["Absolute upper-left X"])
                top = int(fields["Absolute upper-left Y"])
                width, height = int(fields["Width"]), int(fields["Height"])
            except (KeyError, ValueError):
                continue
            if ("IsViewable" in fields.get("Map State", "")
                    and (left, top, left + width, top + height) == tuple(rect)):
                return int(window)
        return None

    def bounding_shape(self, window):
        """The X window's bounding shape, rectangles (x, y, width, height)
        relative to the window: what of it the screen shows."""
        if self._shapes is None:
            self._shapes = _ShapeReader(self.name)
        return self._shapes.bounding(window)
