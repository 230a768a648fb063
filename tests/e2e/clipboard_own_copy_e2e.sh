#!/usr/bin/env bash
# The clipboard watch converting and appending (accumulate mode) on the real program with a window
# manager (openbox): text another program (xclip) copies in DOS 866 shown as Windows 1251 comes in
# converted; the user then copies the repaired text out of the editor (Ctrl+A, Ctrl+C), which the
# watch must not take as new text; the next copy by another program is appended once, after the
# first, and nothing else. Pictures go to BUILD/e2e/clipboard_own_copy/.
# Usage (through tests/e2e/with_x.sh): tests/e2e/clipboard_own_copy_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/clipboard_lib.sh"
e2e_init clipboard_own_copy "$1" 150
clip_watch_profile '"ClipboardText"="1"'

# document_is TEXT: the editor holds TEXT (line breaks compared without their carriage returns).
document_is() { [ "$(e2e_editor_text | tr -d '\r')" = "$1" ]; }
first=$CLIP_FIRST
second=$CLIP_SECOND

e2e_window_manager
e2e_start_main
clip_copied_garbled "$first" "the first copy"
e2e_focus "$main"
e2e_until 60 document_is "$first" || e2e_fail "the first copy did not come in converted: \"$(e2e_editor_text)\""
e2e_shot 1_first_converted

# The user copies the repaired text out of the editor: the watch sees it and leaves it.
e2e_keys ctrl+a ctrl+c
e2e_until 60 remembered "$first" || e2e_fail "the watch did not see the program's own copy"

clip_copied_garbled "$second" "the second copy"
appended() { document_is "$first"$'\n'"$second"; }
e2e_until 60 appended || e2e_fail "the editor holds \"$(e2e_editor_text | head -c 300)\", not the two copies once each"
e2e_shot 2_second_appended
echo "clipboard_own_copy: the program's own copy was left alone; copies by another program came in converted, once each"
