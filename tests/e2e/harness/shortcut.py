"""Reading shortcut (.lnk) files with lnkinfo, a reader independent of Wine,
plus the show command, which lnkinfo does not report."""

import functools
import re
import struct
import subprocess

# Offset of the ShowCommand field in the shell link header.
SHOW_COMMAND_OFFSET = 0x3C


@functools.lru_cache(maxsize=None)
def _lnkinfo_escapes_backslashes():
    """Whether lnkinfo prints each backslash of a string as two: Debian 13's
    20240423 does, Debian 12's 20181227 does not."""
    result = subprocess.run(["lnkinfo", "-V"], capture_output=True, timeout=30, check=False)
    found = re.search(rb"lnkinfo (\d{8})", result.stdout + result.stderr)
    return found is not None and int(found.group(1)) > 20181227


def read_shortcut(path):
    """Returns a dict with the keys of lnkinfo's "Link information" section
    (e.g. "Local path", "Working directory", "Command line arguments") and
    "show command" (int). Raises ValueError when the file is not readable as
    a shortcut."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < SHOW_COMMAND_OFFSET + 4:
        raise ValueError(f"{path}: {len(data)} bytes, too short for a shortcut")
    result = subprocess.run(["lnkinfo", path], capture_output=True, timeout=30, check=False)
    if result.returncode != 0:
        raise ValueError(f"lnkinfo could not read {path}: "
                         f"{result.stderr.decode(errors='replace').strip()}")
    info = {}
    section = None
    for raw in result.stdout.decode("utf-8", errors="replace").splitlines():
        if raw and not raw.startswith("\t"):
            section = raw.rstrip(":").strip()
            continue
        if section == "Link information" and ":" in raw:
            key, _, value = raw.strip().partition(":")
            value = value.strip()
            if _lnkinfo_escapes_backslashes():
                value = value.replace("\\\\", "\\")
            info[key.strip()] = value
    info["show command"] = struct.unpack_from("<I", data, SHOW_COMMAND_OFFSET)[0]
    return info
