#!/usr/bin/env bash
# Builds the Windows release and packs it for players:
#   dist/vesk-VERSION-win64.zip
#   dist/vesk-VERSION-win64.zip.sha256   its sha256sum line, for checking the download
# holding vesk.exe without debug information, the two example calendar files
# of examples/ (byte for byte: code page 932, CR LF) and the players' guide in
# English and Japanese as UTF-8 text files with a byte-order mark and CR LF, so
# that Notepad opens them by double-click. No deadline file: the deadline
# editor writes it, and a dated example would be long past for a later player.
#
# VERSION is the one of project(vesk VERSION ...) in CMakeLists.txt, read from
# the build's generated build/windows/vesk-version.txt; the script stops when
# the version resource of vesk.exe says anything else.
#
# The archive is reproducible: the same commit gives the same bytes wherever it
# is cloned (scripts/check-reproducible.sh checks two clones). The linked
# vesk.exe carries no link time and no paths of the trees (cmake/Win32.cmake);
# strip dates its header SOURCE_DATE_EPOCH (default: the time of the last
# commit, or 2000-01-01 outside a clone); the zip has a fixed file order, fixed
# modes, no extra fields, and every entry dated SOURCE_DATE_EPOCH in UTC.
#
# Usage: scripts/package.sh        (installs what it lacks, as setup.sh does)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

scripts/setup.sh
# vesk.exe alone: the tests and the stand-ins do not go into the zip.
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target vesk

build="$root/build/windows"
exe="$build/vesk.exe"
version_file="$build/vesk-version.txt"
if [ ! -f "$version_file" ] || [ ! -f "$exe" ]; then
  echo "package: the Windows build left no $version_file or $exe" >&2
  exit 1
fi
version="$(tr -d '\r\n' <"$version_file")"
if ! [[ "$version" =~ ^[0-9]+(\.[0-9]+){0,3}$ ]]; then
  echo "package: '$version' in $version_file is no version" >&2
  exit 1
fi

# The exe's version resource must say the same: the fixed file and product
# versions (four numbers) and the FileVersion and ProductVersion texts.
python3 - "$exe" "$version" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
version = sys.argv[2]
numbers = [int(n) for n in version.split(".")] + [0, 0, 0]
numbers = numbers[:4]
errors = []
at = data.find(struct.pack("<I", 0xFEEF04BD))
if at < 0:
    errors.append("no VS_FIXEDFILEINFO")
else:
    fms, fls, pms, pls = struct.unpack_from("<4I", data, at + 8)
    for name, ms, ls in (("file", fms, fls), ("product", pms, pls)):
        got = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
        if got != numbers:
            errors.append(f"fixed {name} version {'.'.join(map(str, got))}")
for key in ("FileVersion", "ProductVersion"):
    needle = (key + "\0").encode("utf-16-le")
    at = data.find(needle)
    if at < 0:
        errors.append(f"no {key} text")
        continue
    at += len(needle)
    while data[at:at + 2] == b"\0\0":  # padding to a 32-bit boundary
        at += 2
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    text = data[at:end].decode("utf-16-le")
    if text != version:
        errors.append(f"{key} '{text}'")
if errors:
    print(f"package: vesk.exe does not carry version {version}: " + "; ".join(errors),
          file=sys.stderr)
    sys.exit(1)
print(f"package: vesk.exe carries version {version} (file, product, texts)")
PY

name="vesk-$version-win64"
stage="$root/build/package/$name"
dist="$root/dist"
zip_path="$dist/$name.zip"
rm -rf "$stage"
mkdir -p "$stage" "$dist"

# Entries in this order, always.
files=(vesk.exe caravan_que.txt caravan_fushi.txt guide-en.txt guide-ja.txt)

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)"
fi
# strip writes a new time into the PE header: the current one, or this when
# it is set, so that every clone of the commit gets the same vesk.exe.
export SOURCE_DATE_EPOCH

# The debug sections (DWARF, the symbol table) are of no use to a player.
x86_64-w64-mingw32-strip --strip-debug --strip-unneeded -o "$stage/vesk.exe" "$exe"
if x86_64-w64-mingw32-objdump -h "$stage/vesk.exe" | grep -q ' \.debug'; then
  echo "package: vesk.exe still carries debug sections after strip" >&2
  exit 1
fi
for f in caravan_que.txt caravan_fushi.txt; do
  cp "examples/$f" "$stage/$f"
done
# The guides: UTF-8 with a byte-order mark and CR LF line ends.
python3 - docs/guide.en.md "$stage/guide-en.txt" docs/guide.ja.md "$stage/guide-ja.txt" <<'PY'
import sys
args = sys.argv[1:]
for source, target in zip(args[0::2], args[1::2]):
    text = open(source, encoding="utf-8").read().lstrip("\ufeff")
    text = text.replace("\r\n", "\n").replace("\n", "\r\n")
    open(target, "wb").write(b"\xef\xbb\xbf" + text.encode("utf-8"))
PY

chmod 755 "$stage/vesk.exe"
chmod 644 "$stage"/*.txt
for f in "${files[@]}"; do
  TZ=UTC touch -d "@$SOURCE_DATE_EPOCH" "$stage/$f"
done
rm -f "$zip_path" "$zip_path.sha256"  # zip would otherwise update an older archive
(cd "$stage" && TZ=UTC zip -q -X -D -9 "$zip_path" "${files[@]}")

# The archive read back: every entry there, the examples byte for byte.
python3 - "$zip_path" "$root/examples" "${files[@]}" <<'PY'
import os, sys, zipfile
path, examples, names = sys.argv[1], sys.argv[2], sys.argv[3:]
with zipfile.ZipFile(path) as z:
    listed = [i.filename for i in z.infolist()]
    if listed != names:
        sys.exit(f"package: the archive holds {listed}, not {names}")
    for name in names:
        if name.startswith("caravan_"):
            if z.read(name) != open(os.path.join(examples, name), "rb").read():
                sys.exit(f"package: {name} in the archive differs from examples/{name}")
    print(f"package: {path}")
    print(f"  {'size':>9}  {'date (UTC)':<19}  name")
    for i in z.infolist():
        print(f"  {i.file_size:>9}  {'%04d-%02d-%02d %02d:%02d:%02d' % i.date_time}  {i.filename}")
print(f"  {os.path.getsize(path)} bytes in all")
PY

# The checksum line as sha256sum writes it, with the bare file name, so that
# `sha256sum -c` works in the folder of the download.
(cd "$dist" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "package: $zip_path.sha256"
echo "  $(cat "$zip_path.sha256")"
