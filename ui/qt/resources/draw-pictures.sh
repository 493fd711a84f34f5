#!/usr/bin/env bash
# Draws the chip picture of the About popup and the rings' arrows with
# ImageMagick. The PNGs are kept in the repository; run this after a change.
# The icon is icon.svg, rendered at every size when building.
set -euo pipefail
cd "$(dirname "$0")"

convert -size 672x288 xc:none \
  -fill '#a0a0a0' \
  -draw 'rectangle 96,8 120,40'  -draw 'rectangle 168,8 192,40'  -draw 'rectangle 240,8 264,40' \
  -draw 'rectangle 312,8 336,40' -draw 'rectangle 384,8 408,40' -draw 'rectangle 456,8 480,40' \
  -draw 'rectangle 528,8 552,40' \
  -draw 'rectangle 96,248 120,280'  -draw 'rectangle 168,248 192,280'  -draw 'rectangle 240,248 264,280' \
  -draw 'rectangle 312,248 336,280' -draw 'rectangle 384,248 408,280' -draw 'rectangle 456,248 480,280' \
  -draw 'rectangle 528,248 552,280' \
  -draw 'rectangle 24,96 56,120' -draw 'rectangle 24,168 56,192' \
  -draw 'rectangle 616,96 648,120' -draw 'rectangle 616,168 648,192' \
  -fill '#2b2b2b' -draw 'roundrectangle 48,32 624,256 20,20' \
  -fill '#5a5a5a' -draw 'circle 92,76 92,90' \
  -fill white -font DejaVu-Sans-Bold -pointsize 96 -gravity center -annotate +12+0 'QV3380' \
  -resize 168x72 PNG32:chip.png

# The drop-down arrow of the coloured rings, enabled and dimmed.
for variant in 'arrow:#505050' 'arrow-dimmed:#a8a8a8'; do
  convert -size 40x24 xc:none -fill "${variant#*:}" -draw 'polygon 2,2 38,2 20,22' \
    -resize 10x6 "PNG32:${variant%%:*}.png"
done
