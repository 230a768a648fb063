#!/usr/bin/env bash
# Windows that never freeze, sink or hide their state, driven from outside on the real program
# (run it through tests/e2e/with_x.sh; a window manager and, where pulseaudio is installed, a sound server of
# the script's own are started):
#  1. the press sound switched on with a good wave file, then pointed at files that cannot be
#     played (a header without samples, 5 bytes, an empty file, a folder, a pipe, /dev/zero, 200 MB
#     of nothing): buttons are pressed, and the program answers throughout;
#  2. the find window stays above the main window when the editor is clicked, and minimises and
#     comes back with it;
#  3. a modal window (the print confirmation) destroyed by another program while the program is
#     busy: the main window takes typed text and shortcuts again;
#  4. printing to the PDF printer with no documents folder: the folder the desktop names is made,
#     the PDF lands there and the program says so;
#  5. the settings dialog, the time and date window, the print confirmation and the document
#     properties open centred over the main window (moved away from the middle of the screen), each
#     pictured, and each closed by Esc; the agreement window by Enter;
#  6. the question "save the changes?" of New (Yes and No only) closed by another program, by the
#     window manager and by Esc: it comes back each time and waits for a button, and the typed text
#     is kept;
#  7. the main window destroyed by another program while find is open: the save question's Cancel
#     keeps it, in a new window, and find stays above it when the editor is clicked;
#  8. the progress window of a large open stays above the main window when the editor is clicked.
# Pictures go to BUILD_DIR/e2e/windows/.
# Usage: tests/e2e/windows_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init windows "$1"

SOUNDS="$E2E_PROFILE/sounds"
mkdir -p "$SOUNDS"
cp "$E2E_BUILD/bin/Sounds/ButtonClick.wav" "$SOUNDS/good.wav"
head -c 44 "$SOUNDS/good.wav" > "$SOUNDS/header_only.wav"
head -c 5 "$SOUNDS/good.wav" > "$SOUNDS/five_bytes.wav"
: > "$SOUNDS/empty.wav"
mkdir "$SOUNDS/folder.wav"
mkfifo "$SOUNDS/pipe.wav"
truncate -s 200M "$SOUNDS/large.wav"

# The home folder has no documents folder; the desktop names it "Документы".
export HOME="$E2E_PROFILE/home"
mkdir -p "$HOME"
printf 'XDG_DOCUMENTS_DIR="$HOME/Документы"\n' > "$E2E_PROFILE/user-dirs.dirs"
PDF="$HOME/Документы/Quillmark.pdf"

e2e_profile <<REG
[$E2E_KEY\\Preferences]
"ShowInCaption"="3"
"SaveChange"="1"
"PrinterName"="PDF"
"PaperSize"="A4 210 x 297 мм"
[$E2E_KEY\\Preferences\\Dialogs]
"Printing"=dword:00000001
[$E2E_KEY\\Preferences\\Sounds]
"ButtonMouseClick"="1"
"ButtonMouseClickPath"="$SOUNDS/good.wav"
REG

# A sound server with a sink that plays into nothing, so the sounds take the audio device's road.
if command -v pulseaudio >/dev/null 2>&1; then
  e2e_sound_server
  sound_server=yes
else
  sound_server=no
fi

# The program answers another program: it owns the clipboard (a copy made in it), and the
# clipboard's kinds of data are asked of it (the toolkit's own kinds show it answered, not another
# program). A sound that cannot be played must not hold it: it answers as it does when idle, and a
# program held up for good fails here. How long it took is written to the log.
answers() { timeout 60 xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q "text/plain"; }
expect_answers() {
  local began=$EPOCHREALTIME
  answers || e2e_fail "the program did not answer ($1)"
  echo "answered in $(awk -v a="$began" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }') s: $1" >> "$E2E_OUT/answers.log"
}

# Sets a preference of the Sounds key in the stored settings (the program reads it at every event).
set_sound_path() {
  sed -i "s|^\"ButtonMouseClickPath\"=.*|\"ButtonMouseClickPath\"=\"$1\"|" "$E2E_PROFILE/quillmark/registry.reg"
}

# The centre of a window in screen pixels: "X Y".
centre() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
}
# The window WID is centred over the main window, to a few pixels (the frames differ).
expect_centred() {
  local wx wy mx my
  read -r wx wy <<<"$(centre "$1")"
  read -r mx my <<<"$(centre "$main")"
  (( wx - mx <= 12 && mx - wx <= 12 && wy - my <= 12 && my - wy <= 12 )) \
    || e2e_fail "$2 is centred at $wx,$wy, the main window at $mx,$my"
}

e2e_window_manager
e2e_start_main
e2e_focus "$main"
TEXT="Мама мыла раму. Мама мыла раму. Мама мыла раму."
e2e_clip_set "$TEXT"
e2e_keys shift+Insert
got=$(e2e_editor_text)                    # selects and copies: the program owns the clipboard
[ "$got" = "$TEXT" ] || e2e_fail "the pasted text did not arrive: \"$got\""
e2e_keys ctrl+End
expect_answers "at the start"

# --- 1. Sounds --------------------------------------------------------------------------------
# The find window's Cancel is pressed and let go beside it: the press sound plays, the window stays.
e2e_keys ctrl+f
find=$(e2e_wait_active "Найти")
press_cancel() {
  xdotool mousemove --window "$find" 315 53 mousedown 1 mousemove --window "$find" 150 120 mouseup 1
  e2e_settle
}
expect_answers "before any sound"
for i in 1 2 3; do press_cancel; expect_answers "good sound, press $i"; done
# The sounds took the audio device's road: the program is a client of the sound server.
if [ "$sound_server" = yes ] && command -v pactl >/dev/null 2>&1; then
  pactl list clients 2>/dev/null | grep -q quillmark || e2e_fail "the program never reached the sound server"
fi
for bad in header_only.wav five_bytes.wav empty.wav folder.wav pipe.wav large.wav; do
  set_sound_path "$SOUNDS/$bad"
  for i in 1 2; do press_cancel; expect_answers "$bad, press $i"; done
done
set_sound_path /dev/zero
press_cancel
expect_answers "/dev/zero"
set_sound_path "$SOUNDS/good.wav"
press_cancel
expect_answers "the good sound again"
e2e_window_shown "Найти" || e2e_fail "pressing beside Cancel closed the find window"
e2e_shot 1_sounds_pressed

# --- 2. The find window stays above the main window --------------------------------------------
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'; }
# True when window A stands above window B in the window manager's stacking order.
above() {
  local a b w i=0 pa=-1 pb=-1
  a=$(printf '0x%x' "$1"); b=$(printf '0x%x' "$2")
  for w in $(stacking); do
    [ "$((w))" = "$((a))" ] && pa=$i
    [ "$((w))" = "$((b))" ] && pb=$i
    i=$((i + 1))
  done
  ((pa > pb && pb >= 0))
}
transient=$(xprop -id "$find" WM_TRANSIENT_FOR | sed -n 's/.*# //p')
[ "$((transient))" = "$main" ] || e2e_fail "the find window is not transient for the main window ($transient)"
e2e_click "$main" 400 300
e2e_settle_wm
above "$find" "$main" || e2e_fail "the find window sank behind the main window: $(stacking)"
e2e_window_shown "Найти" || e2e_fail "the find window went when the editor was clicked"
e2e_shot 2_editor_clicked_find_above
xdotool windowminimize "$main"
e2e_until 60 bash -c "xwininfo -id $find | grep -q IsUnMapped" || e2e_fail "the find window stayed when the main window was minimised"
xdotool windowactivate "$main" >/dev/null 2>&1 || true
e2e_until 60 bash -c "xwininfo -id $find | grep -q IsViewable" || e2e_fail "the find window did not come back with the main window"
e2e_settle_wm
above "$find" "$main" || e2e_fail "the find window came back behind the main window: $(stacking)"
e2e_focus "$find"
e2e_keys Escape
e2e_wait_gone "Найти"

# --- 3. A modal window destroyed by another program --------------------------------------------
# The program is busy (stopped) while the window goes, so the window manager gives the keyboard to
# the main window before the program learns of it: the main window is active after, and its
# shortcuts work (Ctrl+P below).
xdotool windowmove --sync "$main" 20 20
e2e_settle_wm
e2e_focus "$main"
e2e_keys ctrl+p
confirm=$(e2e_wait_active "Печать документа")
kill -STOP "$E2E_PID"
xdotool windowclose "$confirm"
xdotool windowactivate --sync "$main"
kill -CONT "$E2E_PID"
e2e_wait_gone "Печать документа"
e2e_wait_focus "$main"
e2e_keys ctrl+End
e2e_type " typed"
expect_answers "after the print confirmation was destroyed"
got=$(e2e_editor_text)
[ "$got" = "$TEXT typed" ] || e2e_fail "typing after the destroyed window gave \"$got\""
[ ! -e "$PDF" ] || e2e_fail "the destroyed confirmation printed"
e2e_shot 3_typed_after_destroyed_window

# --- 4. Printing to PDF with no documents folder -----------------------------------------------
[ ! -e "$HOME/Документы" ] || e2e_fail "the documents folder exists before printing"
e2e_keys ctrl+Home
e2e_keys ctrl+p
confirm=$(e2e_wait_active "Печать документа")
expect_centred "$confirm" "the print confirmation"
e2e_shot 4_print_confirmation
e2e_shot_window "$confirm" 4_print_confirmation_window
e2e_focus "$confirm"
e2e_keys Return
e2e_wait_gone "Печать документа"
e2e_until 60 test -s "$PDF" || e2e_fail "no PDF in the documents folder the desktop names"
box=$(e2e_wait_box)
e2e_shot 5_pdf_written_said
e2e_focus "$box"
e2e_keys Return
pdftotext "$PDF" - | grep -q "Мама мыла раму" || e2e_fail "the PDF lacks the text"

# --- 5. Placement, Esc and Enter ----------------------------------------------------------------
# check_window TITLE NAME PICTURE KEY: the window TITLE comes up centred over the main window, is
# pictured, and goes when KEY is pressed in it.
check_window() {
  local id
  id=$(e2e_wait_active "$1")
  expect_centred "$id" "$2"
  e2e_shot "$3"
  e2e_focus "$id"
  e2e_keys "$4"
  e2e_wait_gone "$1"
  e2e_focus "$main"
}
e2e_focus "$main"
e2e_keys ctrl+q
check_window "Параметры программы" "the settings dialog" 6_settings Escape
e2e_click "$main" 213 12                  # "Вставка", then its first item
e2e_keys Down Return
check_window "Время и дата" "the time and date window" 7_time_and_date Escape
e2e_click "$main" 12 12                   # "Файл", then its item before the last
e2e_keys Up Up Return
check_window "Свойства документа" "the document properties" 8_document_properties Escape
e2e_keys ctrl+p
check_window "Печать документа" "the print confirmation" 9_print_confirmation_again Escape
e2e_click "$main" 492 12                  # "Справка", then its first item
e2e_keys Down Return
# The agreement's text has the keyboard: Enter presses its OK.
check_window "Лицензионное соглашение" "the agreement" 10_license Return

# --- 6. A question without Cancel is answered only by its buttons -------------------------------
e2e_focus "$main"
before=$(e2e_editor_text)
e2e_keys ctrl+End
e2e_type " more"
e2e_keys ctrl+n
question=$(e2e_wait_box)
xdotool windowclose "$question"
# other_window A B: a shown window of the program's title that is neither A nor B.
other_window() {
  local w
  for w in $(xdotool search --onlyvisible --name "Brannoch Quillmark 3.0 Preview" 2>/dev/null); do
    [ "$w" != "$1" ] && [ "$w" != "$2" ] && { echo "$w"; return 0; }
  done
  return 1
}
# The question comes back in a new window.
e2e_until 60 other_window "$main" "$question" >/dev/null \
  || e2e_fail "the save question destroyed from outside did not come back"
question=$(other_window "$main" "$question")
e2e_close "$question"
e2e_focus "$question"
e2e_keys Escape
xwininfo -id "$question" | grep -q IsViewable || e2e_fail "the save question went without an answer"
e2e_shot 11_save_question_stays
e2e_keys Return                           # Yes: the save dialog, which is cancelled
e2e_wait_window "Сохранение документа" >/dev/null
e2e_keys Escape
e2e_wait_gone "Сохранение документа"
e2e_focus "$main"
got=$(e2e_editor_text)
[ "$got" = "$before more" ] || e2e_fail "the text after the save question was closed from outside: \"$got\""

# --- 7. The main window destroyed from outside and kept ------------------------------------------
e2e_focus "$main"
e2e_keys ctrl+f
find=$(e2e_wait_active "Найти")
xdotool windowclose "$main"
question=$(e2e_wait_box)                  # save the changes? Cancel keeps the program
e2e_focus "$question"
e2e_keys Escape
e2e_until 60 other_window "$main" "$question" >/dev/null \
  || e2e_fail "the main window did not come back after Cancel"
main=$(other_window "$main" "$question")
e2e_click "$main" 400 300
e2e_settle_wm
above "$find" "$main" || e2e_fail "find sank behind the main window made anew: $(stacking)"
e2e_shot 12_find_above_main_made_anew
e2e_focus "$find"
e2e_keys Escape
e2e_wait_gone "Найти"
e2e_focus "$main"

# --- 8. The open progress window stays above the main window ------------------------------------
LARGE="$E2E_PROFILE/large.txt"
head -c 150M < <(yes "Мама мыла раму. Мама мыла раму. Мама мыла раму. Мама мыла раму. Мама мыла раму.") > "$LARGE"
e2e_keys ctrl+o
question=$(e2e_wait_box)                  # the changed document: No, it is not saved
e2e_focus "$question"
e2e_keys Tab space
open=$(e2e_wait_window "Открытие документа")
e2e_focus "$open"
e2e_type "$LARGE"
xdotool key Return
progress=$(e2e_wait_window "Загрузка документа")
transient=$(xprop -id "$progress" WM_TRANSIENT_FOR | sed -n 's/.*# //p')
[ "$((transient))" = "$main" ] || e2e_fail "the open progress window is not the main window's own ($transient)"
xdotool mousemove --window "$main" 300 300 click 1
e2e_settle_wm
# (The open may end meanwhile: a window gone from the screen stands nowhere.)
if e2e_window_shown "Загрузка документа"; then
  above "$progress" "$main" || ! e2e_window_shown "Загрузка документа" \
    || e2e_fail "the open progress window sank behind the main window: $(stacking)"
  e2e_shot 13_open_progress_above
fi
e2e_wait_gone "Загрузка документа"
# The keys go to the main window's editor again once the progress window has gone.
e2e_wait_focus "$main"
e2e_keys ctrl+Home
e2e_type "Zq"
e2e_keys ctrl+Home shift+Right shift+Right
got=$(e2e_copy ctrl+c)
[ "$got" = "Zq" ] || e2e_fail "the keys typed after the open did not reach the editor: \"$got\""

expect_answers "at the end"
e2e_running || e2e_fail "the program ended"
echo "windows: sounds that cannot be played froze nothing (sound server: $sound_server), find stayed above the main window, a destroyed modal window let the main window go on, the PDF went to the desktop's documents folder, the windows opened centred and closed by Esc and Enter, the save question without Cancel waited for its answer, find stayed above a main window made anew, and the open progress stayed above"
