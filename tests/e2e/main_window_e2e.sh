#!/usr/bin/env bash
# The main window driven from outside as a user would, under an X server with a window manager
# (tests/e2e/with_x.sh): typing, Cyrillic pasted from another program, a conversion chosen from
# the Decode menu by mouse and another by keyboard, a long conversion with its progress window, the
# conversion undone, text copied by another program converted by the clipboard watch, and the
# program closed through its save and exit questions. The editor's text is read as a user would
# read it: select all, copy, and look at the clipboard. Then a picture of the main window in each
# drawing style the profile chooses, both toolbars shown and a menu open.
# Pictures go to BUILD_DIR/e2e/main_window/.
# Usage: tests/e2e/main_window_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init main_window "$1"

# The profile: the given lines under Preferences, both toolbars shown with every item of the stored
# toolbar layout.
profile() {
  local key="$E2E_KEY\\Preferences\\ToolBars" i
  {
    echo "[$E2E_KEY\\Preferences]"
    echo '"ShowInCaption"="3"'
    echo '"ToolBarStandart"="1"'
    echo '"ToolBarDecode"="1"'
    cat
    echo "[$key\\Standart]"
    for i in $(seq 0 39); do printf '"%02d"=dword:00000001\n' "$i"; done
    echo "[$key\\Decode]"
    for i in $(seq 0 7); do printf '"%02d"=dword:00000001\n' "$i"; done
  } | e2e_profile
}

# Starts the program and waits for its main window to have the keyboard; sets wid (and main).
start() {
  e2e_start
  wid=$(e2e_wait_window "Brannoch Quillmark 3.0 Preview")
  main=$wid
  e2e_focus "$wid"
}

# conversion_done: waits until the progress window has gone and the main window has the keyboard
# again.
conversion_done() {
  e2e_wait_gone "Перекодирование..." "${1:-60}"
  e2e_wait_focus "$wid"
}

# expect_text WHAT TEXT: the editor holds exactly TEXT.
expect_text() {
  local got
  got=$(e2e_editor_text)
  [ "$got" = "$2" ] || e2e_fail "$1: the editor holds \"${got:0:80}\", not \"${2:0:80}\""
}

# The text as DOS 866 bytes shown in Windows 1251: what a DOS file looks like when opened as a
# Windows one (iconv, not the program, says what that is).
as_866_shown_as_1251() { printf '%s' "$1" | iconv -f UTF-8 -t CP866 | iconv -f CP1251 -t UTF-8; }

# Positions inside the main window's client area (pixels), as the menu bar lays itself out.
decode_menu=(403 11)                 # "Перекодирование" on the menu bar
decode_windows=(417 56)              # its item "Windows 1251"
decode_windows_to_dos=(733 56)       # the sub-menu's "Windows 1251 -> DOS 866"

# Opens the Decode menu by mouse and its "Windows 1251" sub-menu by pointing at it.
open_decode_windows_menu() {
  e2e_click "$wid" "${decode_menu[@]}"
  e2e_wait_over "$wid" "${decode_windows[@]}" "the Decode menu"
  e2e_point "$wid" "${decode_windows[@]}"
  e2e_wait_over "$wid" "${decode_windows_to_dos[@]}" "the Windows 1251 sub-menu"
  e2e_settle
}

e2e_window_manager

# --- Typing, pasting, converting, undoing --------------------------------------------------------
profile <<'REG'
"SaveChange"="1"
"MessageOnExit"="1"
REG
start
e2e_type "Hello, world"
expect_text "typed text" "Hello, world"

# No Ё or ё: the conversion tables leave those two letters as they are.
greeting="Привет, мир! Съешь же еще этих мягких французских булок, да выпей чаю."
e2e_clip_set "$greeting"
e2e_keys ctrl+a ctrl+v
expect_text "Cyrillic text pasted from another program" "$greeting"
e2e_shot 01_pasted

# By mouse: Decode, Windows 1251, Windows 1251 -> DOS 866.
open_decode_windows_menu
e2e_shot 02_decode_menu_by_mouse
e2e_click "$wid" "${decode_windows_to_dos[@]}"
conversion_done
dos=$(as_866_shown_as_1251 "$greeting")
expect_text "Windows 1251 -> DOS 866 chosen by mouse" "$dos"
e2e_shot 03_converted_by_mouse

# By keyboard: Alt, then Right to the Decode menu, Down into it, Right into "DOS 866", and Enter on
# its first item, "DOS 866 -> Windows 1251". The pointer rests over the editor, away from the menus.
xdotool mousemove --window "$wid" 300 400
e2e_keys alt
e2e_keys Right Right Right Right Right Right Right Down
e2e_keys Right
e2e_shot 04_decode_menu_by_keyboard
e2e_keys Return
conversion_done
expect_text "DOS 866 -> Windows 1251 chosen by keyboard" "$greeting"

# Undo of the conversion (Ctrl+F9) brings back the text as it was before it.
e2e_keys ctrl+F9
expect_text "the conversion undone" "$dos"

# A long text (about 6 M characters): the progress
# window shows while it runs, and the whole text is converted.
long="$E2E_OUT/long.txt"
yes "$greeting" | head -n 80000 > "$long" || true
e2e_clip_file "$long"
# The paste of so long a text takes a while: e2e_keys returns once the program has handled it.
e2e_keys ctrl+a ctrl+v
open_decode_windows_menu
# The run lasts a few hundredths of a second: a watch begun before the click sees the progress
# window come up, however briefly.
e2e_watch_shown "Перекодирование..."
xdotool mousemove --window "$wid" "${decode_windows_to_dos[@]}" click 1
e2e_was_shown || e2e_fail "no progress window came up"
e2e_shot 05_progress
conversion_done 60
# The editor separates lines with CR LF, and so does what it copies.
got=$(e2e_editor_text | tr -d '\r')
want=$(as_866_shown_as_1251 "$(cat "$long")")
[ "$got" = "$want" ] || e2e_fail "the long text was not converted in full (${#got} characters read, ${#want} expected)"

# Undo of the edit (Ctrl+Z) steps back through the edit history: before the conversion.
e2e_keys ctrl+z
got=$(e2e_editor_text | tr -d '\r')
[ "$got" = "$(cat "$long")" ] || e2e_fail "Ctrl+Z did not bring back the text before the conversion"

# --- Closing: the save question, then the exit question -------------------------------------------
# Cancel to the save question keeps everything.
e2e_keys alt+F4
question=$(e2e_wait_box)
e2e_shot 06_save_question
e2e_keys Escape
e2e_until 60 e2e_no_window_id "$question" || e2e_fail "Escape left the save question"
e2e_running || e2e_fail "Cancel to the save question ended the program"
[ -z "$(e2e_value WindowState)" ] || e2e_fail "Cancel to the save question stored the window state"

# answer_box KEYS...: waits for a message box, presses KEYS in it and waits until it has gone.
answer_box() {
  local box
  box=$(e2e_wait_box)
  e2e_keys "$@"
  e2e_until 60 e2e_no_window_id "$box" || e2e_fail "the message box stayed after $*"
}

# No to the save question, then No to the exit question: the program goes on, nothing stored.
e2e_focus "$wid"
e2e_keys alt+F4
answer_box Tab space
question=$(e2e_wait_box)
e2e_shot 07_exit_question
e2e_keys Escape                           # a yes/no question takes no Escape: it stays
e2e_no_window_id "$question" && e2e_fail "Escape answered the exit question"
answer_box Tab space
e2e_running || e2e_fail "No to the exit question ended the program"
[ -z "$(e2e_value WindowState)" ] || e2e_fail "No to the exit question stored the window state"

# No to the save question, Yes to the exit question: the program ends and stores its state.
e2e_focus "$wid"
e2e_keys alt+F4
answer_box Tab space
e2e_wait_box >/dev/null
xdotool key --clearmodifiers Return
e2e_wait_exit
[ "$(e2e_value WindowState)" = '"0"' ] || e2e_fail "the window state was not stored on exit"

# --- The clipboard watch converts what another program copies ------------------------------------
profile <<'REG'
"ClipboardDetect"="1"
"DecodeClipboard"="1"
REG
# remembered TEXT: the clipboard watch remembers TEXT as the last clipboard text it saw.
remembered() { [ "$(e2e_value ClipboardText Clipboard)" = "\"$1\"" ]; }
e2e_clip_set "Старый текст"
start
e2e_until 60 remembered "Старый текст" \
  || e2e_fail "the clipboard watch did not take the text on the clipboard at start"
# The watch converts from DOS 866 to Windows 1251 until a conversion command picks another pair.
e2e_clip_set "$dos"
e2e_until 60 remembered "$dos" \
  || e2e_fail "the clipboard watch missed the text another program copied"
e2e_shot 08_clipboard_watch
expect_text "the copied text converted by the clipboard watch" "$greeting"
xdotool key --clearmodifiers alt+F4
e2e_wait_exit

# --- The drawing styles ---------------------------------------------------------------------------
for style in OfficeXP Default System; do
  profile <<REG
"Style"="$style"
REG
  start
  e2e_type "Quillmark"
  open_decode_windows_menu
  e2e_shot "style_$style"
  e2e_keys Escape Escape
  xdotool key --clearmodifiers alt+F4
  e2e_wait_exit
done

echo "main window: typing, pasting, conversions by mouse and keyboard, progress, undo, the clipboard watch and closing work; pictures in $E2E_OUT"
