"""The Win32 test driver (tests/e2e/driver), run inside the Wine prefix:
lists windows and processes, injects keys with SendInput, closes windows and
dismisses message boxes.

One driver in serve mode answers every request of a run over a loopback
connection (see tests/e2e/driver/serve.h), so a poll costs no Wine process
start. When that server dies or cannot start, it is started again, a bounded
number of times, each time logged as a harness event; once those starts are
spent, requests fall back to one driver process each. A request that sends
input is never repeated after it may have reached the server.
"""

import json
import secrets
import socket
import struct
import time
from dataclasses import dataclass

from .wine import LOADER_FAILURE

# Commands that only read: asking again after a lost answer changes nothing.
QUERIES = frozenset({"windows", "processes"})
# Driver servers one run may start, the first included.
SERVER_STARTS = 6


@dataclass
class Window:
    hwnd: int
    pid: int  # Windows process id
    exe: str
    cls: str
    title: str
    visible: bool
    topmost: bool
    layered: bool
    style: int
    exstyle: int
    rect: tuple  # outer rectangle: left, top, right, bottom in screen pixels
    client: tuple  # client rectangle on the screen
    texts: list  # texts of the child windows
    foreground: bool = False  # the window that takes the keyboard

    @property
    def width(self):
        return self.rect[2] - self.rect[0]

    @property
    def height(self):
        return self.rect[3] - self.rect[1]

    def __str__(self):
        flags = [f for f, on in (("visible", self.visible), ("topmost", self.topmost),
                                 ("layered", self.layered),
                                 ("foreground", self.foreground)) if on]
        return (f"{self.cls!r} of {self.exe} at {list(self.rect)} "
                f"[{' '.join(flags) or 'hidden'}] {self.title!r}")


class ServerLost(Exception):
    """The driver server ended or stopped answering during a request."""

    def __init__(self, reason, sent):
        super().__init__(reason)
        self.reason = reason
        self.sent = sent  # the request may have reached the server


class ServerStartFailed(Exception):
    def __init__(self, reason, loader_failure):
        super().__init__(reason)
        self.reason = reason
        self.loader_failure = loader_failure


def _pack_text(data):
    return struct.pack("<I", len(data)) + data


def _read_exact(conn, size):
    data = b""
    while len(data) < size:
        chunk = conn.recv(size - len(data))
        if not chunk:
            raise ConnectionError("the driver closed the connection")
        data += chunk
    return data


def _read_text(conn):
    (size,) = struct.unpack("<I", _read_exact(conn, 4))
    return _read_exact(conn, size)


class DriverServer:
    """A connection to one driver in serve mode, and its Wine process."""

    def __init__(self, conn, process):
        self.conn = conn
        self.process = process

    @classmethod
    def launch(cls, prefix, exe, timeout=60):
        """Starts a driver in serve mode and waits for it to connect."""
        token = secrets.token_hex(16)
        with socket.create_server(("127.0.0.1", 0)) as listener:
            listener.settimeout(0.05)
            port = listener.getsockname()[1]
            process = prefix.start(exe, ["serve", str(port), token], name="driver-server")
            deadline = time.monotonic() + timeout
            while True:
                try:
                    conn, _ = listener.accept()
                except socket.timeout:
                    if not process.running():
                        log = process.log()
                        raise ServerStartFailed(
                            f"exited with code {process.exit_code()} before connecting, log "
                            f"{process.log_path}: {log.strip()[:300]!r}",
                            bool(LOADER_FAILURE.search(log)))
                    if time.monotonic() >= deadline:
                        process.kill()
                        raise ServerStartFailed(f"did not connect within {timeout:g} s", False)
                    continue
                conn.settimeout(timeout)
                try:
                    hello = _read_text(conn)
                except OSError:
                    hello = b""
                if secrets.compare_digest(hello, token.encode()):
                    conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
                    return cls(conn, process)
                conn.close()  # not our driver

    def request(self, args, timeout=30):
        """(exit code, output, errors) of one command, as the one-shot driver
        gives them. Raises ServerLost."""
        if not self.process.running():
            raise ServerLost(f"the server had exited with code {self.process.exit_code()}",
                             sent=False)
        frame = struct.pack("<I", len(args)) + b"".join(
            _pack_text(arg.encode("utf-8")) for arg in args)
        self.conn.settimeout(timeout)
        try:
            self.conn.sendall(frame)
            (code,) = struct.unpack("<i", _read_exact(self.conn, 4))
            output = _read_text(self.conn).decode("utf-8", errors="replace")
            errors = _read_text(self.conn).decode("utf-8", errors="replace")
        except socket.timeout:
            raise ServerLost(f"no answer within {timeout:g} s", sent=True)
        except OSError as error:
            self.process.wait_briefly()
            raise ServerLost(f"{error} (server exit code {self.process.exit_code()}, log "
                             f"{self.process.log_path}: {self.process.log().strip()[-300:]!r})",
                             sent=True)
        return code, output, errors

    def stop(self):
        """Closing the connection ends the server; the kill is for one that
        hangs in a request."""
        self.conn.close()
        self.process.kill()


class Driver:
    def __init__(self, prefix, exe):
        self.prefix = prefix
        self.exe = exe
        self.server = None
        self.server_starts = 0

    @property
    def server_restarts(self):
        return max(self.server_starts - 1, 0)

    def _server(self):
        """The running server, started if need be; None once SERVER_STARTS
        starts have been spent."""
        if self.server is not None:
            return self.server
        while self.server_starts < SERVER_STARTS:
            self.server_starts += 1
            try:
                self.server = DriverServer.launch(self.prefix, self.exe)
                return self.server
            except ServerStartFailed as failure:
                if failure.loader_failure:
                    self.prefix.loader_retries += 1
                what = "loader failure starting" if failure.loader_failure else "could not start"
                self.prefix.event(f"{what} the driver server (start {self.server_starts} of "
                                  f"{SERVER_STARTS}): {failure.reason}")
        return None

    def request(self, args):
        """(exit code, output, errors) of one driver command."""
        args = list(args)
        losses = 0
        while True:
            server = self._server()
            if server is None:
                self.prefix.event(f"no driver server left; running driver {' '.join(args)} "
                                  f"as a program of its own")
                return self.prefix.run(self.exe, args)
            try:
                return server.request(args)
            except ServerLost as lost:
                server.stop()
                self.server = None
                losses += 1
                # A query that lost two servers in a row would most likely
                # lose a third: that is a failure of its own.
                repeat = not lost.sent or (bool(args) and args[0] in QUERIES and losses < 2)
                self.prefix.event(
                    f"driver server lost during {' '.join(args) or '(no arguments)'}: "
                    f"{lost.reason}; " + ("asking a new server" if repeat else
                                          "not asking again"))
                if not repeat:
                    raise AssertionError(f"driver {' '.join(args)}: the driver server was lost "
                                         f"({lost.reason}) after the request was sent") from None

    def stop(self):
        if self.server is not None:
            self.server.stop()
            self.server = None

    def stop_for_new_wineserver(self):
        """Ends the server before its wineserver is ended on purpose; the
        next server is a planned start, not counted as a restart."""
        if self.server is not None:
            self.stop()
            self.server_starts -= 1

    def _run(self, *args):
        code, output, errors = self.request(args)
        if code != 0:
            raise AssertionError(f"driver {' '.join(args)} failed with exit code {code}: "
                                 f"stderr {errors.strip()!r}, stdout {output[:200]!r}")
        return output

    def windows(self):
        found = []
        for line in self._run("windows").splitlines():
            d = json.loads(line)
            found.append(Window(d["hwnd"], d["pid"], d["exe"], d["class"], d["title"],
                                d["visible"], d["topmost"], d["layered"], d["style"],
                                d["exstyle"], tuple(d["rect"]), tuple(d["client"]),
                                d["texts"], d.get("foreground", False)))
        return found

    def windows_of_class(self, cls):
        return [w for w in self.windows() if w.cls == cls]

    def processes(self):
        """Names of the executables of every process in the prefix, with ids."""
        return [(d["pid"], d["exe"]) for d in map(json.loads, self._run("processes").splitlines())]

    def monitors(self):
        """The display monitors Windows programs see: rectangles (left, top,
        right, bottom) in screen pixels, the primary one first."""
        found = list(map(json.loads, self._run("monitors").splitlines()))
        return [tuple(d["rect"]) for d in sorted(found, key=lambda d: not d["primary"])]

    def keys(self, *chords):
        self._run("keys", *chords)

    def close(self, window):
        self._run("close", str(window.hwnd))

    def dismiss(self, window):
        self._run("dismiss", str(window.hwnd))

    def minimize(self, window):
        self._run("minimize", str(window.hwnd))

    def restore(self, window):
        self._run("restore", str(window.hwnd))

    def move(self, window, x, y):
        self._run("move", str(window.hwnd), str(x), str(y))

    def topmost(self, window):
        """SetWindowPos(HWND_TOPMOST) on the window, without activating it."""
        self._run("topmost", str(window.hwnd))

    def run_raw(self, *args):
        """(exit code, output, errors) without judging them."""
        return self.request(args)

    def run_one_shot(self, *args):
        """The same from a driver process of its own, the fallback path."""
        return self.prefix.run(self.exe, args)
