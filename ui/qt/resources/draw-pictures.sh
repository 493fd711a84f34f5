#!/usr/bin/env bash
# Draws the tool's icon and the chip picture of the About popup with
# ImageMagick. The PNGs are kept in the repository; run this after a change.
set -euo pipefail
cd "$(dirname "$0")"

# Drawn at four times the size and scaled down, for smooth edges.
convert -size 512x512 xc:none \
  -fill '#1f4e79' -draw 'roundrectangle 16,16 495,495 84,84' \
  -fill none -stroke '#9cc3e6' -strokewidth 10 -draw 'line 64,400 448,400' \
  -stroke white -strokewidth 34 \
  -draw 'stroke-linejoin round stroke-linecap round polyline 72,336 136,336 136,168 240,168 240,336 344,336 344,168 440,168' \
  -stroke none -fill '#f2a900' -draw 'circle 440,168 440,196' \
  -resize 128x128 PNG32:icon.png

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
