#!/usr/bin/env bash
# Two builds of the same sources, from two folders of different names, give
# the same 64-bit zip byte for byte: no build time, build path or file-system
# order reaches it.
#   reproducible.sh [WORK]   (default build/reproducible)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$src/build/reproducible}
rm -rf "$work"
copy="$work/別の フォルダー/rinban2"
mkdir -p "$copy"
# The copy has no history, so it is given the time the original takes from it.
(cd "$src" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar cf -) | tar xf - -C "$copy"
epoch=$(git -C "$src" log -1 --format=%ct)

build() {  # SOURCE BUILD [VAR=VALUE...]
  local s=$1 b=$2
  shift 2
  cmake -S "$s" -B "$b" -DCMAKE_TOOLCHAIN_FILE="$s/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DRINBAN_GTEST_SOURCE=none >/dev/null
  env "$@" cmake --build "$b" -j"$(nproc)" --target package >/dev/null
}
build "$src" "$work/one"
build "$copy" "$work/two" SOURCE_DATE_EPOCH="$epoch"

zips=("$work"/one/package/*.zip "$work"/two/package/*.zip)
sums=$(for z in "${zips[@]}"; do cut -d' ' -f1 "$z.sha256"; done | sort -u)
if [ "$(wc -l <<<"$sums")" -ne 1 ]; then
  echo "FAIL: two builds of one commit give different zips:" >&2
  sha256sum "${zips[@]}" >&2
  for n in one two; do mkdir -p "$work/unpacked-$n" && (cd "$work/unpacked-$n" && cmake -E tar xf "$work/$n"/package/*.zip); done
  diff -rq "$work/unpacked-one" "$work/unpacked-two" >&2 || true
  exit 1
fi
echo "reproducible: both zips have SHA-256 $sums"
