#!/usr/bin/env bash
# Makes the splash picture data/files/Splash.spl with ImageMagick (Debian package imagemagick) and
# the DejaVu fonts (fonts-dejavu-core): a 480x280 PNG, kept under the name the program looks for.
# A deep blue gradient with the program's name, a line of sample Cyrillic text shown once garbled
# and once repaired, and the version. Metadata (dates) is left out so the script always writes the
# same bytes. Only a person who changes the picture runs this; the build uses the committed file.
set -euo pipefail
out="$(dirname "$0")/../files/Splash.spl"
fonts=/usr/share/fonts/truetype/dejavu
convert -size 480x280 gradient:'#1d3a6e-#0b1730' \
  -fill '#f2c14e' -draw 'rectangle 0,0 479,5' \
  -fill '#2c5aa0' -draw 'rectangle 0,274 479,279' \
  -font "$fonts/DejaVuSerif-Bold.ttf" -pointsize 40 -fill white -annotate +32+92 'Quillmark' \
  -font "$fonts/DejaVuSans.ttf" -pointsize 15 -fill '#c8d4ea' -annotate +34+122 'Brannoch Quillmark 3.0' \
  -font "$fonts/DejaVuSansMono.ttf" -pointsize 16 -fill '#8a9bbd' -annotate +34+178 'Ïðèâåò, ìèð!' \
  -fill '#f2c14e' -annotate +34+206 '→' \
  -fill white -annotate +62+206 'Привет, мир!' \
  -font "$fonts/DejaVuSans.ttf" -pointsize 12 -fill '#8a9bbd' -annotate +34+252 'Загрузка программы...' \
  -strip -define png:exclude-chunks=date,time -depth 8 "png24:$out"
