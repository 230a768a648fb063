#!/usr/bin/env bash
# Drives the real program under an X server (tests/e2e/with_x.sh): a text typed into the editor,
# Ctrl+P shows the print confirmation with the stored settings, its Print button sends the
# document to the PDF printer on A5 paper, and the confirmation's "do not show" box, ticked before
# Close, makes the next Ctrl+P print at once. Pictures go to BUILD/e2e/print/.
# Usage: tests/e2e/print_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init print "$1"
e2e_profile <<REG
[$E2E_KEY\\Preferences]
"ShowInCaption"="3"
"PrinterName"="PDF"
"PrintQuality"="vbPRPQHigh"
"ColorMode"="vbPRCMMonochrome"
"Orientation"="vbPRORPortrait"
"PaperSize"="A5 148 x 210 мм"
"Copies"="1"
"PositionLeft"="20"
"PositionTop"="5"
"PositionWidth"="5"
"PositionHeight"="5"
[$E2E_KEY\\Preferences\\Dialogs]
"Printing"=dword:00000001
REG

# The PDF printer writes into the documents folder of the program's home.
export HOME="$E2E_PROFILE/home"
mkdir -p "$HOME/Documents"
PDF="$HOME/Documents/Quillmark.pdf"
pdf_written() { [ -s "$PDF" ] && pdfinfo "$PDF" >/dev/null 2>&1; }

e2e_window_manager
e2e_start_main
e2e_focus "$main"
e2e_click "$main" 400 300
e2e_type "Printed from the program"
e2e_shot 0_typed

e2e_keys ctrl+p
confirm=$(e2e_wait_active "Печать документа")
e2e_shot_window "$confirm" 1_confirmation
e2e_keys Return
e2e_wait_gone "Печать документа"
e2e_until 60 pdf_written || e2e_fail "Print wrote no PDF"
pdftotext "$PDF" - | grep -q "Printed from the program" || e2e_fail "the printed page lacks the text"
pdfinfo "$PDF" | grep -q "Page size:.*(A5)" || e2e_fail "the page is not A5: $(pdfinfo "$PDF" | grep 'Page size')"
[ "$(e2e_value Printing 'Preferences\Dialogs')" = "dword:00000001" ] || e2e_fail "Print changed the switch"
# The program says which file it wrote.
box=$(e2e_wait_box)
e2e_shot_window "$box" 1_file_written
e2e_focus "$box"
e2e_keys Return
e2e_until 60 e2e_no_window_id "$box" || e2e_fail "the message box stayed"
e2e_focus "$main"

# "Не показывать больше это сообщение" ticked, then Close (both at fixed places of the window).
rm -f "$PDF"
e2e_keys ctrl+p
confirm=$(e2e_wait_active "Печать документа")
e2e_click "$confirm" 20 256
e2e_until 60 test "$(e2e_value Printing 'Preferences\Dialogs')" = "dword:00000000" || e2e_fail "the box did not switch the window off"
e2e_shot_window "$confirm" 2_switched_off
e2e_click "$confirm" 320 295
e2e_wait_gone "Печать документа"
[ ! -e "$PDF" ] || e2e_fail "Close printed"

e2e_focus "$main"
e2e_keys ctrl+p
e2e_until 60 pdf_written || e2e_fail "with the window switched off Ctrl+P printed nothing"
e2e_window_shown "Печать документа" && e2e_fail "the confirmation came back"
e2e_shot 3_printed_at_once
echo "print: the confirmation printed to PDF, and switched off it let Ctrl+P print at once"
