#!/usr/bin/env bash
# Makes the program's icon in the icon theme's sizes (data/desktop/icons/hicolor/...), which the
# desktop entry names: Tango's accessories-text-editor (public domain), the picture the about window
# shows too. The theme's hand-drawn PNGs where Tango has the size, renderings of its scalable
# picture for the larger ones, and the scalable picture itself.
#
# Needs Debian's tango-icon-theme and librsvg2-bin (rsvg-convert). Only a person who changes the
# icon runs this; the build installs the files committed beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tango=/usr/share/icons/Tango
name=accessories-text-editor
out="$here/icons/hicolor"
rm -rf "$out"
for size in 16 22 24 32; do
  mkdir -p "$out/${size}x${size}/apps"
  cp "$tango/${size}x${size}/apps/$name.png" "$out/${size}x${size}/apps/quillmark.png"
done
for size in 48 64 128 256; do
  mkdir -p "$out/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$tango/scalable/apps/$name.svg" -o "$out/${size}x${size}/apps/quillmark.png"
done
mkdir -p "$out/scalable/apps"
cp "$tango/scalable/apps/$name.svg" "$out/scalable/apps/quillmark.svg"
