#!/usr/bin/env bash
# Builds the Windows program and runs it on the sample list under Wine, in
# the working folder build/run (list.txt and a copy of the exe; its settings
# file stays there from one run to the next).
#
# With a desktop (DISPLAY set) the window opens and the script waits until it
# is closed. Without one, the program is driven once from outside on a virtual
# display: generate, save table.txt, a screenshot of every page. The folder
# holding the results is printed, with the first lines of the listing.
#
# RINBAN_BUILD_DIR picks another build folder than build/win.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

build="$root/${RINBAN_BUILD_DIR:-build/win}"
run="$root/build/run"
headless=1
[ -n "${DISPLAY:-}" ] && headless=

targets=(rinban2)
[ -n "$headless" ] && targets+=(e2e_driver)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >/dev/null ||
  { echo "run: the build failed; run: cmake --build $build" >&2; exit 1; }

mkdir -p "$run"
cp -f "$build/rinban2.exe" "$run/"
if [ -f examples/list.txt ]; then
  cp -f examples/list.txt "$run/list.txt"
else
  printf '%s\r\n' 山田太郎 鈴木花子 佐藤一郎 田中美咲 Smith | iconv -f UTF-8 -t CP932 >"$run/list.txt"
fi

source scripts/wine-env.sh
if [ -z "$headless" ]; then
  unset RINBAN_OWN_DISPLAY   # the real desktop, not a virtual one
  wine_env_up "$build"
  trap wine_env_down EXIT
  echo "run: rinban 2 is open on your desktop; close its window to finish"
  (cd "$run" && wine ./rinban2.exe)
  echo "run: working folder $run"
  exit 0
fi

rm -f "$run"/table.txt "$run"/page[1-4].bmp "$run"/page[1-4].png "$run"/box.bmp "$run"/box.png
wine_env_up "$build"
trap wine_env_down EXIT
wine "$build/e2e_driver.exe" --demo "$(winepath -w "$run")" </dev/null
wine_env_down
trap - EXIT
bash scripts/screenshots.sh "$run" >/dev/null

echo
echo "First lines of table.txt:"
iconv -f CP932 -t UTF-8 "$run/table.txt" | tr -d '\r' | sed -n '1,12p'
echo
echo "Results (table.txt, page1..4 and box screenshots) in:"
echo "$run"
