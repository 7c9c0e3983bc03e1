#!/usr/bin/env bash
# Turns the BMP screenshots in each given folder into PNG files beside them
# (ImageMagick's convert), keeping the BMP when convert is missing or fails.
set -uo pipefail
if ! command -v convert >/dev/null 2>&1; then
  echo "screenshots: convert not found, keeping BMP files"
  exit 0
fi
for dir in "$@"; do
  for bmp in "$dir"/*.bmp; do
    [ -f "$bmp" ] || continue
    png=${bmp%.bmp}.png
    if convert "$bmp" "$png" 2>/dev/null; then
      rm -f "$bmp"
      echo "$png"
    else
      echo "screenshots: could not convert $bmp" >&2
    fi
  done
done
exit 0
