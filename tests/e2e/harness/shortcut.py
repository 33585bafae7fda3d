"""Reading shortcut (.lnk) files with lnkinfo, a reader independent of Wine,
plus the show command, which lnkinfo does not report."""

import struct
import subprocess

# Offset of the ShowCommand field in the shell link header.
SHOW_COMMAND_OFFSET = 0x3C


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
            info[key.strip()] = value.strip()
    info["show command"] = struct.unpack_from("<I", data, SHOW_COMMAND_OFFSET)[0]
    return info
