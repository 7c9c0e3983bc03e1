#!/usr/bin/env bash
# Builds UTF-8 locales into a folder for LOCPATH, so the tests can run Wine
# with code pages the machine has no locale for: scripts/locales.sh DIR NAME...
set -eu
dir=$1
shift
mkdir -p "$dir"
for name in "$@"; do
  [ -d "$dir/$name.UTF-8" ] || localedef -i "$name" -f UTF-8 "$dir/$name.UTF-8"
done
