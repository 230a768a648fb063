# Shared helpers of the end-to-end scripts. Source it, then call e2e_init; run the script inside
# xvfb-run with QT_QPA_PLATFORM=xcb. Every wait has a timeout and the whole script has a time limit,
# so a run never hangs; on exit the program and everything the script started are ended and the
# private profile is removed.
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
# (default 240 s).
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
  [ -n "${DISPLAY:-}" ] || e2e_fail "no X display: run the script inside xvfb-run"
  export QT_QPA_PLATFORM=xcb
  export XDG_RUNTIME_DIR="$E2E_PROFILE/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  trap e2e_cleanup EXIT
  local limit=${3:-240} me=$$
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
    for _ in $(seq 20); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$E2E_PID" 2>/dev/null
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
}

# e2e_start_main [ARGS...]: starts the program (e2e_start), waits for its main window and a second
# more for it to settle; sets `main` to the window's id.
e2e_start_main() {
  e2e_start "$@"
  main=$(e2e_wait_window "Quillmark 3.0 Preview")
  sleep 1
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
  sleep 1
}

# e2e_running: true while the program runs.
e2e_running() { [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; }

# e2e_wait_exit [SECONDS]: waits (default 10 s) for the program to end; fails if it does not.
e2e_wait_exit() {
  local tenths=$(( ${1:-10} * 10 ))
  for _ in $(seq "$tenths"); do e2e_running || { wait "$E2E_PID" 2>/dev/null; E2E_PID=""; return 0; }; sleep 0.1; done
  e2e_fail "the program did not end within ${1:-10} s"
}

# e2e_wait_window TITLE [SECONDS]: waits (default 30 s) for a shown window whose title holds TITLE
# and prints its id.
e2e_wait_window() {
  local tenths=$(( ${2:-30} * 10 )) id
  for _ in $(seq "$tenths"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    e2e_running || e2e_fail "the program ended while waiting for the window \"$1\""
    sleep 0.1
  done
  e2e_fail "no window \"$1\" came up within ${2:-30} s"
}

# e2e_wait_gone TITLE [SECONDS]: waits (default 10 s) until no shown window's title holds TITLE.
e2e_wait_gone() {
  local tenths=$(( ${2:-10} * 10 ))
  for _ in $(seq "$tenths"); do
    e2e_window_shown "$1" || return 0
    sleep 0.1
  done
  e2e_fail "the window \"$1\" stayed for ${2:-10} s"
}

# e2e_window_shown TITLE: true when a shown window's title holds TITLE.
e2e_window_shown() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }

# e2e_until SECONDS COMMAND...: runs COMMAND again and again until it succeeds; false after SECONDS.
# Its arguments are expanded once, before the first run: to test something that changes, give a
# function that reads it.
e2e_until() {
  local end=$((SECONDS + $1)); shift
  while ((SECONDS <= end)); do "$@" && return 0; sleep 0.02; done
  return 1
}

# e2e_geometry WID: prints the place and size of window WID in pixels, "X Y WIDTH HEIGHT".
e2e_geometry() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/{printf "%s ", $2} END {print ""}'
}

# e2e_shot NAME: a picture of the whole screen, E2E_OUT/NAME.png.
e2e_shot() { import -window root "$E2E_OUT/$1.png" || e2e_fail "no picture of the screen"; }

# e2e_shot_window WID NAME: a picture of one window, E2E_OUT/NAME.png.
e2e_shot_window() { import -window "$1" "$E2E_OUT/$2.png" || e2e_fail "no picture of window $1"; }

# e2e_clip_set TEXT: another program (xclip) owns the clipboard with TEXT (UTF-8, any script).
e2e_clip_set() {
  printf '%s' "$1" | timeout 5 xclip -selection clipboard -i >/dev/null 2>&1 \
    || e2e_fail "xclip could not take the clipboard"
}

# e2e_clip_get: prints the clipboard's text (empty when nobody owns it).
e2e_clip_get() { timeout 5 xclip -selection clipboard -o 2>/dev/null || true; }

# e2e_clip_file FILE: another program owns the clipboard with FILE's text (for long texts).
e2e_clip_file() {
  timeout 5 xclip -selection clipboard -i "$1" >/dev/null 2>&1 || e2e_fail "xclip could not take the clipboard"
}

# e2e_keys KEY...: presses keys (xdotool names: ctrl+a, Return, alt+F4) in the focused window.
e2e_keys() { xdotool key --clearmodifiers --delay 40 "$@"; sleep 0.2; }

# e2e_type TEXT: types Latin text in the focused window (xdotool drops Cyrillic letters under Xvfb:
# put those on the clipboard and paste them).
e2e_type() { xdotool type --clearmodifiers --delay 20 "$1"; sleep 0.2; }

# e2e_click WID X Y [BUTTON]: clicks at X,Y pixels inside window WID (a menu title, a button).
e2e_click() {
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click "${4:-1}"
  sleep 0.3
}

# e2e_focus WID: gives window WID the keyboard focus.
e2e_focus() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1
  sleep 0.2
}

# e2e_editor_text: the text of the focused editor, read as a user would: Ctrl+A (Select All), Ctrl+C
# (Copy), then the clipboard read from outside. Leaves the whole text selected.
e2e_editor_text() {
  # Copy is enabled by the command-state refresh once the selection exists: a pause between them.
  xdotool key --clearmodifiers ctrl+a
  sleep 0.2
  xdotool key --clearmodifiers ctrl+c
  sleep 0.3
  e2e_clip_get
}
