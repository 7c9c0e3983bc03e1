#!/usr/bin/env bash
# Builds the release zips, 64-bit in build/win and 32-bit in build/win32, each
# with its SHA-256 file, checks what they hold and prints where they are.
# RINBAN_HOME_PAGE=URL sets the home page the program and the guide show.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
home=()
[ -n "${RINBAN_HOME_PAGE:-}" ] && home=(-DRINBAN_HOME_PAGE="$RINBAN_HOME_PAGE")

# The 32-bit tree builds the program only (no GoogleTest), so its package
# target, which builds everything first, stays quick.
declare -A extra=([win]="" [win32]="-DRINBAN_GTEST_SOURCE=none")
declare -A toolchain=([win]=x86_64 [win32]=i686)
zips=()
for tree in win win32; do
  build="build/$tree"
  # shellcheck disable=SC2086
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-${toolchain[$tree]}.cmake" \
    -DCMAKE_BUILD_TYPE=Release ${extra[$tree]} "${home[@]}" >/dev/null
  cmake --build "$build" -j"$(nproc)" --target package >/dev/null
  bash tests/package/check.sh "$build" unpack >/dev/null
  bash tests/package/check.sh "$build" contents
  zips+=("$root/$build/package/"*.zip)
done

echo
echo "Packages (a .sha256 file beside each):"
printf '%s\n' "${zips[@]}"
