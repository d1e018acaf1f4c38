#!/usr/bin/env bash
# Draws the PNG sizes of the application icon from icons/tobirae.svg. The PNGs are kept in the
# repository, so only a changed drawing needs this (and librsvg2-bin for rsvg-convert).
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert --width "$size" --height "$size" tobirae.svg --output "${size}x${size}/tobirae.png"
done
