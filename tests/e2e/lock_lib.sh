# Shared steps of the scripts that drive the program lock: a profile with a lock user and password,
# the places of the Service menu's lock entry and of the lock window's password box, the program
# locked from its main window, and a refused password's notice answered. Source it after lib.sh.

LOCK_PASSWORD="Secret7"
LOCK_TITLE="^Brannoch Quillmark 3.0$"
# The notice of a wrong password stands under the program's title.
LOCK_NOTICE_TITLE="Brannoch Quillmark 3.0 Preview"
# Places inside the windows, in pixels: the menu entries; the lock window's password box.
MENU_SERVICE=(318 10)
MENU_LOCK=(398 58)
PASSWORD_BOX=(300 68)

# lock_profile [LINE...]: the private profile with a lock user whose password is LOCK_PASSWORD, kept
# from sight as it is typed; each LINE is one more value under Preferences.
lock_profile() {
  e2e_profile <<REG
[$E2E_KEY\\Preferences]
"ShowInCaption"="3"
$(printf '%s\n' "$@")
[$E2E_KEY\\Preferences\\Locked]
"User"="Ольга"
"Password"="$LOCK_PASSWORD"
"Tip"="Имя кота и цифра"
"DoNotShowPassword"=dword:00000001
REG
}

# lock_start: starts the program with a window manager and types a line into its document.
lock_start() {
  e2e_window_manager
  e2e_start_main
  e2e_focus "$main"
  e2e_type "Document before the lock"
}

# lock_program: locks the program through the main window's Service menu; sets `lock` to the lock
# window's id.
lock_program() {
  e2e_click "$main" "${MENU_SERVICE[@]}"
  e2e_click "$main" "${MENU_LOCK[@]}"
  lock=$(e2e_wait_window "$LOCK_TITLE")
}

# lock_notice_answered SHOT: the wrong-password notice comes up, is pictured as SHOT and is closed
# with Enter.
lock_notice_answered() {
  local notice
  notice=$(e2e_wait_window "$LOCK_NOTICE_TITLE")
  e2e_shot "$1"
  e2e_focus "$notice"
  e2e_keys Return
  e2e_wait_gone "$LOCK_NOTICE_TITLE"
}
