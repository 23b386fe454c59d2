#!/bin/sh
# Regenerates every PNG in this folder from its SVG source (needs rsvg-convert).
set -eu
cd "$(dirname "$0")"
rsvg-convert -w 408 -h 44 banner.svg -o banner.png
rsvg-convert -w 54 -h 36 about.svg -o about.png
for size in 16 24; do
    rsvg-convert -w "$size" -h "$size" icon-small.svg -o "icon-$size.png"
done
for size in 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" icon.svg -o "icon-$size.png"
done
