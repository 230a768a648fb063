# Keys sent by their real key codes through XTest (xte), for the scripts where the keyboard layout
# matters (xdotool resets the layout group after each command). Each step waits for the program to
# have handled it. Source it after lib.sh.

# key KEY...: presses each key (xte's names: Tab, Return, Escape, F9, Right, ...) in turn.
key() {
  local k
  for k in "$@"; do xte "key $k"; e2e_settle; done
}
# with_ctrl KEY: Ctrl+KEY by its key code, in whatever layout is active.
with_ctrl() { xte 'keydown Control_L' "key $1" 'keyup Control_L'; e2e_settle; }
# typed KEYS: the letters and digits of KEYS typed by their keys on a US keyboard.
typed() { xte "str $1"; e2e_settle; }
# editor_text: the editor's text read as a user would, select all and copy (pressed again until the
# program copies: keys that never arrived copy nothing), its line breaks without carriage returns.
editor_text() {
  local text
  with_ctrl a
  text=$(e2e_copy_by with_ctrl c) || exit 1
  printf '%s\n' "${text//$'\r'/}"
}
# expect_text WHAT TEXT: the editor holds exactly TEXT.
expect_text() {
  local got
  got=$(editor_text) || exit 1
  [ "$got" = "$2" ] || e2e_fail "$1: the editor holds \"$got\", not \"$2\""
}
