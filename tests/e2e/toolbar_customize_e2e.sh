#!/usr/bin/env bash
# Drives the real program under an X server (tests/e2e/with_x.sh): with both toolbars switched on
# but no layout stored, the toolbars show their default buttons; the View menu's "Панели
# инструментов" > "Настроить..." opens the toolbar dialog centred over the main window with every
# item ticked; unticking a few items and applying stores the layout, large icons are chosen on the
# second tab, and after OK the main window's toolbars show the chosen buttons. "По умолчанию" then
# shows every item again. Pictures go to BUILD/e2e/toolbar_customize/.
# Usage: tests/e2e/toolbar_customize_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init toolbar_customize "$1"
e2e_profile <<'REG'
"ShowInCaption"="3"
"ToolBarStandart"="1"
"ToolBarDecode"="1"
REG

# Places inside the windows, in pixels: the menu entries, and the dialog's check boxes, tabs and
# buttons (its layout is fixed; an item of a list is 14 pixels high).
MENU_VIEW=(159 10)
MENU_TOOLBARS=(241 55)
MENU_CUSTOMIZE=(395 106)
STANDARD_X=35
DECODE_X=294
FIRST_ITEM_Y=64
ITEM_HEIGHT=14
OPTIONS_TAB=(190 19)
LARGE_ICONS=(38 141)
BUTTON_Y=381
RESET_X=60
OK_X=398
APPLY_X=490
TITLE="Настройка панелей инструментов"

# The spread of the colours of a strip of the main window's picture ("W H X Y"): 0 when the strip
# is one plain colour, as an empty toolbar is.
spread() { convert "$E2E_OUT/$1.png" -crop "$2" +repage -format "%[fx:standard_deviation]" info:; }
toolbar_empty() { [ "$(spread "$1" "$2")" = 0 ]; }
item_y() { echo $((FIRST_ITEM_Y + ITEM_HEIGHT * $1)); }
stored() { e2e_value "$1" "Preferences\\ToolBars\\$2"; }
option() { e2e_value "$1" 'Preferences\ToolBars'; }
options_stored() { [ -n "$(option HideInfrequently)" ]; }
stop_shown() { [ "$(stored 04 Decode)" = "dword:ffffffff" ]; }
open_dialog() {
  e2e_click "$main" "${MENU_VIEW[@]}"
  e2e_click "$main" "${MENU_TOOLBARS[@]}"
  e2e_click "$main" "${MENU_CUSTOMIZE[@]}"
  dialog=$(e2e_wait_active "$TITLE")
}
# OK, and the dialog is gone.
close_dialog() {
  e2e_click "$dialog" "$OK_X" "$BUTTON_Y"
  e2e_wait_gone "$TITLE"
}

e2e_start_main
e2e_shot_window "$main" 1_main_default_toolbars
# The standard toolbar's row and the conversion toolbar's row, left of the direction list's place.
STANDARD_ROW="300x18+230+30"
toolbar_empty 1_main_default_toolbars "$STANDARD_ROW" && e2e_fail "the standard toolbar is empty with no layout stored"

open_dialog
read -r mx my mw mh < <(e2e_geometry "$main")
read -r dx dy dw dh < <(e2e_geometry "$dialog")
off_x=$(( (dx + dw / 2) - (mx + mw / 2) )); off_y=$(( (dy + dh / 2) - (my + mh / 2) ))
(( ${off_x#-} <= 10 && ${off_y#-} <= 10 )) || e2e_fail "the dialog is not centred over the main window ($off_x, $off_y)"
e2e_shot 2_dialog_open

# Every item is ticked; untick Create, Open, Save and the separator after them, and the direction
# choice, Start and Stop.
for i in 1 2 4 5; do e2e_click "$dialog" "$STANDARD_X" "$(item_y $i)"; done
for i in 1 3 4; do e2e_click "$dialog" "$DECODE_X" "$(item_y $i)"; done
e2e_shot_window "$dialog" 3_dialog_ticked
e2e_click "$dialog" "$APPLY_X" "$BUTTON_Y"
# Apply writes the values one by one, the options last.
e2e_until 60 options_stored || e2e_fail "Apply stored nothing"
[ "$(stored 01 Standart)" = "dword:00000000" ] || e2e_fail "Apply did not store the unticked item 01 as 0"
[ "$(stored 03 Standart)" = "dword:ffffffff" ] || e2e_fail "Apply did not store the ticked item 03"
[ "$(stored 39 Standart)" = "dword:ffffffff" ] || e2e_fail "Apply did not store all 40 standard items"
[ "$(stored 04 Decode)" = "dword:00000000" ] || e2e_fail "Apply did not store the conversion toolbar's item 04"
[ "$(stored 07 Decode)" = "dword:ffffffff" ] || e2e_fail "Apply did not store all 8 conversion items"

e2e_click "$dialog" "${OPTIONS_TAB[@]}"
e2e_click "$dialog" "${LARGE_ICONS[@]}"
e2e_shot_window "$dialog" 4_dialog_options
close_dialog
[ "$(option UseLargeIcons)" = '"1"' ] || e2e_fail "OK did not store large icons"
[ "$(option ShowToolTips)" = '"0"' ] || e2e_fail "OK did not store the tooltips option"
e2e_shot_window "$main" 5_main_chosen_buttons
toolbar_empty 5_main_chosen_buttons "$STANDARD_ROW" && e2e_fail "the toolbars did not follow the dialog"

# The defaults: every item shown. The question and the note are answered with Enter.
open_dialog
e2e_click "$dialog" "$RESET_X" "$BUTTON_Y"
question=$(e2e_wait_box)
e2e_shot 6_reset_question
e2e_keys Return
e2e_until 60 e2e_no_window_id "$question" || e2e_fail "Enter left the reset question"
e2e_wait_box >/dev/null
e2e_keys Return
# The conversion toolbar's items are written after the standard toolbar's.
e2e_until 60 stop_shown || e2e_fail "the defaults did not show the conversion item 04"
[ "$(stored 01 Standart)" = "dword:ffffffff" ] || e2e_fail "the defaults did not show the item 01"
close_dialog
e2e_shot_window "$main" 7_main_every_button
echo "toolbar customize: the dialog opened from the View menu, stored the ticked items, and the toolbars followed"
