#!/usr/bin/env bash
# Draws the two pictures of the About dialog with ImageMagick and writes them,
# as JPEG bytes, into src/gui/about/about_pictures.h. Run it again only to change
# the pictures; the build uses the generated header.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A test sheet, 100 x 90: paper on a pale blue desk, five answer lines with
# check boxes, two ticked in green and one crossed in red.
sheet_args=(-size 100x90 xc:'#d8e4f0'
  -fill white -stroke '#7f8fa0' -strokewidth 1 -draw 'rectangle 12,5 87,84'
  -stroke none -fill '#3a4a5a' -draw 'rectangle 20,10 68,12')
for i in 0 1 2 3 4; do
  y=$((22 + i * 12))
  sheet_args+=(-fill white -stroke '#404850' -draw "rectangle 20,$y 27,$((y + 7))"
    -stroke none -fill '#b4bcc4' -draw "rectangle 33,$((y + 3)) 80,$((y + 4))")
done
sheet_args+=(-fill none -strokewidth 2
  -stroke '#1e9a3c' -draw 'polyline 21,26 23,28 28,21'
  -stroke '#1e9a3c' -draw 'polyline 21,62 23,64 28,57'
  -strokewidth 1.5 -stroke '#c8281e' -draw 'line 22,35 26,39' -draw 'line 26,35 22,39')
/usr/bin/convert "${sheet_args[@]}" -strip -sampling-factor 1x1 -quality 92 "$work/sheet.jpg"

# A loom, 90 x 100: two wooden beams, blue warp threads between them, and a
# woven band of orange weft over and under the warp.
loom_args=(-size 90x100 xc:'#f4ead8'
  -stroke none -fill '#6b4423' -draw 'rectangle 0,0 89,9' -draw 'rectangle 0,88 89,99')
for x in $(seq 5 8 85); do
  loom_args+=(-fill '#2f5fa8' -draw "rectangle $x,10 $((x + 2)),87")
done
for row in 0 1 2 3 4 5 6; do
  y=$((52 + row * 5))
  loom_args+=(-fill '#e08a2c' -draw "rectangle 3,$y 88,$((y + 2))")
  for x in $(seq 5 8 85); do
    if [ $(((x / 8 + row) % 2)) -eq 0 ]; then
      loom_args+=(-fill '#2f5fa8' -draw "rectangle $x,$y $((x + 2)),$((y + 2))")
    fi
  done
done
/usr/bin/convert "${loom_args[@]}" -strip -sampling-factor 1x1 -quality 92 "$work/loom.jpg"

emit() {
  local name=$1 file=$2
  echo "inline constexpr unsigned char $name[] = {"
  od -An -v -tx1 "$file" | sed -e 's/ \([0-9a-f][0-9a-f]\)/0x\1,/g' -e 's/^/   /'
  echo "};"
}
{
  echo "#pragma once"
  echo "// The two pictures of the About dialog as JPEG files (made by"
  echo "// tools/make_about_pictures.sh; do not edit by hand)."
  echo
  echo "namespace quizloom::about {"
  echo
  echo "// A test sheet with marks, 100 x 90 pixels."
  emit kSheetJpeg "$work/sheet.jpg"
  echo
  echo "// A loom with a woven band, 90 x 100 pixels."
  emit kLoomJpeg "$work/loom.jpg"
  echo
  echo "} // namespace quizloom::about"
} >src/gui/about/about_pictures.h
cp "$work/sheet.jpg" "$work/loom.jpg" "${PICTURE_PREVIEW_DIR:-$work}/" 2>/dev/null || true
