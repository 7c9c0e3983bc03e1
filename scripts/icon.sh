#!/usr/bin/env bash
# Remakes src/res/rinban2.ico, the exe's icon: the 16-colour 32 x 32 image
# of src/res/rinban2-16colour.ico for old displays, and 16, 20, 24, 32, 40,
# 48, 64 and 256 px with alpha (the small and big icon at 100 %, 125 %,
# 150 % and 200 %), each drawn for its size by ImageMagick: every member on
# a ring, one line for every pairing. Small sizes have fewer members,
# thicker strokes and no smoothing, so they stay crisp.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
res="$root/src/res"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# size members line-width dot-radius smoothing
draw() {
  local size=$1 members=$2 line=$3 dot=$4 smooth=$5
  local commands
  commands=$(awk -v s="$size" -v n="$members" -v w="$line" -v d="$dot" 'BEGIN {
    pi = atan2(0, -1); c = (s - 1) / 2; r = s * 0.34
    for (i = 0; i < n; i++) {
      a = -pi / 2 + 2 * pi * i / n
      x[i] = c + r * cos(a); y[i] = c + r * sin(a)
      if (s < 32) { x[i] = int(x[i] + 0.5); y[i] = int(y[i] + 0.5) }  # on whole pixels
    }
    printf "fill #000080 stroke #3050c0 stroke-width %g roundrectangle %g,%g %g,%g %g,%g ",
      (s >= 48 ? s / 48 : 0), 0, 0, s - 1, s - 1, s / 6, s / 6
    printf "fill none stroke #00ffff stroke-width %g ", w
    for (i = 0; i < n; i++) for (j = i + 1; j < n; j++) printf "line %g,%g %g,%g ", x[i], y[i], x[j], y[j]
    printf "stroke none fill #ffff00 "
    for (i = 0; i < n; i++) printf "circle %g,%g %g,%g ", x[i], y[i], x[i] + d, y[i]
  }')
  local antialias=+antialias
  [ "$smooth" = yes ] && antialias=-antialias
  convert -size "${size}x$size" xc:none $antialias -draw "$commands" "PNG32:$work/$size.png"
}

draw 16 5 1 1.5 no
draw 20 5 1 1.7 no
draw 24 5 1 2.2 no
draw 32 6 1 2.6 yes
draw 40 6 1.25 3.2 yes
draw 48 7 1.5 3.8 yes
draw 64 7 2 5 yes
draw 256 7 9 24 yes
convert "$work"/{16,20,24,32,40,48,64,256}.png "$work/alpha.ico"

# One icon file: the 16-colour image first, then the new ones.
/usr/bin/python3 - "$res/rinban2-16colour.ico" "$work/alpha.ico" "$res/rinban2.ico" <<'EOF'
import struct, sys

def images(path):
    data = open(path, "rb").read()
    count = struct.unpack_from("<HHH", data)[2]
    for i in range(count):
        entry = data[6 + 16 * i: 22 + 16 * i]
        size, offset = struct.unpack_from("<II", entry, 8)
        yield entry[:8], data[offset:offset + size]

found = list(images(sys.argv[1])) + list(images(sys.argv[2]))
out = bytearray(struct.pack("<HHH", 0, 1, len(found)))
offset = 6 + 16 * len(found)
for head, body in found:
    out += head + struct.pack("<II", len(body), offset)
    offset += len(body)
for _, body in found:
    out += body
open(sys.argv[3], "wb").write(out)
EOF
identify "$res/rinban2.ico"
