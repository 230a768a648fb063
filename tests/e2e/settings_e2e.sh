#!/usr/bin/env bash
# Drives the real program under an X server (tests/e2e/with_x.sh): the Service menu's
# "Параметры программы" opens the settings dialog; a picture of each of its eight pages is taken;
# "Очищать буфер обмена при выходе из программы" is ticked and applied, which stores it; the
# program is closed from the File menu and started again, and the dialog shows the box still
# ticked. Pictures go to BUILD/e2e/settings/.
# Usage: tests/e2e/settings_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init settings "$1"
e2e_profile <<'REG'
"ShowInCaption"="3"
REG

# Places inside the windows, in pixels: the menu entries and items, the dialog's tabs, the check
# box and the buttons (the dialog's layout is fixed).
MENU_FILE=(18 10)
MENU_SERVICE=(320 10)
ITEM_SETTINGS=(360 33)
TAB_Y=20
TAB_X=(30 100 196 250 320 375 440 505)
CHECK_CLEAR=(100 268)
CHECK_BOX="14x14+33+261"
BUTTON_Y=420
APPLY_X=330
OK_X=522
TITLE="Параметры программы"

open_settings() {
  e2e_click "$main" "${MENU_SERVICE[@]}"
  e2e_click "$main" "${ITEM_SETTINGS[@]}"
  dialog=$(e2e_wait_active "$TITLE")
}
# OK, and the dialog is gone.
close_settings() {
  e2e_click "$dialog" "$OK_X" "$BUTTON_Y"
  e2e_wait_gone "$TITLE"
}
stored() { e2e_value "$1"; }
applied() { [ "$(stored ClearClipboard)" = '"1"' ]; }
box_picture() { convert "$E2E_OUT/$1.png" -crop "$CHECK_BOX" +repage "$E2E_OUT/box_$1.png"; }
same_box() { compare -metric AE "$E2E_OUT/box_$1.png" "$E2E_OUT/box_$2.png" null: 2>/dev/null; }

e2e_start_main
open_settings
names=(general decode view save font print locked sounds)
for i in 7 6 5 4 3 2 1 0; do
  e2e_click "$dialog" "${TAB_X[$i]}" "$TAB_Y"
  e2e_shot_window "$dialog" "page_$((i + 1))_${names[$i]}"
done
box_picture page_1_general
e2e_click "$dialog" "${CHECK_CLEAR[@]}"
e2e_shot_window "$dialog" ticked
box_picture ticked
same_box page_1_general ticked && e2e_fail "the box did not change when clicked"
[ -z "$(stored ClearClipboard)" ] || e2e_fail "a click stored the value before Apply"
e2e_click "$dialog" "$APPLY_X" "$BUTTON_Y"
e2e_until 60 applied || e2e_fail "Apply did not store \"ClearClipboard\" as \"1\""
close_settings

# Closed from the File menu (its last item, Up from the top), then started again on the same profile.
e2e_click "$main" "${MENU_FILE[@]}"
e2e_keys Up Return
e2e_wait_exit
applied || e2e_fail "the stored value did not survive the close"

e2e_start_main
open_settings
e2e_shot_window "$dialog" reopened
box_picture reopened
same_box ticked reopened || e2e_fail "the dialog of the new start does not show the box ticked"
close_settings
echo "settings: the dialog opened from the Service menu, Apply stored the ticked box, and it survived a restart"
