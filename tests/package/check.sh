#!/usr/bin/env bash
# The release zip of one Windows build tree, as a user gets it.
#   check.sh BUILD unpack    CPack builds the zip; its SHA-256 file is checked
#                            and it is unpacked under BUILD/package-test, in a
#                            folder whose name holds Japanese and a space.
#   check.sh BUILD contents  the unpacked folder holds what a user needs; the
#                            guide's links all resolve inside it; every text the
#                            guide quotes from the program is one the program
#                            has, and it explains every message; the exe keeps
#                            ASLR, DEP, a stack that holds an outside read of
#                            the memo and a library search that cannot be
#                            planted with a DLL beside it, and its icon every
#                            size Windows draws.
set -euo pipefail
export LC_ALL=C.UTF-8
build=$(cd "$1" && pwd)
mode=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
outer="$build/package-test/配布 テスト"
folder="$outer/$name"
fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }

if [ "$mode" = unpack ]; then
  rm -rf "$build/package" "$build/package-test"
  (cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
  (cd "$build/package" && sha256sum -c "$name.zip.sha256")
  mkdir -p "$outer"
  (cd "$outer" && cmake -E tar xf "$build/package/$name.zip")
  echo "unpacked into $folder"
  exit 0
fi

[ -d "$folder" ] || { echo "FAIL: nothing unpacked at $folder" >&2; exit 1; }
# From the zip itself: the unpacked folder may hold what a run has written.
entries=$(cmake -E tar tf "$build/package/$name.zip" | grep -v '/$' | sed "s|^$name/||" | sort)
for f in rinban2.exe list.txt LICENSE.txt guide/index.html; do
  grep -qxF "$f" <<<"$entries" || fail "the package has no $f"
done
extra=$(grep -vxE 'rinban2\.exe|list\.txt|LICENSE\.txt|guide/.*' <<<"$entries" || true)
[ -z "$extra" ] || fail "files nobody asked for: $extra"
[ "$(cmake -E tar tf "$build/package/$name.zip" | cut -d/ -f1 | sort -u)" = "$name" ] ||
  fail "the zip does not hold one folder named $name"

guide="$folder/guide/index.html"
grep -qi '<meta charset="utf-8">' "$guide" || fail "the guide declares no UTF-8 charset"
home=$(cache RINBAN_HOME_PAGE)
if [ "$home" = "$(sed -n 's/^set(RINBAN_DEFAULT_HOME_PAGE "\(.*\)")$/\1/p' "$src/CMakeLists.txt")" ]; then
  ! grep -qE 'https?://' "$guide" || fail "the guide of a build without a home page names an address"
else
  grep -qF "$home" "$guide" || fail "the guide lacks this build's home page"
fi
for f in list.txt LICENSE.txt; do  # Notepad before Windows 10 1809 knows no other line end
  /usr/bin/python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); sys.exit(d.count(b"\n") != d.count(b"\r\n") or d[-1:] != b"\n")' \
    "$folder/$f" || fail "$f has a line that does not end in CR LF"
done
# Read on a phone too: no page wider than a 360 px screen.
if command -v chromium >/dev/null; then
  /usr/bin/python3 "$src/tests/e2e/browsers.py" --guide "$guide" "$build/package-test" || fail "the guide does not fit"
else
  echo "no chromium: the guide's width is not checked"
fi
while read -r link; do
  case $link in http:* | https:* | mailto:* | '#'*) continue ;; esac
  [ -e "$folder/guide/${link%%#*}" ] || fail "the guide links to $link, which the package lacks"
done < <(grep -oE '(href|src)="[^"]*"' "$guide" | sed -E 's/^[a-z]+="(.*)"$/\1/')

# Program texts: every literal of messages.h; the messages are those between
# the refusals and the status field. The guide marks a message as <samp> (as
# the box shows it: a path for %s, the error box's ".") and a caption of the
# window as <span class="ui">.
literals() { sed -n "$1"'s/^inline constexpr char k[A-Za-z0-9]*\[\] = "\(.*\)";.*$/\1/p' "$src/src/text/messages.h" |
  sed 's/\\"/"/g'; }
mapfile -t texts < <(literals '')
mapfile -t messages < <(literals '/Refusals/,/Status field/')
quoted() { grep -oE "<$1>[^<]*</${2:-$1}>" "$guide" | sed -E 's/^<[^>]*>//; s/<[^>]*>$//' |
  sed 's/&quot;/"/g; s/&lt;/</g; s/&gt;/>/g; s/&amp;/\&/g'; }
matches() {  # text, literal: equal, with any path for %s and an optional "."
  local glob=${2//\*/\\*}
  glob=${glob//\?/\\?}
  glob=${glob//%s/*}
  [[ $1 == $glob || $1 == $glob. ]]
}
mapfile -t samples < <(quoted samp)
for s in "${samples[@]}"; do
  ok=
  for m in "${messages[@]}"; do matches "$s" "$m" && ok=1 && break; done
  [ -n "$ok" ] || fail "the guide quotes a message the program does not have: $s"
done
for m in "${messages[@]}"; do
  ok=
  for s in "${samples[@]}"; do matches "$s" "$m" && ok=1 && break; done
  [ -n "$ok" ] || fail "the guide does not explain the message: $m"
done
while read -r caption; do
  ok=
  for t in "${texts[@]}"; do [ "$caption" = "$t" ] && ok=1 && break; done
  [ -n "$ok" ] || fail "the guide quotes a caption the window does not have: $caption"
done < <(quoted 'span class="ui"' span)

objdump=$(cache CMAKE_OBJDUMP)
headers=$("$objdump" -p "$folder/rinban2.exe")
flags=(DYNAMIC_BASE NX_COMPAT)
grep -qE '^Magic[[:space:]]+020b' <<<"$headers" && flags+=(HIGH_ENTROPY_VA)
for flag in "${flags[@]}"; do
  sed -n '/^DllCharacteristics/,/^[A-Z]/p' <<<"$headers" | grep -qw "$flag" || fail "the exe lacks $flag"
done
grep -qw SetDefaultDllDirectories <<<"$headers" || fail "the exe does not restrict its library search"
# Wine copies another program's read of the memo onto the stack.
reserve=$(sed -n 's/^SizeOfStackReserve[[:space:]]*//p' <<<"$headers")
((16#${reserve:-0} >= 64 << 20)) || fail "the exe reserves only 0x$reserve bytes of stack"
# Loaded before the program runs, so before that restriction: only libraries
# Windows always takes from the system (known DLLs) or, for the common
# controls the manifest asks for, from its side-by-side store.
while read -r dll; do
  case ${dll,,} in
    kernel32.dll | user32.dll | gdi32.dll | comdlg32.dll | msvcrt.dll) ;;
    comctl32.dll) grep -qaF Microsoft.Windows.Common-Controls "$folder/rinban2.exe" ||
                    fail "comctl32 without the manifest that takes it from the system" ;;
    *) fail "the exe imports $dll, which a DLL beside it could replace" ;;
  esac
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

# The icon group: the 16-colour image and every size Windows 10 and 11 draw.
"${objdump%objdump}windres" --input-format=coff --output-format=res -i "$folder/rinban2.exe" \
  -o "$build/package-test/resources.res"
icons=$(/usr/bin/python3 - "$build/package-test/resources.res" <<'EOF'
import struct, sys
data, at, found = open(sys.argv[1], "rb").read(), 0, []
while at < len(data):
    size, header = struct.unpack_from("<II", data, at)
    kind = struct.unpack_from("<HH", data, at + 8)
    if kind == (0xFFFF, 14):  # RT_GROUP_ICON
        body = at + header
        for i in range(struct.unpack_from("<H", data, body + 4)[0]):
            w, h, _, _, _, bits = struct.unpack_from("<BBBBHH", data, body + 6 + 14 * i)
            found.append("%dx%d/%d" % (w or 256, h or 256, bits))
    at = (at + header + size + 3) & ~3
print(" ".join(sorted(found)))
EOF
)
[ "$icons" = "16x16/32 20x20/32 24x24/32 256x256/32 32x32/32 32x32/4 40x40/32 48x48/32 64x64/32" ] || fail "the exe's icon holds $icons"

((fails == 0)) || exit 1
echo "package $name: contents, guide and headers checked"
