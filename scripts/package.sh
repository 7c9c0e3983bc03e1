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

# The same commit gives the same zips with these versions; another compiler,
# linker, CMake or zlib (which deflates the zip) may give other bytes.
echo
echo "Built with:"
version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo unknown; }
for arch in x86_64 i686; do
  echo "  $("$arch-w64-mingw32-g++-posix" --version | head -n 1), runtime $(version "mingw-w64-${arch//_/-}-dev")"
  echo "  $("$arch-w64-mingw32-ld" --version | head -n 1)"
done
echo "  $(cmake --version | head -n 1), zlib $(version zlib1g)"

echo
echo "Packages (a .sha256 file beside each):"
printf '%s\n' "${zips[@]}"
default=$(sed -n 's/^set(RINBAN_DEFAULT_HOME_PAGE "\(.*\)")$/\1/p' CMakeLists.txt)
if [ "$(sed -n 's/^RINBAN_HOME_PAGE:[A-Z]*=//p' build/win/CMakeCache.txt)" = "$default" ]; then
  echo "Not for publication: set RINBAN_HOME_PAGE to the real home page (table.html links to $default)."
fi
