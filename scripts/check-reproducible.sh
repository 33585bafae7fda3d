#!/usr/bin/env bash
# Checks that the release zip is reproducible: clones one commit twice, at two
# paths of different lengths, packs each clone with scripts/package.sh (without
# ccache, so that no object built elsewhere stands in) and compares the two
# zips byte for byte. Prints both sha256 lines; exits 1 when they differ and
# keeps the clones then, for a look at what differs.
#
# Usage: scripts/check-reproducible.sh [COMMIT]    (default HEAD; a clone holds
#        commits only, so changes not yet committed are not in it)
set -euo pipefail
cd "$(dirname "$0")/.."
commit="$(git rev-parse --verify "${1:-HEAD}^{commit}")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vesk-reproducible.XXXXXX")"
clones=("$work/a" "$work/a-longer-path/of/a/second/clone")
export CCACHE_DISABLE=1

sums=()
for dir in "${clones[@]}"; do
  mkdir -p "$(dirname "$dir")"
  git clone -q --no-local --no-checkout "$PWD" "$dir"
  git -C "$dir" checkout -q --detach "$commit"
  echo "check-reproducible: packing $commit in $dir"
  if ! (cd "$dir" && scripts/package.sh) >"$dir.log" 2>&1; then
    cat "$dir.log" >&2
    echo "check-reproducible: scripts/package.sh failed in $dir (clones kept in $work)" >&2
    exit 1
  fi
  zip_file="$(ls "$dir"/dist/vesk-*-win64.zip)"
  sums+=("$(sha256sum "$zip_file" | cut -d' ' -f1)")
  echo "  $(cat "$zip_file.sha256")  ($zip_file)"
  # The checksum file names the zip that lies beside it.
  (cd "$dir/dist" && sha256sum -c --quiet "$(basename "$zip_file").sha256")
done

if [ "${sums[0]}" != "${sums[1]}" ]; then
  echo "check-reproducible: the two zips differ (clones kept in $work)" >&2
  exit 1
fi
echo "check-reproducible: both clones give the same zip, sha256 ${sums[0]}"
rm -rf "$work"
