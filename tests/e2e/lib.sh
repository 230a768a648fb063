# Shared helpers of the end-to-end scripts. Source it, then call e2e_init; run the script with an X
# server of its own (tests/e2e/with_x.sh). Every wait has a timeout and the whole script has a time
# limit, so a run never hangs; on exit the program and everything the script started are ended and
# the private profile is removed.
#
# Nothing here waits a fixed time for a result: each step waits for the state it needs (a window
# shown, the keyboard in it, the clipboard taken, a file written), and after keys and clicks the
# program is asked to answer from its event loop (e2e_settle), so a step never runs ahead of what the
# program has handled, however loaded the machine is. The deadlines are generous failure bounds.
#
#   source "$(dirname "$0")/lib.sh"
#   e2e_init my_run "$1"                  # name, build dir; pictures go to BUILD/e2e/my_run/
#   e2e_profile <<'REG'                   # registry.reg of the private profile (values under
#   "ShowInCaption"="3"                   # Preferences; whole [key] sections may follow)
#   REG
#   e2e_start_main                        # starts bin/quillmark ($E2E_PID), waits for $main
#   wid=$(e2e_wait_window "Параметры")    # a shown window whose title holds the text
#   e2e_clip_set "Привет"; e2e_keys ctrl+v; e2e_shot 1_pasted
#   [ "$(e2e_editor_text)" = "Привет" ] || e2e_fail "the paste did not arrive"
#
# Key path of the program's settings in the profile's registry.reg.
E2E_KEY='HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0'

# e2e_init NAME BUILD_DIR [LIMIT_SECONDS]: sets E2E_NAME, E2E_BUILD, E2E_OUT (pictures and the
# program's output), E2E_PROFILE (XDG_CONFIG_HOME of the program); ends the script after the limit
# (default 600 s: a loaded machine may take many times what a quiet one does; the limit only ends a
# script that hangs).
e2e_init() {
  E2E_NAME=$1
  E2E_BUILD=$(cd "$2" && pwd) || { echo "$1: no build folder $2" >&2; exit 1; }
  E2E_OUT="$E2E_BUILD/e2e/$E2E_NAME"
  rm -rf "$E2E_OUT"
  mkdir -p "$E2E_OUT"
  E2E_PROFILE=$(mktemp -d)
  mkdir -p "$E2E_PROFILE/quillmark"
  E2E_PID=""
  E2E_PIDS=()
  [ -n "${DISPLAY:-}" ] || e2e_fail "no X display: run the script through tests/e2e/with_x.sh"
  [ -x "$E2E_BUILD/bin/e2e_settle" ] || e2e_fail "no $E2E_BUILD/bin/e2e_settle: build the tests first"
  export QT_QPA_PLATFORM=xcb
  export XDG_RUNTIME_DIR="$E2E_PROFILE/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # The program's recovery copies go to the profile's own state folder, never the user's.
  export XDG_STATE_HOME="$E2E_PROFILE/state"
  trap e2e_cleanup EXIT
  local limit=${3:-600} me=$$
  # Ending the watchdog ends its sleep too, so nothing is left behind holding the caller's output.
  (
    trap 'kill "$nap" 2>/dev/null; exit 0' TERM
    sleep "$limit" </dev/null >/dev/null 2>&1 &
    nap=$!
    wait "$nap"
    echo "$E2E_NAME: FAILED: gave up after $limit s" >&2
    kill -TERM "$me"
  ) &
  E2E_WATCHDOG=$!
  trap 'exit 124' TERM
}

# Ends the program (asking politely first), any helper process the script started, the watchdog,
# and removes the private profile.
e2e_cleanup() {
  set +e
  local p
  for p in "$E2E_PID" "${E2E_PIDS[@]}"; do
    [ -n "$p" ] && kill "$p" 2>/dev/null
  done
  if [ -n "$E2E_PID" ]; then
    e2e_until 5 e2e_gone "$E2E_PID" || kill -KILL "$E2E_PID" 2>/dev/null
  fi
  [ -n "${E2E_WATCHDOG:-}" ] && kill "$E2E_WATCHDOG" 2>/dev/null
  rm -rf "$E2E_PROFILE"
  return 0
}

# e2e_fail MESSAGE: says what went wrong (with a last picture of the screen) and ends the script.
e2e_fail() {
  echo "${E2E_NAME:-e2e}: FAILED: $*" >&2
  if [ -n "${E2E_OUT:-}" ]; then
    import -window root "$E2E_OUT/failure.png" 2>/dev/null
    echo "${E2E_NAME:-e2e}: the screen at the failure is $E2E_OUT/failure.png" >&2
    [ -s "$E2E_OUT/quillmark.log" ] && { echo "--- program output:" >&2; tail -20 "$E2E_OUT/quillmark.log" >&2; }
  fi
  exit 1
}

# e2e_profile: writes stdin as the profile's registry.reg. Lines before the first [key] line go
# under the Preferences key.
e2e_profile() {
  local reg="$E2E_PROFILE/quillmark/registry.reg" body
  body=$(cat)
  if [[ "$body" != \[* ]]; then
    body="[$E2E_KEY\\Preferences]"$'\n'"$body"
  fi
  printf '%s\n' "$body" > "$reg"
}

# e2e_value NAME [KEY]: the stored text of value NAME under KEY (default Preferences), as it stands in
# the file (a text value keeps its quotes; a number reads dword:...); empty when absent.
e2e_value() {
  local key="$E2E_KEY\\${2:-Preferences}"
  awk -v key="[$key]" -v name="\"$1\"=" '
    index($0, "[") == 1 { inside = (tolower($0) == tolower(key)) }
    inside && tolower(substr($0, 1, length(name))) == tolower(name) { print substr($0, length(name) + 1); exit }
  ' "$E2E_PROFILE/quillmark/registry.reg" 2>/dev/null
}

# e2e_start [ARGS...]: starts bin/quillmark on the private profile; its output goes to
# E2E_OUT/quillmark.log. Sets E2E_PID.
e2e_start() {
  XDG_CONFIG_HOME=$E2E_PROFILE "$E2E_BUILD/bin/quillmark" "$@" >>"$E2E_OUT/quillmark.log" 2>&1 &
  E2E_PID=$!
  main=""
}

# e2e_start_main [ARGS...]: starts the program (e2e_start), waits for its main window and for the
# program to have handled what its start queued; sets `main` to the window's id.
e2e_start_main() {
  e2e_start "$@"
  main=$(e2e_wait_window "Quillmark 3.0 Preview")
}

# e2e_spawn COMMAND...: starts a helper process (a window manager, ...) that cleanup ends.
e2e_spawn() {
  "$@" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
}

# e2e_window_manager: starts a window manager (openbox), so windows get frames, placement and
# focus as on a desktop. Call it before e2e_start. Its settings file is an empty but valid one (an
# empty file would have openbox put up a window about it, which would stand in every picture).
e2e_window_manager() {
  printf '<openbox_config xmlns="http://openbox.org/3.4/rc"/>\n' > "$E2E_PROFILE/openbox.xml"
  e2e_spawn openbox --config-file "$E2E_PROFILE/openbox.xml"
  e2e_until 30 e2e_managed || e2e_fail "the window manager did not start within 30 s"
}

# e2e_sound_server: starts a sound server of the script's own (pulseaudio, in the profile's runtime
# folder) whose one sink, "quiet", plays into nothing; what reaches it can be recorded from
# quiet.monitor. Call it before e2e_start.
e2e_sound_server() {
  e2e_spawn pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
    -L "module-null-sink sink_name=quiet" -L module-native-protocol-unix
  e2e_until 60 test -S "$XDG_RUNTIME_DIR/pulse/native" || e2e_fail "the sound server did not start"
}

# e2e_managed: true once a window manager runs on the display (it names its check window on the root).
e2e_managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# e2e_gone PID: true when process PID has ended.
e2e_gone() { ! kill -0 "$1" 2>/dev/null; }

# e2e_running: true while the program runs.
e2e_running() { [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; }

# e2e_wait_exit [SECONDS]: waits (default 30 s) for the program to end; fails if it does not.
e2e_wait_exit() {
  e2e_until "${1:-30}" e2e_gone "$E2E_PID" || e2e_fail "the program did not end within ${1:-30} s"
  wait "$E2E_PID" 2>/dev/null
  E2E_PID=""
  main=""
  return 0
}

# e2e_settle [WID]: returns once the program that owns window WID (default: the main window, else
# any window of the program) has handled every key, click and event sent to it before: the window
# answers the window manager's ping from its event loop. A window that takes no ping (another
# program's) is not waited for. Fails when the program does not answer in 60 s.
e2e_settle() {
  local wid=${1:-${main:-}}
  if ! e2e_pingable "$wid" && [ -n "$E2E_PID" ]; then
    wid=$(xdotool search --pid "$E2E_PID" 2>/dev/null | head -1) || true
  fi
  e2e_pingable "$wid" || return 0
  # A window that went meanwhile (the program ended, or made it anew) has nothing left to handle.
  "$E2E_BUILD/bin/e2e_settle" "$wid" 60 || [ $? = 3 ] || e2e_fail "the program did not answer within 60 s"
}
e2e_pingable() { [ -n "$1" ] && xprop -id "$1" WM_PROTOCOLS 2>/dev/null | grep -q _NET_WM_PING; }

# e2e_settle_wm: e2e_settle, then the same for the window manager (it has handled what the program
# asked of it: a raise, a placement, a focus), then the program once more.
e2e_settle_wm() {
  e2e_settle
  "$E2E_BUILD/bin/e2e_settle" --wm 60 || e2e_fail "the window manager did not answer within 60 s"
  e2e_settle
}

# e2e_close WID: asks window WID to close, as the window manager's close button does, and waits for
# the program to have handled the request.
e2e_close() {
  "$E2E_BUILD/bin/e2e_settle" --close "$1" 60 || [ $? = 3 ] || e2e_fail "the program did not answer within 60 s"
}

# e2e_found_window TITLE: prints the id of a shown window whose title holds TITLE; false if none.
e2e_found_window() {
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
  [ -n "$id" ] && echo "$id"
}

# e2e_wait_window TITLE [SECONDS]: waits (default 60 s) for a shown window whose title holds TITLE,
# and for the program to have handled what showing it queued; prints its id.
e2e_wait_window() {
  local end=$((SECONDS + ${2:-60})) id
  while ((SECONDS <= end)); do
    if id=$(e2e_found_window "$1"); then
      e2e_settle "$id" >&2
      echo "$id"
      return 0
    fi
    [ -z "$E2E_PID" ] || e2e_running || e2e_fail "the program ended while waiting for the window \"$1\""
    sleep 0.02
  done
  e2e_fail "no window \"$1\" came up within ${2:-60} s"
}

# e2e_wait_gone TITLE [SECONDS]: waits (default 60 s) until no shown window's title holds TITLE.
e2e_wait_gone() {
  e2e_until "${2:-60}" e2e_no_window "$1" || e2e_fail "the window \"$1\" stayed for ${2:-60} s"
  e2e_settle
}
e2e_no_window() { ! e2e_window_shown "$1"; }

# e2e_watch_shown TITLE: begins a watch for a window whose name holds TITLE coming on the screen,
# however briefly (bin/e2e_watch_shown); e2e_was_shown then says whether it came within 60 s. Start
# the watch before the step that shows the window.
e2e_watch_shown() {
  local out="$E2E_OUT/watch_shown.out"
  : > "$out"
  "$E2E_BUILD/bin/e2e_watch_shown" "$1" 60 > "$out" &
  E2E_WATCHER=$!
  E2E_PIDS+=("$E2E_WATCHER")
  e2e_until 60 e2e_watch_ready "$out" || e2e_fail "the watch for \"$1\" did not start"
}
e2e_watch_ready() { grep -q ready "$1" || ! kill -0 "$E2E_WATCHER" 2>/dev/null; }
e2e_was_shown() { wait "$E2E_WATCHER"; }

# e2e_has_focus WID: true when window WID has the keyboard focus.
e2e_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# e2e_wait_focus WID [SECONDS]: waits (default 60 s) until window WID has the keyboard focus.
e2e_wait_focus() {
  e2e_until "${2:-60}" e2e_has_focus "$1" || e2e_fail "window $1 did not get the keyboard within ${2:-60} s"
  e2e_settle "$1"
}

# e2e_wait_active TITLE [SECONDS]: waits for a shown window whose title holds TITLE to have the
# keyboard, as a window opened by a key or click gets it; prints its id.
e2e_wait_active() {
  local id
  id=$(e2e_wait_window "$1" "${2:-60}") || exit 1
  e2e_wait_focus "$id" "${2:-60}" >&2
  echo "$id"
}

# e2e_box: prints the id of a shown window under the program's title other than the main window.
e2e_box() {
  local id
  for id in $(xdotool search --onlyvisible --name "Brannoch Quillmark 3.0 Preview" 2>/dev/null); do
    [ "$id" != "${main:-}" ] && { echo "$id"; return 0; }
  done
  return 1
}

# e2e_wait_box [SECONDS]: waits (default 60 s) for a message box of the program (a shown window under
# the program's title other than the main window, $main) to have the keyboard, and prints its id.
e2e_wait_box() {
  local end=$((SECONDS + ${1:-60})) id
  while ((SECONDS <= end)); do
    if id=$(e2e_box); then
      e2e_wait_focus "$id" "${1:-60}" >&2
      echo "$id"
      return 0
    fi
    e2e_running || e2e_fail "the program ended while waiting for a message box"
    sleep 0.02
  done
  e2e_fail "no message box came up within ${1:-60} s"
}

# e2e_no_window_id WID: true when window WID is no longer shown.
e2e_no_window_id() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# e2e_window_shown TITLE: true when a shown window's title holds TITLE.
e2e_window_shown() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }

# e2e_until SECONDS COMMAND...: runs COMMAND again and again until it succeeds; false after SECONDS.
# Its arguments are expanded once, before the first run: to test something that changes, give a
# function that reads it.
e2e_until() {
  local end=$((SECONDS + $1)); shift
  while ((SECONDS <= end)); do "$@" && return 0; sleep 0.02; done
  "$@"
}

# e2e_geometry WID: prints the place and size of window WID in pixels, "X Y WIDTH HEIGHT".
e2e_geometry() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/{printf "%s ", $2} END {print ""}'
}

# e2e_window_over WID X Y: true when a window of the program other than WID is shown over the point
# X,Y of window WID: a drop-down, a list or a sub-menu open there.
e2e_window_over() {
  local x y w px py pw ph
  read -r x y _ _ < <(e2e_geometry "$1")
  for w in $(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null); do
    [ "$w" = "$1" ] && continue
    read -r px py pw ph < <(e2e_geometry "$w")
    ((px <= x + $2 && x + $2 < px + pw && py <= y + $3 && y + $3 < py + ph)) && return 0
  done
  return 1
}

# e2e_wait_over WID X Y WHAT: waits until a window of the program is shown over X,Y of window WID
# (e2e_window_over); WHAT names it in the failure.
e2e_wait_over() {
  e2e_until 60 e2e_window_over "$1" "$2" "$3" || e2e_fail "$4 did not open within 60 s"
  e2e_settle
}

# e2e_shot NAME: a picture of the whole screen, E2E_OUT/NAME.png, once the program has drawn what
# it was sent.
e2e_shot() { e2e_settle; import -window root "$E2E_OUT/$1.png" || e2e_fail "no picture of the screen"; }

# e2e_shot_window WID NAME: a picture of one window, E2E_OUT/NAME.png.
e2e_shot_window() {
  e2e_settle "$1"
  import -window "$1" "$E2E_OUT/$2.png" || e2e_fail "no picture of window $1"
}

# e2e_clip_set TEXT: another program (xclip) owns the clipboard with TEXT (UTF-8, any script).
e2e_clip_set() {
  printf '%s' "$1" | timeout 30 xclip -selection clipboard -i >/dev/null 2>&1 \
    || e2e_fail "xclip could not take the clipboard"
  e2e_until 30 e2e_clip_is "$1" || e2e_fail "the clipboard does not hold what xclip was given"
}
e2e_clip_is() { [ "$(e2e_clip_get)" = "$1" ]; }

# e2e_clip_get: prints the clipboard's text (empty when nobody owns it).
e2e_clip_get() { timeout 30 xclip -selection clipboard -o 2>/dev/null || true; }

# e2e_clip_file FILE: another program owns the clipboard with FILE's text (for long texts, whose
# reading back through xclip takes seconds on a loaded machine: the deadlines allow minutes).
e2e_clip_file() {
  timeout 120 xclip -selection clipboard -i "$1" >/dev/null 2>&1 || e2e_fail "xclip could not take the clipboard"
  e2e_until 180 e2e_clip_size_is "$(wc -c < "$1")" || e2e_fail "the clipboard does not hold $1"
}
e2e_clip_size_is() { [ "$( (timeout 120 xclip -selection clipboard -o 2>/dev/null || true) | wc -c)" -eq "$1" ]; }

# e2e_clip_stamp: when the clipboard's owner took it (the selection's TIMESTAMP target; an owner
# that does not keep one answers with its text, which serves as well to tell a new copy).
e2e_clip_stamp() { timeout 30 xclip -selection clipboard -o -t TIMESTAMP 2>/dev/null | md5sum; }

# e2e_keys KEY...: presses keys (xdotool names: ctrl+a, Return, alt+F4) in the focused window, and
# waits for the program to have handled them.
e2e_keys() { xdotool key --clearmodifiers --delay 40 "$@"; e2e_settle; }

# e2e_type TEXT: types Latin text in the focused window (xdotool drops Cyrillic letters under Xvfb:
# put those on the clipboard and paste them), and waits for the program to have handled it.
e2e_type() { xdotool type --clearmodifiers --delay 20 "$1"; e2e_settle; }

# e2e_click WID X Y [BUTTON]: clicks at X,Y pixels inside window WID (a menu title, a button), and
# waits for the program to have handled it.
e2e_click() {
  xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"
  e2e_settle
}

# e2e_point WID X Y: moves the pointer to X,Y pixels inside window WID (a menu item to hover), and
# waits for the program to have handled it.
e2e_point() {
  xdotool mousemove --window "$1" "$2" "$3"
  e2e_settle
}

# e2e_focus WID: gives window WID the keyboard focus, and waits until it has it.
e2e_focus() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1
  e2e_has_focus "$1" || xdotool windowfocus "$1" >/dev/null 2>&1
  e2e_wait_focus "$1"
}

# e2e_copied_since STAMP: true when the clipboard was taken anew since e2e_clip_stamp gave STAMP.
e2e_copied_since() { [ "$(e2e_clip_stamp)" != "$1" ]; }

# e2e_copy KEY...: presses KEY... (a Copy command) until the program takes the clipboard anew, and
# prints what it copied. Copy is enabled by the program's command-state refresh once a selection
# exists, which may come a moment after the selection: a Copy pressed before it is pressed again.
e2e_copy() { e2e_copy_by e2e_keys "$@"; }

# e2e_copy_by COMMAND...: e2e_copy with the keys pressed by COMMAND (xte, where the keyboard layout
# must stay as it is).
e2e_copy_by() {
  local stamp tries
  stamp=$(e2e_clip_stamp)
  for tries in 1 2 3 4 5 6 7 8 9 10; do
    "$@"
    e2e_until $((tries * 3)) e2e_copied_since "$stamp" && { e2e_clip_get; return 0; }
  done
  e2e_fail "$* copied nothing"
}

# e2e_editor_text: the text of the focused editor, read as a user would: Ctrl+A (Select All), Ctrl+C
# (Copy), then the clipboard read from outside. Leaves the whole text selected.
e2e_editor_text() {
  e2e_keys ctrl+a
  e2e_copy ctrl+c
}
