#!/bin/sh
# Draws the application icon (32 x 32 and 16 x 16) into res/ with ImageMagick.
# The PNGs are committed; run this only to change the design, and keep the scalable icon
# res/io.github.diduzozoz.DiDuzozoz.svg, drawn on the same 32 x 32 grid, in step.
set -eu
cd "$(dirname "$0")/../res"
# A white card with a blue rim, barcode bars, and a red scan line across them.
convert -size 32x32 xc:none \
    -fill '#1f5fbf' -draw 'roundrectangle 0,0 31,31 5,5' \
    -fill white -draw 'roundrectangle 2,2 29,29 4,4' \
    -fill black \
    -draw 'rectangle 6,7 7,24' -draw 'rectangle 9,7 9,24' -draw 'rectangle 11,7 13,24' \
    -draw 'rectangle 15,7 15,24' -draw 'rectangle 17,7 18,24' -draw 'rectangle 20,7 20,24' \
    -draw 'rectangle 22,7 24,24' -draw 'rectangle 25,7 25,24' \
    -fill '#e02020' -draw 'rectangle 4,15 27,16' \
    -strip PNG32:diduzozoz-32.png
convert -size 16x16 xc:none \
    -fill '#1f5fbf' -draw 'roundrectangle 0,0 15,15 3,3' \
    -fill white -draw 'rectangle 1,1 14,14' \
    -fill black \
    -draw 'rectangle 3,3 3,12' -draw 'rectangle 5,3 6,12' -draw 'rectangle 8,3 8,12' \
    -draw 'rectangle 10,3 11,12' -draw 'rectangle 13,3 13,12' \
    -fill '#e02020' -draw 'rectangle 2,7 13,8' \
    -strip PNG32:diduzozoz-16.png
