#!/usr/bin/env bash
# Times the real Windows exe under Wine on lists of N names and prints a
# table: start-up, generate click, member and round selection, copy, save,
# the longest time the progress bar stood still during generate, peak memory.
#
#   scripts/measure.sh [BUILD_DIR] [N ...]     (defaults: build/e-win, 100 500 1000 2000)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/e-win}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100 500 1000 2000)

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" -j2 --target rinban2 perf_driver >/dev/null

export RINBAN_OWN_DISPLAY=${RINBAN_OWN_DISPLAY:-1}
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
wine_env_up "$PWD/$build"
trap wine_env_down EXIT
wine "$build/perf_driver.exe" "$(winepath -w "$build/rinban2.exe")" "${sizes[@]}"
