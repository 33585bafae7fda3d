"""The Win32 test driver (tests/e2e/driver), run inside the Wine prefix:
lists windows and processes, injects keys with SendInput, closes windows and
dismisses message boxes."""

import json
from dataclasses import dataclass


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

    @property
    def width(self):
        return self.rect[2] - self.rect[0]

    @property
    def height(self):
        return self.rect[3] - self.rect[1]

    def __str__(self):
        flags = [f for f, on in (("visible", self.visible), ("topmost", self.topmost),
                                 ("layered", self.layered)) if on]
        return (f"{self.cls!r} of {self.exe} at {list(self.rect)} "
                f"[{' '.join(flags) or 'hidden'}] {self.title!r}")


class Driver:
    def __init__(self, prefix, exe):
        self.prefix = prefix
        self.exe = exe

    def _run(self, *args):
        code, output, errors = self.prefix.run(self.exe, args)
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
                                d["texts"]))
        return found

    def windows_of_class(self, cls):
        return [w for w in self.windows() if w.cls == cls]

    def processes(self):
        """Names of the executables of every process in the prefix, with ids."""
        return [(d["pid"], d["exe"]) for d in map(json.loads, self._run("processes").splitlines())]

    def keys(self, *chords):
        self._run("keys", *chords)

    def close(self, window):
        self._run("close", str(window.hwnd))

    def dismiss(self, window):
        self._run("dismiss", str(window.hwnd))

    def run_raw(self, *args):
        """(exit code, output, errors) without judging them."""
        return self.prefix.run(self.exe, args)
