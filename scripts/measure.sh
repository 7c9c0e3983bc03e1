#!/usr/bin/env bash
# Times the real Windows exe under Wine on lists of N names and prints a
# table: start-up, generate click, member and round selection, copy, save,
# the longest time the progress bar stood still during generate, peak memory.
#
#   scripts/measure.sh [BUILD_DIR] [N ...]     (defaults: build/win, 100 500 1000 2000)
#
# With --edit first, times the memo's EDIT control alone on the listing of N
# names instead: one WM_SETTEXT in several ways, and the window's slices.
#
#   scripts/measure.sh --edit [BUILD_DIR] [N ...]
#
# RINBAN_XRESOURCES=1 loads an X resource database on the virtual display, as a
# desktop session does. Without one, Wine's X driver rereads ~/.Xdefaults each
# time a font is selected, some microseconds for every line the memo lays out.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=exe
if [ "${1:-}" = --edit ]; then mode=edit; shift; fi
build=${1:-build/win}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100 500 1000 2000)

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" -j2 --target rinban2 perf_driver >/dev/null
build=$(cd "$build" && pwd)

export RINBAN_OWN_DISPLAY=${RINBAN_OWN_DISPLAY:-1}
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
# Set first: a failed start must not leave its virtual display behind.
trap wine_env_down EXIT
wine_env_up "$build"
if [ -n "${RINBAN_XRESOURCES:-}" ] && [ -n "$RINBAN_XVFB_PID" ]; then
  xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf '*customization:\t-color\n')"
fi
if [ "$mode" = edit ]; then
  wine "$build/perf_driver.exe" --edit "${sizes[@]}"
else
  wine "$build/perf_driver.exe" "$(winepath -w "$build/rinban2.exe")" "${sizes[@]}"
fi
