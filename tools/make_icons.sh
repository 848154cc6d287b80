#!/usr/bin/env bash
# Renders the program icon, data/icons/hicolor/scalable/apps/org.quizloom.Quizloom.svg,
# into the PNG sizes of the hicolor theme beside it. Run it again only after
# changing the drawing; the build and the window use the committed PNGs.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons/hicolor"
svg=scalable/apps/org.quizloom.Quizloom.svg
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" -o "${size}x${size}/apps/org.quizloom.Quizloom.png" "$svg"
done
