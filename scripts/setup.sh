#!/usr/bin/env bash
# Installs what the builds and tests need from Debian, only what is missing.
set -euo pipefail

pkgs=(cmake make g++ libgtest-dev googletest libbenchmark-dev
      g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
      g++-mingw-w64-i686-posix binutils-mingw-w64-i686 clang libclang-rt-14-dev
      wine wine64 fonts-wine xvfb x11-utils xdotool imagemagick fonts-ipafont-gothic locales)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes code page 932 from a Japanese locale, which must exist in glibc.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# A code page 1252 locale, for the end-to-end run outside Japanese settings.
if ! locale -a 2>/dev/null | grep -qi '^en_US\.utf-\?8$'; then
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO sed -i 's/^# *en_US.UTF-8/en_US.UTF-8/' /etc/locale.gen
  grep -q '^en_US.UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
