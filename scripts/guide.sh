#!/usr/bin/env bash
# Refreshes the guide's screenshots from the program's own headless run
# (scripts/run.sh), the pictures of table.html (the sample list, and its
# first five names) from the files the program writes, and renders the
# guide with headless Chromium:
# build/guide/guide.png (the whole page) and docs/guide.png (its top, for
# the README). Installs Debian's chromium when it is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if ! command -v chromium >/dev/null 2>&1; then
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends chromium >/dev/null
fi

env -u DISPLAY bash scripts/run.sh >/dev/null
for shot in page1 page2 page3 page4 box; do  # no time stamps: same pixels, same file
  convert "build/run/$shot.png" -strip "docs/ja/images/$shot.png"
done

render() {  # html png width height
  local profile
  profile=$(mktemp -d)
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --screenshot="$2" \
    --window-size="$3,$4" "file://$1" >/dev/null 2>&1
  rm -rf "$profile"
}
# The sample list's cross table as the program writes it, with two-digit
# numbers and the points column, opened straight from the file; and the same
# for its first five names, where the bye gets a row and a column.
tables=$root/build/guide/tables
rm -rf "$tables"
for case in table-html table-odd; do
  mkdir -p "$tables/$case"
  cp build/win/rinban2.exe "$tables/$case/"
  printf '[HTMLOption]\r\nTitle=総当り対戦表\r\nNumber=2\r\nPointInt=1\r\n' |
    iconv -f UTF-8 -t CP932 >"$tables/$case/rinban2.INI"
done
cp examples/list.txt "$tables/table-html/"
head -n 5 examples/list.txt >"$tables/table-odd/list.txt"
(
  source scripts/wine-env.sh
  wine_env_up "$root/build/win"
  trap wine_env_down EXIT
  wine build/win/e2e_driver.exe --tables "$(winepath -w "$tables/table-html")" \
    "$(winepath -w "$tables/table-odd")" </dev/null >/dev/null
)
for case in table-html table-odd; do
  /usr/bin/python3 tests/e2e/browsers.py --picture "$tables/$case/table.html" 900 "$tables/$case.png" table
  convert "$tables/$case.png" -strip "docs/ja/images/$case.png"
done
/usr/bin/python3 tests/e2e/browsers.py --picture "$root/docs/ja/index.html" 1000 "$root/build/guide/guide.png"
render "$root/docs/ja/index.html" "$root/docs/guide.png" 900 1300
echo "$root/build/guide/guide.png"
echo "$root/docs/guide.png"
