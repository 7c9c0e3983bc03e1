#!/usr/bin/env bash
# Runs every test: the native core (plain and sanitized) and the Windows
# program under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
jobs=$(nproc)

echo "== native core"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j"$jobs"
ctest --test-dir build/native --output-on-failure -j"$jobs"

echo "== native core under AddressSanitizer and UBSan"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DRINBAN_SANITIZE=ON -DRINBAN_BENCH=OFF >/dev/null
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

echo "== benchmarks (short run)"
for b in build/native/bench_*; do
  if [ -x "$b" ]; then "$b" --benchmark_min_time=0.01 >/dev/null; fi
done

echo "== fuzz targets, ${RINBAN_FUZZ_SECONDS:-15} s each"
bash scripts/fuzz.sh "${RINBAN_FUZZ_SECONDS:-15}"

echo "== 32-bit Windows program and its package (built and checked, not run)"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DRINBAN_GTEST_SOURCE=none >/dev/null
cmake --build build/win32 -j"$jobs" --target package >/dev/null
bash tests/package/check.sh build/win32 unpack >/dev/null
bash tests/package/check.sh build/win32 contents

echo "== the 64-bit package, built twice in two folders, byte for byte the same"
bash tests/package/reproducible.sh

echo "== Windows program under Wine"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j"$jobs"
source scripts/wine-env.sh
wine_env_up "$root/build/win"
trap wine_env_down EXIT
# Windows tests share the display and the clipboard, so they run one at a time.
ctest --test-dir build/win --output-on-failure
