#!/usr/bin/env bash
# Drives the real program under an X server (tests/e2e/with_x.sh) through Replace All on a document
# of some 2 MB, pasted through the clipboard: first a word that stands on one line in a thousand, in
# either case, then one letter that stands everywhere, in either case. Each time the replace
# window's Replace All is pressed, its question answered Yes and its count closed; the editor's text
# is then read back through Copy and is the document with every match replaced, and one Undo
# (Ctrl+Z) gives the document back as it was. Pictures go to BUILD/e2e/replace_all/.
# Usage: tests/e2e/replace_all_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/search_lib.sh"
e2e_init replace_all "$1"
e2e_profile <<'REG'
"ShowInCaption"="3"
REG

# The document, and what each Replace All makes of it: lines of one sentence, every 1024th ending in
# "Квас." or "КВАС." instead of "чаю.". Worked on as bytes: each Cyrillic letter is two of them.
DOCUMENT="$E2E_PROFILE/document.txt"
LC_ALL=C awk 'BEGIN {
  for (k = 1; k <= 36000; ++k) {
    ending = "чаю."
    if (k % 1024 == 0) ending = (k % 2048 == 0) ? "Квас." : "КВАС."
    printf "Съешь же ещё этих мягких французских булок, да выпей %s\n", ending
  }
}' > "$DOCUMENT"
WORD="$E2E_PROFILE/word.txt"
LC_ALL=C sed 's/Квас\.$/клюквенный морс./; s/КВАС\.$/клюквенный морс./' "$DOCUMENT" > "$WORD"
LETTER="$E2E_PROFILE/letter.txt"
LC_ALL=C sed 's/е/ё/g; s/Е/ё/g' "$DOCUMENT" > "$LETTER"
# The editor has no line break after the last line: the document as the editor shows it.
truncate -s -1 "$DOCUMENT" "$WORD" "$LETTER"

# The editor's whole text, selected and copied, with its line breaks as LF, into file $1.
editor_text_to() { e2e_editor_text | tr -d '\r' > "$1"; }
to_main() { e2e_focus "$main"; }

# Replace All of WHAT by WITH from the start of the document, answered (pictures NAME_...); the
# replace window closed.
replace_all() {
  replace_all_answered "$@"
  e2e_focus "$replace"
  e2e_keys Escape
  e2e_wait_gone "Найти и заменить"
}

# Checks that the editor holds file $1 (what $2 says it is).
expect_text() {
  to_main
  editor_text_to "$E2E_PROFILE/editor.txt"
  cmp -s "$E2E_PROFILE/editor.txt" "$1" || e2e_fail "the editor does not hold $2"
}

e2e_window_manager
e2e_start_main
to_main
e2e_clip_file "$DOCUMENT"
e2e_keys shift+Insert
expect_text "$DOCUMENT" "the pasted document"

replace_all "квас." "клюквенный морс." 1_word
e2e_shot 2_word_replaced
expect_text "$WORD" "the document with the word replaced in both cases"
to_main
e2e_keys ctrl+z
expect_text "$DOCUMENT" "the document again after one Undo of the word"

replace_all "е" "ё" 3_letter
e2e_shot 4_letter_replaced
expect_text "$LETTER" "the document with every letter replaced in both cases"
to_main
e2e_keys ctrl+z
expect_text "$DOCUMENT" "the document again after one Undo of the letter"
echo "replace_all: a word in a thousand lines and a letter everywhere were replaced, each taken back by one Undo"
