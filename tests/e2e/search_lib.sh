# Shared steps of the scripts that drive the find and replace windows: the places of their boxes
# and buttons (their layouts are fixed), Cyrillic put into a box through the clipboard (xdotool
# cannot type it), and a Replace All run to its end as the user answers it. Source it after lib.sh.

# Places inside the windows, in pixels: the find window's box and Cancel; the replace window's
# boxes and Replace All.
FIND_BOX=(150 32)
FIND_CANCEL=(315 53)
REPLACE_FIND_BOX=(190 32)
REPLACE_WITH_BOX=(190 57)
REPLACE_ALL=(335 84)

# fill_box WID X Y TEXT: puts TEXT into the box at X Y of window WID through the clipboard.
fill_box() {
  e2e_clip_set "$4"
  e2e_click "$1" "$2" "$3"
  e2e_keys ctrl+a shift+Insert
}

# replace_all_answered WHAT WITH NAME: from the start of the document in the main window, Ctrl+H
# opens the replace window, WHAT and WITH fill its boxes and Replace All is pressed; the question
# is answered Yes and the count closed with Enter. Pictures: NAME_window (the replace window),
# NAME_question and NAME_count. The replace window stays open, its id in `replace`.
replace_all_answered() {
  local question count
  e2e_focus "$main"
  e2e_keys ctrl+Home
  e2e_keys ctrl+h
  replace=$(e2e_wait_active "Найти и заменить")
  fill_box "$replace" "${REPLACE_FIND_BOX[@]}" "$1"
  fill_box "$replace" "${REPLACE_WITH_BOX[@]}" "$2"
  e2e_keys Return                     # search from the start: the replace buttons come on
  e2e_focus "$replace"
  e2e_shot_window "$replace" "${3}_window"
  e2e_click "$replace" "${REPLACE_ALL[@]}"
  question=$(e2e_wait_box)
  e2e_shot "${3}_question"
  e2e_keys Return                     # Yes
  e2e_until 60 e2e_no_window_id "$question" || e2e_fail "the question stayed after Yes"
  count=$(e2e_wait_box)
  e2e_shot "${3}_count"
  e2e_keys Return                     # the count
  e2e_until 60 e2e_no_window_id "$count" || e2e_fail "the count stayed after Enter"
}
