#!/usr/bin/env bash
# Draws the program's images with ImageMagick 6:
#   torvi-logo.png  80 x 80 window icon, truecolour without alpha
#   brick.png       32 x 16 brick tile, truecolour without alpha
#   duplink.ico     Windows program-file icon, 128 to 16 px, 32-bit
#   hicolor/duplink-N.png  the same icon sizes for the desktop icon theme
# The logo is a rounded badge: two stations whose radio waves meet in the
# middle, over a small telemetry trace. Run from anywhere; writes next to
# this script. Needs only ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")"

# /usr/local/bin may shadow convert with something else; prefer the real one.
CONVERT=${CONVERT:-/usr/bin/convert}
[ -x "$CONVERT" ] || CONVERT=$(command -v convert)
"$CONVERT" -version | grep -q ImageMagick || { echo "need ImageMagick convert" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# No timestamps or other text chunks, so a rerun gives the same bytes.
png_clean=(-strip -define "png:exclude-chunks=date,time,tEXt,zTXt,iTXt")

# An open arc around (cx, $cy) as a polyline: convert's own arcs and paths
# close themselves when stroked. Arguments: cx radius from-degrees to-degrees.
arc() {
    awk -v cx="$1" -v cy="$cy" -v r="$2" -v a0="$3" -v a1="$4" 'BEGIN {
        printf "polyline"
        for (i = 0; i <= 24; ++i) {
            a = (a0 + (a1 - a0) * i / 24) * atan2(0, -1) / 180
            printf " %.1f,%.1f", cx + r * cos(a), cy + r * sin(a)
        }
    }'
}

# Badge master, 512 x 512 with alpha. $1: output; $2: "full" or "small".
# The small variant has thicker strokes, one wave a side and no trace, so
# that 16 to 24 px icons stay readable.
draw_badge() {
    local out=$1 variant=$2
    local wave dot station waves trace cy
    if [ "$variant" = small ]; then
        wave=44 dot=46 station=104 cy=256
        waves="$(arc "$station" 110 -52 52) $(arc $((512 - station)) 110 128 232)"
        trace=""
    else
        wave=26 dot=30 station=118 cy=230
        waves="$(arc "$station" 68 -50 50) $(arc "$station" 118 -45 45)
               $(arc $((512 - station)) 68 130 230) $(arc $((512 - station)) 118 135 225)"
        trace="polyline 92,404 170,404 196,374 222,434 250,356 278,422 300,404 332,404
               polyline 362,404 420,404"
    fi

    # Rounded badge with a top-lit blue gradient.
    "$CONVERT" -size 512x512 gradient:'#2f7fd6-#0c2f66' "$work/fill.png"
    "$CONVERT" -size 512x512 xc:none -fill white \
        -draw "roundrectangle 12,12 499,499 104,104" "$work/mask.png"
    "$CONVERT" "$work/fill.png" "$work/mask.png" -alpha off \
        -compose CopyOpacity -composite "$work/badge.png"

    # Thin light rim inside the edge.
    "$CONVERT" "$work/badge.png" -fill none -stroke '#9cc8f5' -strokewidth 8 \
        -draw "roundrectangle 28,28 483,483 88,88" "$work/badge.png"

    # Stations and their waves. (convert 6.9 rejects a polyline that follows
    # stroke-linecap directly, hence the stroke-linejoin between them.)
    "$CONVERT" "$work/badge.png" \
        -fill none -stroke white -strokewidth "$wave" \
        -draw "stroke-linecap round stroke-linejoin round $waves" \
        -stroke none -fill white \
        -draw "circle $station,$cy $((station + dot)),$cy" \
        -draw "circle $((512 - station)),$cy $((512 - station - dot)),$cy" \
        "$work/badge.png"

    if [ -n "$trace" ]; then
        # The sweep trace, with its gap after the newest sample.
        "$CONVERT" "$work/badge.png" \
            -fill none -stroke '#5ee08a' -strokewidth 18 \
            -draw "stroke-linecap round stroke-linejoin round $trace" "$work/badge.png"
    fi
    cp "$work/badge.png" "$out"
}

draw_badge "$work/full.png" full
draw_badge "$work/small.png" small

# Window icon: flatten onto white, since the format has no alpha.
"$CONVERT" "$work/full.png" -filter Lanczos -resize 80x80 \
    -background white -alpha remove -alpha off -type TrueColor \
    "${png_clean[@]}" PNG24:torvi-logo.png

# Brick tile: two courses of 16 x 8 bricks, the lower one offset by half a
# brick, so the tile repeats seamlessly. Drawn without antialiasing.
"$CONVERT" -size 32x16 xc:'#d8d2c4' +antialias -stroke none \
    -fill '#a8452c' -draw "rectangle 0,0 14,6" \
    -fill '#b4502f' -draw "rectangle 16,0 30,6" \
    -fill '#b04c2e' -draw "rectangle 0,8 6,14" \
    -fill '#9e3f28' -draw "rectangle 8,8 22,14" \
    -fill '#b04c2e' -draw "rectangle 24,8 31,14" \
    -fill '#c46646' -draw "line 1,1 13,1" -draw "line 17,1 29,1" -draw "line 9,9 21,9" \
    -fill '#c46646' -draw "line 0,9 5,9" -draw "line 25,9 31,9" \
    -alpha off -type TrueColor "${png_clean[@]}" PNG24:brick.png

# Program-file icon, largest first, and the same images for the icon theme;
# each size is resampled from the master, not from the 80 px logo.
mkdir -p hicolor
icons=()
for size in 128 96 64 48 32 24 16; do
    master="$work/full.png"
    [ "$size" -le 24 ] && master="$work/small.png"
    "$CONVERT" "$master" -filter Lanczos -resize "${size}x${size}" \
        -alpha on -type TrueColorAlpha "${png_clean[@]}" "PNG32:$work/icon-$size.png"
    icons+=("$work/icon-$size.png")
    cp "$work/icon-$size.png" "hicolor/duplink-$size.png"
done
"$CONVERT" "${icons[@]}" duplink.ico

echo "wrote torvi-logo.png brick.png duplink.ico hicolor/duplink-*.png"
