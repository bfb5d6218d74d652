#!/bin/sh
# Makes docs/pictures-contact-sheet.png from the generated pictures, and two views of them in use
# (docs/pictures-menu.png, docs/pictures-scene.png). Needs ImageMagick.
#   assets/pictures/contact_sheet.sh <build folder>
set -e
build=${1:-build}
here=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build "$build" --target game_pictures kiuas_picture_preview -j2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for f in "$build"/grafiikka/*.pcx; do
    n=$(basename "$f" .pcx)
    size=$(identify -format '%wx%h' "$f")
    bits=$(od -An -tu1 -j65 -N1 "$f" | tr -d ' ')
    [ "$bits" = 1 ] && depth="8-bit" || depth="24-bit"
    # small pictures are blown up without smoothing so their pixels show
    case $n in
        kursori) scale=800% ;;
        ukko|ruisleipa|kinkku|viina|vihta) scale=400% ;;
        *) scale=100% ;;
    esac
    convert "$f" -scale "$scale" "$work/$n.png"
    printf '%s\n' "$work/$n.png" >> "$work/list"
    printf '%s.pcx %s %s\n' "$n" "$size" "$depth" > "$work/$n.label"
done
set --
for n in pohja kursori info loppu paksa laude sivupalkki2 ukko ruisleipa kinkku viina vihta; do
    set -- "$@" -label "$(cat "$work/$n.label")" "$work/$n.png"
done
montage "$@" -tile 4x -geometry '320x240>+8+8' -background '#2a2420' -fill '#f0e0c0' \
    -pointsize 14 -depth 8 "$here/docs/pictures-contact-sheet.png"
"$build"/assets/pictures/kiuas_picture_preview "$build/grafiikka" "$work"
convert "$work/menu.bmp" "$here/docs/pictures-menu.png"
convert "$work/scene.bmp" "$here/docs/pictures-scene.png"
