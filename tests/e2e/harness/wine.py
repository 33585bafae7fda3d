"""A throw-away Wine prefix, prepared by the project's scripts/wine-env.sh,
and the Windows processes started in it.

The output of wine is never piped: Wine's services inherit the pipe and a
reader would wait for them forever. Every program writes to files instead.
"""

import os
import re
import signal
import subprocess
import time


# What Wine's loader prints when it gives up before the program's own code has
# run (seen under load: the shared user data or the first thread's block
# could not be mapped where the address-space layout left no room).
LOADER_FAILURE = re.compile(r"failed to map the shared user data|virtual_alloc_first_teb|"
                            r"wine: failed to (?:reserve|map|allocate)|preloader")
LOADER_TRIES = 3

# Every Wine process is started with the address-space randomisation of its
# personality turned off (setarch -R). Debian's Wine has no preloader to
# reserve its fixed low areas before the kernel lays out a process, so a
# randomly placed program break (anywhere in the gigabyte above the wine64
# binary at 0x7d000000) can cover 0x7ffe0000, where the shared user data must
# go; the loader then fails with c0000018. Without randomisation the break
# starts right after the binary, 47 MB below that address.
NO_RANDOMISATION = ["setarch", "-R"]


def windows_path(unix_path):
    """The path as Windows programs in the prefix see it (drive Z: is /)."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


class WineProcess:
    """One Windows program started with wine. Its Unix process is the Windows
    process itself, so waiting for it waits for the program's end."""

    def __init__(self, popen, name, log_path):
        self.popen = popen
        self.name = name
        self.log_path = log_path

    def running(self):
        return self.popen.poll() is None

    def exit_code(self):
        return self.popen.poll()

    def wait(self, timeout):
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(
                f"expected {self.name} to exit within {timeout:g} s, but it is still running")

    def wait_briefly(self, timeout=2):
        """Gives a program that is ending a moment to do so, so that its exit
        code and log are complete in a report."""
        try:
            self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            pass

    def log(self):
        try:
            with open(self.log_path, "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    def kill(self):
        if self.popen.poll() is None:
            self.popen.send_signal(signal.SIGKILL)
        self.popen.wait(timeout=30)


class WinePrefix:
    def __init__(self, repo_root, prefix_dir, display_env, log_dir):
        self.repo_root = repo_root
        self.prefix_dir = prefix_dir
        self.log_dir = log_dir
        self._base_env = display_env
        self.env = None
        self._log_count = 0
        self.starts = 0  # Wine processes started by the harness
        self.loader_retries = 0  # of those, restarts after a loader failure
        self.launcher = []  # NO_RANDOMISATION where setarch can apply it

    def event(self, text):
        """Prints a harness event and appends it to harness-events.log."""
        line = "harness: " + text
        print(line, flush=True)
        with open(os.path.join(self.log_dir, "harness-events.log"), "a") as log:
            log.write(line + "\n")

    def create(self, timeout=180):
        """Creates the prefix through wine-env.sh (about 9 s) and keeps the
        environment it sets, with its persistent wineserver running."""
        probe = subprocess.run([*NO_RANDOMISATION, "true"], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        if probe.returncode == 0:
            self.launcher = list(NO_RANDOMISATION)
        else:
            self.event("setarch -R does not work here: Wine programs run with a randomised "
                       "address space, and loader failures are more likely")
        env_file = os.path.join(self.log_dir, "wine-env.txt")
        script = 'source "$1/scripts/wine-env.sh" && vesk_wine_prepare && env -0 > "$2"'
        env = dict(self._base_env)
        env["VESK_WINEPREFIX"] = self.prefix_dir
        with open(os.path.join(self.log_dir, "wine-prepare.log"), "ab") as log:
            result = subprocess.run(
                [*self.launcher, "bash", "-c", script, "bash", self.repo_root, env_file],
                env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log, timeout=timeout)
        if result.returncode != 0:
            raise RuntimeError(f"preparing the Wine prefix failed (exit {result.returncode})")
        with open(env_file, "rb") as f:
            pairs = [item.split(b"=", 1) for item in f.read().split(b"\0") if b"=" in item]
        self.env = {k.decode(): v.decode() for k, v in pairs}
        # Wine's own error messages go into each program's log, so that a
        # program that fails inside Wine leaves a trace for the test report;
        # so do the programs' own debugger lines (OutputDebugString, which
        # Wine reports on its seh channel).
        if "WINEDEBUG" not in self._base_env:
            self.env["WINEDEBUG"] = "-all,err+all,warn+seh"

    def start(self, exe, args=(), cwd=None, name=None, appeared=None, timeout=30, env=None):
        """Starts a program and returns its WineProcess without waiting for it.

        appeared: optional callable telling whether the program now shows in
        the prefix's process list. With it, start waits until it does or the
        program ends. A program that ended without ever showing there and
        whose output holds Wine's loader message never ran a line of its
        own: it is started again, at most LOADER_TRIES times in all, and
        logged as a harness event. Any other outcome is returned as it is,
        for the test to judge. env: variables added to the prefix's
        environment for this program."""
        name = name or os.path.basename(exe)
        for attempt in range(1, LOADER_TRIES + 1):
            process = self._start_once(exe, args, cwd, name, env)
            if appeared is None:
                return process
            deadline = time.monotonic() + timeout
            while True:
                if appeared():
                    return process
                if not process.running():
                    break
                if time.monotonic() >= deadline:
                    return process
                time.sleep(0.02)
            output = process.log()
            if attempt == LOADER_TRIES or not LOADER_FAILURE.search(output):
                return process
            self.loader_retries += 1
            self.event(f"loader failure starting {name} {' '.join(args)} (try {attempt} of "
                       f"{LOADER_TRIES}, exit {process.exit_code()}, never in the process "
                       f"list, log {os.path.basename(process.log_path)}): "
                       f"{output.strip()[:300]!r}; starting it again")
        return process

    def _start_once(self, exe, args, cwd, name, env=None):
        self.starts += 1
        self._log_count += 1
        log_path = os.path.join(self.log_dir, f"{self._log_count:03d}-{name}.log")
        with open(log_path, "ab") as log:
            popen = subprocess.Popen(
                [*self.launcher, "wine", exe, *args], env={**self.env, **(env or {})},
                cwd=cwd or self.log_dir,
                stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        return WineProcess(popen, name, log_path)

    def run(self, exe, args=(), timeout=30):
        """Runs a program to its end; returns (exit code, output, errors).
        A start that Wine's loader refused before the program ran is tried
        again, at most LOADER_TRIES times in all, and logged as a harness
        event; any other failure is the program's own and is returned."""
        for attempt in range(1, LOADER_TRIES + 1):
            code, output, errors = self._run_once(exe, args, timeout)
            if code == 0 or not LOADER_FAILURE.search(errors) or attempt == LOADER_TRIES:
                return code, output, errors
            self.loader_retries += 1
            self.event(f"loader failure starting {os.path.basename(exe)} {' '.join(args)} "
                       f"(try {attempt} of {LOADER_TRIES}, exit {code}): "
                       f"{errors.strip()[:300]!r}; starting it again")
        return code, output, errors

    def _run_once(self, exe, args, timeout):
        self.starts += 1
        self._log_count += 1
        base = os.path.join(self.log_dir, f"{self._log_count:03d}-{os.path.basename(exe)}")
        with open(base + ".out", "wb") as out, open(base + ".err", "wb") as err:
            popen = subprocess.Popen([*self.launcher, "wine", exe, *args], env=self.env,
                                     cwd=self.log_dir,
                                     stdin=subprocess.DEVNULL, stdout=out, stderr=err)
            try:
                code = popen.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                popen.kill()
                popen.wait()
                raise AssertionError(f"{os.path.basename(exe)} {' '.join(args)} "
                                     f"did not finish within {timeout:g} s")
        with open(base + ".out", "rb") as f:
            output = f.read().decode("utf-8", errors="replace")
        with open(base + ".err", "rb") as f:
            errors = f.read().decode("utf-8", errors="replace")
        for path in (base + ".out", base + ".err"):
            os.remove(path)
        return code, output, errors

    def set_display_dpi(self, dpi, timeout=30):
        """Sets LogPixels (the display scale, 96 at 100 %) for the monitors
        and the desktop (see restart_with_value)."""
        self.restart_with_value(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD",
                                str(dpi), timeout)

    def restart_with_value(self, key, name, kind, data, timeout=30):
        """Sets a registry value and starts the prefix's wineserver and
        services again, so that the monitors and the desktop (made by the
        next program that shows a window) take it."""
        code, _, errors = self.run("reg", ["add", key, "/v", name, "/t", kind, "/d", data, "/f"])
        if code != 0:
            raise RuntimeError(f"setting {key}\\{name} to {data} failed: {errors.strip()!r}")
        self._wineserver("-k", timeout)
        self._wineserver("-p", timeout)
        code, _, errors = self.run("wineboot", timeout=120)
        if code != 0:
            raise RuntimeError(f"wineboot after setting {name} failed: "
                               f"{errors.strip()[-300:]!r}")

    def shutdown(self, timeout=30):
        """Kills the wineserver of this prefix and every process in it."""
        if self.env is None:
            return
        self._wineserver("-k", timeout)
        self.env = None

    def _wineserver(self, option, timeout):
        subprocess.run(["wineserver", option], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout,
                       check=False)
        # -k only signals; wait until no process of this prefix is left.
        deadline = time.monotonic() + timeout
        while option == "-k" and self._processes_left() and time.monotonic() < deadline:
            time.sleep(0.05)

    def _processes_left(self):
        """Unix processes whose environment names this prefix."""
        marker = ("WINEPREFIX=" + self.env["WINEPREFIX"]).encode()
        left = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/environ", "rb") as f:
                    if marker in f.read().split(b"\0"):
                        with open(f"/proc/{pid}/stat", "rb") as s:
                            if s.read().split(b") ")[-1][:1] != b"Z":
                                left.append(int(pid))
            except OSError:
                continue
        return left
