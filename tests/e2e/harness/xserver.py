"""A private X display, and the X-side tools the tests use on it:
screenshots of the root window, xdotool clicks and the shapes of windows.
One monitor is an Xvfb screen; two or more are the heads of an Xorg server
with the spiceqxl driver (see _heads_config)."""

import ctypes
import os
import select
import signal
import socket
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


def _free_loopback_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def _heads_config(count, width, height, spice_port):
    """An Xorg configuration of count heads of width x height side by side,
    the first one primary. Each head is a RandR output on a CRTC of its own,
    which is what Wine's XRandR 1.4 code needs to place a monitor off the
    origin (Xvfb has one CRTC, and Wine 10 places every monitor it reads
    through Xinerama at 0,0). The heads are laid out here rather than with
    xrandr afterwards: the spiceqxl driver reports a head as connected only
    once its CRTC is on, and Debian 13's build of it ends the server on a
    full RandR probe (GetScreenResources); Wine asks only for the current
    resources. The driver always serves its picture to Spice clients, on a
    loopback port that nobody connects to."""
    frame_mb = count * width * height * 4 // (1 << 20) + 8
    heads = "".join(
        f'    Option "Monitor-qxl-{i}" "head-{i}"\n' for i in range(count))
    monitors = "".join(
        f'Section "Monitor"\n'
        f'    Identifier "head-{i}"\n'
        f'    Option "PreferredMode" "{width}x{height}"\n'
        f'    Option "Position" "{i * width} 0"\n'
        f'    Option "{"Primary" if i == 0 else "Enable"}" "true"\n'
        f'EndSection\n' for i in range(count))
    return (
        'Section "ServerFlags"\n'
        '    Option "AutoAddDevices" "false"\n'
        '    Option "AutoAddGPU" "false"\n'
        'EndSection\n'
        'Section "Device"\n'
        '    Identifier "qxl"\n'
        '    Driver "spiceqxl"\n'
        f'    Option "NumHeads" "{count}"\n'
        f'    Option "FrameBufferSize" "{frame_mb}"\n'
        '    Option "SurfaceBufferSize" "64"\n'
        '    Option "CommandBufferSize" "64"\n'
        '    Option "SpiceAddr" "127.0.0.1"\n'
        f'    Option "SpicePort" "{spice_port}"\n'
        '    Option "SpiceDisableTicketing" "true"\n'
        f'{heads}'
        'EndSection\n'
        f'{monitors}'
        'Section "Screen"\n'
        '    Identifier "screen"\n'
        '    Device "qxl"\n'
        '    Monitor "head-0"\n'
        '    DefaultDepth 24\n'
        'EndSection\n')


class VirtualDisplay:
    """monitors: how many monitors of width x height, side by side on one
    screen. work_dir holds the server's output (server.log) and, for more
    than one monitor, its configuration and Xorg's own log."""

    def __init__(self, work_dir, width=1280, height=1024, monitors=1):
        self.width = width
        self.height = height
        self.monitors = monitors
        self.work_dir = work_dir
        self.log_path = os.path.join(work_dir, "server.log")
        self.name = None
        self._process = None
        self._shapes = None

    def start(self, timeout=20.0):
        if self.monitors > 1:
            config = os.path.join(self.work_dir, "xorg.conf")
            with open(config, "w", encoding="ascii") as out:
                out.write(_heads_config(self.monitors, self.width, self.height,
                                        _free_loopback_port()))
        # -displayfd lets the server pick a free display number itself and
        # write it once it accepts connections: no guessing, no race.
        read_end, write_end = os.pipe()
        if self.monitors > 1:
            # The spiceqxl driver cannot survive a server reset. -sharevts
            # keeps Xorg off the console: it takes no virtual terminal of its
            # own and switches none.
            command = ["Xorg", "-displayfd", str(write_end), "-config", config,
                       "-logfile", os.path.join(self.work_dir, "xorg.log"), "-noreset",
                       "-sharevts", "-novtswitch", "-nolisten", "tcp"]
        else:
            command = ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                       f"{self.width}x{self.height}x24", "-nolisten", "tcp"]
        log = open(self.log_path, "ab")
        try:
            self._process = subprocess.Popen(
                command, pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                stdout=log, stderr=log, start_new_session=True)
        except OSError as error:
            os.close(read_end)
            raise RuntimeError(f"cannot start {command[0]} ({error}): run scripts/setup.sh")
        finally:
            os.close(write_end)
            log.close()
        text = b""
        deadline = time.monotonic() + timeout
        try:
            while not text.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if self._process.poll() is not None:
                    raise RuntimeError(
                        f"{command[0]} ended with exit code {self._process.poll()} before "
                        f"it reported a display; logs in {self.work_dir}")
                if remaining <= 0:
                    raise RuntimeError(f"{command[0]} did not report a display within "
                                       f"{timeout:g} s; logs in {self.work_dir}")
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
