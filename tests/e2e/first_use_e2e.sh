#!/usr/bin/env bash
# Printing and sound come with their first use (tests/e2e/with_x.sh): the program starts, shows its
# main window and waits without having loaded its printing module, Qt's print support or the print
# scheduler's library, its sound module or Qt Multimedia; then the press sound of a button plays
# through a sound server of the script's own (its sink's recording holds the sound), and a page
# prints to the PDF printer, each loading its module as it is first used.
# Pictures go to BUILD_DIR/e2e/first_use/.
# Usage: tests/e2e/first_use_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init first_use "$1"
command -v pulseaudio >/dev/null && command -v parec >/dev/null || e2e_fail "pulseaudio and parec are needed"

SOUND="$E2E_PROFILE/press.wav"
cp "$E2E_BUILD/bin/Sounds/ButtonClick.wav" "$SOUND"
export HOME="$E2E_PROFILE/home"
mkdir -p "$HOME/Documents"
PDF="$HOME/Documents/Quillmark.pdf"
e2e_profile <<REG
[$E2E_KEY\\Preferences]
"ShowInCaption"="3"
"PrinterName"="PDF"
"PaperSize"="A5 148 x 210 мм"
"PositionLeft"="20"
"PositionTop"="5"
"PositionWidth"="5"
"PositionHeight"="5"
[$E2E_KEY\\Preferences\\Dialogs]
"Printing"=dword:00000000
[$E2E_KEY\\Preferences\\Sounds]
"ButtonMouseClick"="1"
"ButtonMouseClickPath"="$SOUND"
REG

# What reaches the sound server's sink is recorded from its monitor.
e2e_sound_server

# loaded PATTERN: true when a file the program has mapped matches PATTERN.
loaded() { grep -qE "$1" /proc/"$E2E_PID"/maps; }
PRINTING='quillmark-printing\.so|libQt6PrintSupport|libcups'
SOUNDING='quillmark-sound\.so|libQt6Multimedia|libpulse'

e2e_window_manager
e2e_start_main
e2e_focus "$main"
e2e_type "Printed when asked"
e2e_shot 0_started
loaded "$PRINTING" && e2e_fail "the start loaded printing: $(grep -oE "$PRINTING" /proc/"$E2E_PID"/maps | sort -u | tr '\n' ' ')"
loaded "$SOUNDING" && e2e_fail "the start loaded sound: $(grep -oE "$SOUNDING" /proc/"$E2E_PID"/maps | sort -u | tr '\n' ' ')"

# --- The first sound -------------------------------------------------------------------------------
# The find window's Cancel pressed and let go beside it: the press sound plays, the window stays.
# (Find is there once the document holds text.)
parec --latency-msec=20 -d quiet.monitor --raw --format=s16le --channels=1 --rate=8000 > "$E2E_OUT/heard.raw" 2>/dev/null &
E2E_PIDS+=($!)
e2e_keys ctrl+f
find=$(e2e_wait_active "Найти")
xdotool mousemove --window "$find" 315 53 mousedown 1 mousemove --window "$find" 150 120 mouseup 1
e2e_settle
# heard: the recording holds something other than silence.
heard() { od -An -v -tx1 "$E2E_OUT/heard.raw" 2>/dev/null | grep -qvE '^( 00)*$'; }
e2e_until 60 heard || e2e_fail "no sound reached the sound server"
loaded "$SOUNDING" || e2e_fail "the sound played without the sound module"
loaded "$PRINTING" && e2e_fail "the sound loaded printing"
e2e_close "$find"
e2e_wait_gone "Найти"

# --- The first page --------------------------------------------------------------------------------
e2e_focus "$main"
e2e_keys ctrl+p
pdf_written() { [ -s "$PDF" ] && pdfinfo "$PDF" >/dev/null 2>&1; }
e2e_until 60 pdf_written || e2e_fail "Print wrote no PDF"
cp "$PDF" "$E2E_OUT/printed.pdf"
pdftotext "$PDF" - | grep -q "Printed when asked" || e2e_fail "the printed page lacks the text"
pdfinfo "$PDF" | grep -q "^Pages: *1$" || e2e_fail "the PDF does not hold one page"
loaded "$PRINTING" || e2e_fail "the page printed without the printing module"
box=$(e2e_wait_box)
e2e_shot_window "$box" 1_printed
echo "first_use: the start loaded neither printing nor sound; the first sound played and the first page printed"
