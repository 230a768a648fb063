#!/usr/bin/env bash
# The main window's editor driven from outside with the mouse and the keys as a user would (run it
# through tests/e2e/with_x.sh): a double click takes a word, a triple click a line, Shift+click and a drag with
# the button held select across lines, the middle button pastes the selection, a selection dragged
# elsewhere moves there, the keys move by words and lines, and a right click opens the Edit menu
# and nothing else. Where the words are is read off a picture of the window. The editor's text and
# its selection are read as a user would: Copy, and the clipboard read from outside.
# Pictures go to BUILD_DIR/e2e/editor/.
# Usage: tests/e2e/editor_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init editor "$1"
e2e_profile <<REG
[$E2E_KEY\\Preferences]
"ShowInCaption"="3"
"SaveChange"="0"
REG

e2e_window_manager
e2e_start_main
e2e_focus "$main"

# The rows and columns of the window's picture that hold text, below the menu bar.
top=36
picture_of_text() {
  import -window "$main" "$E2E_OUT/text.png"
  read -r W H < <(identify -format '%w %h\n' "$E2E_OUT/text.png")
  convert "$E2E_OUT/text.png" -crop "$((W - 40))x$((H - top - 40))+8+$top" +repage -colorspace gray \
    -threshold 50% -depth 8 gray:"$E2E_OUT/text.gray"
  echo "$((W - 40))"
}
# text_boxes: one line per line of text, "TOP BOTTOM LEFT1 RIGHT1 LEFT2 RIGHT2 ...": its rows and
# its words' columns (in the window), words being ink separated by at least three blank columns.
text_boxes() {
  local width
  width=$(picture_of_text)
  /usr/bin/python3 - "$width" "$E2E_OUT/text.gray" "$top" <<'PY'
import sys
w, path, top = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
data = open(path, "rb").read()
h = len(data) // w
ink = lambda x, y: data[y * w + x] < 128
y = 0
while y < h:
    if not any(ink(x, y) for x in range(w)):
        y += 1
        continue
    start = y
    while y < h and any(ink(x, y) for x in range(w)):
        y += 1
    cols = [any(ink(x, r) for r in range(start, y)) for x in range(w)]
    words, x = [], 0
    while x < w:
        if not cols[x]:
            x += 1
            continue
        left = x
        gap = 0
        while x < w and gap < 3:
            gap = 0 if cols[x] else gap + 1
            x += 1
        words += [left + 8, x - gap - 1 + 8]
    print(start + top, y - 1 + top, *words)
PY
}
# The boxes of the text as it first shows, unselected (a selection's colour would hide its text).
boxes=""
# word LINE WORD: prints "X Y", the middle of the word (both counted from 1) in the window.
word() {
  awk -v l="$1" -v n="$2" 'NR == l {print int(($(2 * n + 1) + $(2 * n + 2)) / 2), int(($1 + $2) / 2)}' <<<"$boxes"
}
# edge LINE WORD SIDE: prints "X Y" just inside the left (L) or right (R) edge of the word.
edge() {
  awk -v l="$1" -v n="$2" -v s="$3" \
    'NR == l {x = s == "L" ? $(2 * n + 1) - 1 : $(2 * n + 2) + 2; print x, int(($1 + $2) / 2)}' <<<"$boxes"
}
at() { e2e_point "$main" "$1" "$2"; }
# A press that starts anew, as a user's after a pause: a press within the double-click time of the
# last click would count as its second or third click. This pause shapes the input; no result
# waits on it.
pause_between_clicks() { sleep 0.5; }
click() { pause_between_clicks; at "$1" "$2"; xdotool click "${3:-1}"; e2e_settle; }
# clicks N: N clicks of the left button in a row, as one double or triple click.
clicks() { pause_between_clicks; xdotool click --repeat "$1" --delay 80 1; e2e_settle; }
# selection: the text the editor has selected, copied and read from the clipboard (line breaks as
# the clipboard has them, CR LF, shown here as LF), and a "|" after it, so that a final line break
# shows.
selection() {
  e2e_copy ctrl+c | tr -d '\r'
  echo "|"
}
expect() {
  [ "$2" = "$3" ] || e2e_fail "$1: got \"$2\", not \"$3\""
}

e2e_clip_set "один два три
четыре пять шесть
семь восемь"
e2e_keys ctrl+v
boxes=$(text_boxes)
[ "$(wc -l <<<"$boxes")" = 3 ] || e2e_fail "the pasted text does not show as three lines: $boxes"

# A double click takes the word under it.
read -r x y < <(word 2 2)
at "$x" "$y"
clicks 2
expect "double click" "$(selection)" "пять|"

# A click, then Shift+click, selects from the one to the other across the line break.
read -r x y < <(edge 2 3 L)
click "$x" "$y"
read -r x y < <(edge 3 1 R)
at "$x" "$y"
pause_between_clicks
xdotool keydown shift click 1 keyup shift
e2e_settle
expect "Shift+click" "$(selection)" "шесть
семь|"
e2e_shot 1_shift_click

# Held down and dragged, the button selects what it passes over.
read -r x y < <(edge 1 2 L)
at "$x" "$y"
pause_between_clicks
xdotool mousedown 1
read -r x y < <(edge 1 3 R)
for step in 1 2 3 4; do at "$(( x - (4 - step) * 10 ))" "$y"; done
xdotool mouseup 1
e2e_settle
expect "drag" "$(selection)" "два три|"

# The middle button pastes the selection where it is clicked.
read -r x y < <(edge 3 2 R)
click "$((x + 6))" "$y" 2
e2e_keys ctrl+a
expect "middle button" "$(selection)" "один два три
четыре пять шесть
семь восемьдва три|"

# A triple click takes the whole line with its line break.
read -r x y < <(word 2 1)
at "$x" "$y"
clicks 3
expect "triple click" "$(selection)" "четыре пять шесть
|"

# The selected word dragged to the end of the first line goes there.
read -r x y < <(word 2 2)
at "$x" "$y"
clicks 2
at "$x" "$y"
pause_between_clicks
xdotool mousedown 1
read -r tx ty < <(edge 1 3 R)
for step in 1 2 3 4 5 6; do at "$(( x + (tx + 4 - x) * step / 6 ))" "$(( y + (ty - y) * step / 6 ))"; done
xdotool mouseup 1
e2e_settle
e2e_keys ctrl+a
expect "drag and drop" "$(selection)" "один два трипять
четыре  шесть
семь восемьдва три|"
e2e_shot 2_moved

# Keys: Ctrl+Home, Ctrl+Right twice, Shift+End takes the rest of the line; Shift+Down the next.
e2e_keys ctrl+Home ctrl+Right ctrl+Right shift+End
expect "Ctrl+Right and Shift+End" "$(selection)" "трипять|"
e2e_keys Home shift+Down shift+Down
expect "Shift+Down" "$(selection)" "один два трипять
четыре  шесть
|"

# A right click opens the Edit menu and no other.
read -r x y < <(word 1 1)
click "$x" "$y" 3
# The program's windows on the screen, leaving out the menu's shadows (a few pixels across): the
# main window and its Edit menu.
windows_shown() {
  local w shown=0
  for w in $(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null); do
    read -r _ _ ww wh < <(e2e_geometry "$w")
    (( ww > 10 && wh > 10 )) && shown=$((shown + 1))
  done
  echo "$shown"
}
menu_shown() { [ "$(windows_shown)" -ge 2 ]; }
e2e_until 60 menu_shown || e2e_fail "a right click showed no menu"
e2e_settle
e2e_shot 3_right_click
[ "$(windows_shown)" = 2 ] || e2e_fail "a right click showed $(( $(windows_shown) - 1 )) menus"
e2e_keys Escape
echo "editor: double, triple, Shift and dragging clicks select, the middle button pastes, text drags, keys move and select, the right button opens the Edit menu"
