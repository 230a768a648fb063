#!/usr/bin/env bash
# How the dialogs look, on the real program under an X server with a window manager (run it inside
# xvfb-run): a picture of each dialog that holds a disabled control (the replace window while
# nothing matches, the conversion dialog's disabled target,
# the settings dialog's Apply at load, its clipboard options while the watch is off and its sound
# paths, the toolbar dialog's Apply), of go to line, and of each window whose text must fit (the conversion dialog, the Replace All question
# about a word longer than a line and a text taller than the screen, the settings' reset question,
# the long first-start notice), once at the default font and once
# at a large one (fonts at 144 dots per inch, which makes the whole program half as large again).
# What the pictures show is checked too: a disabled button writes in grey with no black, an
# enabled one in black; every message box lies inside the screen (xwininfo); the conversion
# dialog's instruction is not cut. Pictures go to BUILD_DIR/e2e/dialog_looks/<font>/.
# Usage: tests/e2e/dialog_looks_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init dialog_looks "$1"
PICTURES=$E2E_OUT

TITLE="Brannoch Quillmark 3.0 Preview"
# A word longer than any line, then words enough to fill more than a screen.
LONG_WORD=$(printf 'Перекодирование%.0s' $(seq 12))
LONG_TEXT="$LONG_WORD$(printf ' слово%.0s' $(seq 1500))"

# Places inside the windows at the default font, in pixels: the replace window's boxes and buttons,
# the menu entry and item of the settings dialog, its tabs.
REPLACE_FIND_BOX=(190 32)
REPLACE_WITH_BOX=(190 57)
REPLACE_ALL=(335 84)
REPLACE_ALL_BUTTON="88x22+291+73"      # the button itself, for its pixels
REPLACE_CANCEL=(335 141)
MENU_SERVICE=(320 10)
ITEM_SETTINGS=(360 33)
TAB_Y=20
TAB_SAVE_X=250
TAB_SOUNDS_X=505
SETTINGS_CANCEL=(427 420)
SETTINGS_RESET=(50 428)
DECODE_LABEL_LINE_3="110x4+8+41"       # the lower half of the instruction's third line
DECODE_TARGET_DOS="48x14+180+74"       # the disabled target "DOS 866"
SETTINGS_APPLY="80x18+291+411"
SETTINGS_CLIPBOARD_OPTION="330x12+50+243"   # "Автоматически перекодировать ..." while the watch is off
SETTINGS_SOUND_PATH="260x12+186+60"    # the path of a sound that is switched off
MENU_VIEW=(159 10)
MENU_TOOLBARS=(241 55)
MENU_CUSTOMIZE=(395 106)
TOOLBARS_APPLY="80x18+450+372"
TOOLBARS_OK=(398 381)

# at N...: the numbers scaled to the font pass (the whole program grows with the large font).
at() {
  local n out=()
  for n in "$@"; do out+=($(( n * SCALE_TENTHS / 10 ))); done
  echo "${out[@]}"
}
# area WxH+X+Y: a rectangle scaled to the font pass.
area() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$1"
  read -r w h x y <<<"$(at "$w" "$h" "$x" "$y")"
  echo "${w}x${h}+${x}+${y}"
}
click() { local wid=$1; shift; e2e_click "$wid" $(at "$@"); }

# ink PICTURE AREA: how many pixels in the area are dark text (every channel below 60) and grey
# text (grey within 100..150, as the system's grey text colour 128 and its smoothed edges are):
# "DARK GREY".
ink() {
  convert "$1" -crop "$(area "$2")" +repage -depth 8 txt:- |
    sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | awk '
    {
      if ($1 < 60 && $2 < 60 && $3 < 60) dark++
      else if ($1 == $2 && $2 == $3 && $1 >= 100 && $1 <= 150) grey++
    }
    END { printf "%d %d\n", dark, grey }'
}
# disabled_look PICTURE AREA WHAT: the area writes in grey, with nothing black.
disabled_look() {
  local dark grey
  read -r dark grey <<<"$(ink "$1" "$2")"
  ((dark == 0 && grey > 10)) || e2e_fail "$3 does not look disabled (dark $dark, grey $grey)"
}
# enabled_look PICTURE AREA WHAT: the area writes in black.
enabled_look() {
  local dark grey
  read -r dark grey <<<"$(ink "$1" "$2")"
  ((dark > 20)) || e2e_fail "$3 does not look enabled (dark $dark, grey $grey)"
}

# on_screen WID WHAT: the window, frame and all, lies inside the screen.
on_screen() {
  local info x y w h sw sh
  info=$(xwininfo -id "$1")
  x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
  w=$(awk '/Width:/ {print $NF}' <<<"$info")
  h=$(awk '/Height:/ {print $NF}' <<<"$info")
  read -r sw sh <<<"$(xwininfo -root | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w, h}')"
  ((x >= 0 && y >= 0 && x + w <= sw && y + h <= sh)) ||
    e2e_fail "$2 runs off the screen: ${w}x${h} at $x,$y on ${sw}x${sh}"
}

# The message box shown now (the windows of that title other than the main window), once it has
# the keyboard.
message_box() { e2e_wait_box; }

# One pass over the dialogs at a font: NAME, dots per inch of the fonts (empty: the default) and the
# scale the program takes at it, in tenths.
pass() {
  E2E_OUT=$PICTURES/$1
  mkdir -p "$E2E_OUT"
  SCALE_TENTHS=$3
  if [ -n "$2" ]; then export QT_FONT_DPI=$2; else unset QT_FONT_DPI; fi
  main=""
  # Sound files named but switched off: their boxes are disabled with a path in them.
  local sounds="$E2E_KEY\\Preferences\\Sounds" event
  {
    echo '"ShowInCaption"="3"'
    echo '"FirstRun"="1"'
    echo "[$sounds]"
    for event in ButtonMouseMove ButtonMouseClick FormLoad FormUnload KeyDown; do
      echo "\"$event\"=\"0\""
      echo "\"${event}Path\"=\"/usr/share/sounds/$event.wav\""
    done
  } | e2e_profile
  e2e_start

  # The first-start notice: a long text, on the screen.
  local box
  box=$(message_box)
  e2e_shot 1_first_start_notice
  on_screen "$box" "the first-start notice"
  e2e_focus "$box"
  e2e_keys Return
  main=$(e2e_wait_window "$TITLE")
  e2e_focus "$main"
  e2e_clip_set "Начало $LONG_TEXT конец"
  e2e_keys shift+Insert ctrl+Home

  # Replace while nothing matches: its Replace buttons are disabled; once the text is found they
  # are not; Replace All asks about a word longer than its box is wide and a text taller than the
  # screen.
  e2e_keys ctrl+h
  local replace
  replace=$(e2e_wait_active "Найти и заменить")
  e2e_shot_window "$replace" 2_replace_nothing_found
  disabled_look "$E2E_OUT/2_replace_nothing_found.png" "$REPLACE_ALL_BUTTON" "Replace All with nothing to replace"
  e2e_clip_set "$LONG_TEXT"
  click "$replace" "${REPLACE_FIND_BOX[@]}"
  e2e_keys ctrl+a shift+Insert
  e2e_clip_set "x"
  click "$replace" "${REPLACE_WITH_BOX[@]}"
  e2e_keys ctrl+a shift+Insert Return
  e2e_focus "$replace"
  e2e_shot_window "$replace" 3_replace_found
  enabled_look "$E2E_OUT/3_replace_found.png" "$REPLACE_ALL_BUTTON" "Replace All with a match"
  click "$replace" "${REPLACE_ALL[@]}"
  box=$(message_box)
  e2e_shot 4_replace_all_question
  on_screen "$box" "the Replace All question"
  e2e_focus "$box"
  e2e_keys Tab space                      # No (a yes/no question takes no Escape)
  e2e_until 60 e2e_no_window_id "$box" || e2e_fail "No left the Replace All question"
  click "$replace" "${REPLACE_CANCEL[@]}"
  e2e_wait_gone "Найти и заменить"

  # Go to line.
  e2e_focus "$main"
  e2e_keys ctrl+g
  local goto
  goto=$(e2e_wait_active "Перейти")
  e2e_shot_window "$goto" 5_go_to
  e2e_focus "$goto"
  e2e_keys alt+F4
  e2e_wait_gone "Перейти"

  # The conversion dialog: its target DOS 866 disabled, its instruction whole.
  e2e_focus "$main"
  e2e_keys F9
  local decode
  decode=$(e2e_wait_active "Перекодирование")
  e2e_shot_window "$decode" 6_conversion_dialog
  enabled_look "$E2E_OUT/6_conversion_dialog.png" "$DECODE_LABEL_LINE_3" "the instruction's third line"
  disabled_look "$E2E_OUT/6_conversion_dialog.png" "$DECODE_TARGET_DOS" "the target the source takes"
  e2e_focus "$decode"
  e2e_keys alt+F4
  e2e_wait_gone "Перекодирование"

  # The settings dialog: Apply disabled at load, the clipboard options while the watch is off, the
  # backup folder, the sound paths.
  e2e_focus "$main"
  click "$main" "${MENU_SERVICE[@]}"
  click "$main" "${ITEM_SETTINGS[@]}"
  local settings
  settings=$(e2e_wait_active "Параметры программы")
  e2e_shot_window "$settings" 7_settings_general
  disabled_look "$E2E_OUT/7_settings_general.png" "$SETTINGS_APPLY" "Apply at load"
  disabled_look "$E2E_OUT/7_settings_general.png" "$SETTINGS_CLIPBOARD_OPTION" "a clipboard option while the watch is off"
  click "$settings" "$TAB_SAVE_X" "$TAB_Y"
  e2e_shot_window "$settings" 8_settings_saving
  click "$settings" "$TAB_SOUNDS_X" "$TAB_Y"
  e2e_shot_window "$settings" 9_settings_sounds
  disabled_look "$E2E_OUT/9_settings_sounds.png" "$SETTINGS_SOUND_PATH" "the path of a sound switched off"
  # The reset question: its words wrap into even lines, inside the screen.
  click "$settings" "${SETTINGS_RESET[@]}"
  box=$(message_box)
  e2e_shot 9b_reset_question
  on_screen "$box" "the reset question"
  e2e_focus "$box"
  e2e_keys Tab space                      # No
  e2e_until 60 e2e_no_window_id "$box" || e2e_fail "No left the reset question"
  e2e_wait_window "Параметры программы" >/dev/null
  click "$settings" "${SETTINGS_CANCEL[@]}"
  e2e_wait_gone "Параметры программы"

  # The toolbar dialog: Apply disabled at load.
  e2e_focus "$main"
  click "$main" "${MENU_VIEW[@]}"
  click "$main" "${MENU_TOOLBARS[@]}"
  click "$main" "${MENU_CUSTOMIZE[@]}"
  local toolbars
  toolbars=$(e2e_wait_active "Настройка панелей инструментов")
  e2e_shot_window "$toolbars" 10_toolbars
  disabled_look "$E2E_OUT/10_toolbars.png" "$TOOLBARS_APPLY" "the toolbar dialog's Apply at load"
  click "$toolbars" "${TOOLBARS_OK[@]}"
  e2e_wait_gone "Настройка панелей инструментов"

  e2e_focus "$main"
  xdotool key --clearmodifiers alt+F4
  e2e_wait_exit
}

e2e_window_manager
pass default_font "" 10
pass large_font 144 15
echo "dialog_looks: every dialog pictured at both fonts, disabled controls grey, message boxes on the screen"
