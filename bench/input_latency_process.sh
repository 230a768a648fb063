#!/usr/bin/env bash
# How long the running program takes to answer a user, seen from outside the process, beside the
# bare Qt main window (a menu bar over a plain text editor) that bench/outside/bare_qt.cpp builds:
#  - a click on the File menu's title until its drop-down is on the screen: its first pixels, and
#    complete with its shadows (the last pixels drawn before the screen is still);
#  - a key typed at the end of a short document until the changed pixels.
# The click and the key are sent through XTEST and the pixels seen through the X server's DAMAGE
# events (bin/bench_screen_watch). Where mousepad is installed (test.sh installs it) the same is
# measured of it, a peer editor with a menu bar, beside the two. The programs are measured in turns,
# ROUNDS times SAMPLES inputs each; a line per round gives the medians and the load average then, and
# the last lines the medians of all samples with their ratios, like the other benchmarks' `ratio`.
# Run it inside an X server of its own: tests/e2e/with_x.sh bench/input_latency_process.sh build
# Usage: bench/input_latency_process.sh BUILD_DIR [ROUNDS] [SAMPLES]
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_init bench_latency "$1" 3600
source "$(dirname "$0")/process_lib.sh"
ROUNDS=${2:-5}
SAMPLES=${3:-20}
e2e_window_manager

# The short document: a few lines, the same text in both programs.
TEXT="Съешь же еще этих мягких французских булок, да выпей чаю.
The quick brown fox jumps over the lazy dog 1234567890.
Мама мыла раму."
printf '%s\n' "$TEXT" > "$E2E_OUT/short.txt"

full_toolbars_profile ShowInCaption 2 SaveChange 0
e2e_start_main
e2e_focus "$main"
e2e_clip_set "$TEXT"
e2e_keys shift+Insert ctrl+End
start_bare editor "$E2E_OUT/short.txt"
bare=$(shown_window "$pid")
e2e_focus "$bare"
e2e_keys ctrl+End
peers=(quillmark bare)
if command -v mousepad >/dev/null; then
  # Its settings and the desktop's services in the profile: nothing from the machine's own.
  XDG_CONFIG_HOME="$E2E_PROFILE/config" mousepad --disable-server "$E2E_OUT/short.txt" >/dev/null 2>&1 &
  pid=$!
  E2E_PIDS+=("$pid")
  mousepad=$(shown_window "$pid")
  e2e_focus "$mousepad"
  xdotool key --clearmodifiers ctrl+End
  settle "$pid"
  peers+=(mousepad)
fi

# measure WID MODE: the samples of one round, "FIRST COMPLETE" per line.
measure() {
  e2e_focus "$1"
  if [ "$2" = click ]; then
    "$WATCH" click "$1" 15 10 "$SAMPLES"
  else
    "$WATCH" key "$1" "$SAMPLES"
  fi | awk '$1 != "median" { sub("first_ms=", "", $2); sub("complete_ms=", "", $3); print $2, $3 }'
}

: > "$E2E_OUT/samples"
for round in $(seq "$ROUNDS"); do
  for mode in key click; do
    for who in "${peers[@]}"; do
      case $who in
        quillmark) wid=$main ;;
        bare) wid=$bare ;;
        mousepad) wid=$mousepad ;;
      esac
      measure "$wid" "$mode" | sed "s/^/$mode $who /" > "$E2E_OUT/round"
      cat "$E2E_OUT/round" >> "$E2E_OUT/samples"
      printf 'round %d %s %s: first_ms=%s complete_ms=%s load_average=%s\n' "$round" "$mode" "$who" \
        "$(awk '{print $3}' "$E2E_OUT/round" | median)" "$(awk '{print $4}' "$E2E_OUT/round" | median)" "$(load_average)"
    done
  done
  # The menus leave the keyboard in the menu bar: the editors take it back for the next keys.
  e2e_focus "$main"; e2e_keys Escape
  if [ -n "${mousepad:-}" ]; then e2e_focus "$mousepad"; xdotool key --clearmodifiers Escape; fi
done
e2e_shot last

# all MODE WHO FIELD: the median of every sample.
all() { awk -v m="$1" -v w="$2" -v f="$3" '$1 == m && $2 == w {print $f}' "$E2E_OUT/samples" | median; }
for line in "menu_click_first_ms click 3" "menu_click_complete_ms click 4" "key_to_pixels_ms key 3"; do
  read -r name mode field <<<"$line"
  q=$(all "$mode" quillmark "$field")
  b=$(all "$mode" bare "$field")
  line="$name=$q bare_qt=$b ratio=$(ratio "$q" "$b")"
  if [ -n "${mousepad:-}" ]; then
    m=$(all "$mode" mousepad "$field")
    line+=" mousepad=$m ratio_mousepad=$(ratio "$q" "$m")"
  fi
  echo "$line"
done
