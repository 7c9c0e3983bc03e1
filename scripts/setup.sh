#!/usr/bin/env bash
# Installs what the builds and tests need from Debian, only what is missing.
# Names no release: the clang runtime is the one that matches the installed
# clang, whatever its version.
set -euo pipefail

SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
updated=
apt_update() {
  [ -n "$updated" ] && return
  $SUDO apt-get update -qq || { echo "setup: apt-get update failed" >&2; exit 1; }
  updated=1
}
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
# Installs the missing ones of "$@", after checking that the release offers each.
install_missing() {
  local missing=() p
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  ((${#missing[@]})) || return 0
  apt_update
  local absent=()
  for p in "${missing[@]}"; do
    # not grep -q: under pipefail, apt-cache killed by the closed pipe would count as absent
    apt-cache policy "$p" 2>/dev/null | grep 'Candidate: [^(]' >/dev/null || absent+=("$p")
  done
  if ((${#absent[@]})); then
    echo "setup: $(. /etc/os-release 2>/dev/null; echo "${PRETTY_NAME:-this system}") offers no package named: ${absent[*]}" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  local log
  log=$(mktemp)
  if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >"$log" 2>&1; then
    echo "setup: apt-get install failed; its last lines:" >&2
    tail -n 15 "$log" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
}

# Builds, tests (git: the package takes its time from the last commit) and
# the Wine recipe. Browsers open table.html as users do,
# with a Japanese interface too (their locale files); mecab-ipadic holds real
# Japanese names; fonttools makes the test font. The dictionaries, Unicode's
# data and uchardet feed the list-encoding measurement (tools/names).
install_missing git cmake make g++ libgtest-dev googletest libbenchmark-dev \
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools \
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 clang \
  wine wine64 fonts-wine xvfb x11-utils xdotool imagemagick fonts-ipafont-gothic locales \
  chromium chromium-l10n firefox-esr firefox-esr-l10n-ja mecab-ipadic python3 python3-fonttools \
  fonts-noto-cjk poppler-utils \
  libhangul-data libchewing3-data opencc unicode-data libuchardet-dev \
  hunspell-vi hunspell-th hunspell-ar hunspell-fr hunspell-de-de hunspell-es hunspell-pt-pt \
  hunspell-pl hunspell-cs hunspell-hu

# The sanitizer and fuzzer runtime of the clang that is installed.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
[ -n "$clang_major" ] || { echo "setup: cannot tell the version of the installed clang" >&2; exit 1; }
install_missing "libclang-rt-$clang_major-dev"

# Wine takes code page 932 from a Japanese locale, and 1252 from a US one.
for loc in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
    $SUDO sed -i "s/^# *$loc.UTF-8/$loc.UTF-8/" /etc/locale.gen
    grep -q "^$loc.UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
done
