#!/usr/bin/env bash
# Renders the SVG sources under resources/ into the PNG files that the
# program compiles in. Run after editing an SVG and commit both; the build
# itself only uses the PNG files. Needs rsvg-convert (librsvg2-bin) and the
# Play font (fonts-play) for the logo's lettering.
set -euo pipefail
cd "$(dirname "$0")/../resources"

render() { # source, target, width, height
    rsvg-convert --width "$3" --height "$4" --output "$2" "$1"
}

for name in open info preferences remove icon_16; do
    render "images/$name.svg" "images/$name.png" 16 16
done
for name in us pl; do
    render "images/$name.svg" "images/$name.png" 16 11
done
for name in checkbox_base checkbox_tick; do
    render "images/$name.svg" "images/$name.png" 13 13
done
render images/combo-arrow.svg images/combo-arrow.png 9 5
render images/openbtn.svg images/openbtn.png 300 45
render images/logo.svg images/logo.png 172 22
for name in product1 product2; do
    render "images/$name.svg" "images/$name.png" 85 67
done

# The crash reporter's window icon, upload arrow and separator line.
render crashreporter/icon.svg crashreporter/icon.png 64 64
render crashreporter/uploading.svg crashreporter/uploading.png 16 16
render crashreporter/hline.svg crashreporter/hline.png 8 2

# The desktop icon in the sizes a Linux desktop asks for.
for size in 16 32 48 64 128 256; do
    source=images/travina.svg
    [ "$size" -le 16 ] && source=images/icon_16.svg
    render "$source" "icons/travina-$size.png" "$size" "$size"
done
