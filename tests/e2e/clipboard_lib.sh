# Shared steps of the scripts that drive the clipboard watch: a profile with the watch converting
# what it sees, two Russian sentences to copy, the same text as another program shows it after a
# wrong code page (DOS 866 read as Windows 1251), and what the watch remembers having seen. Source
# it after lib.sh.

# No Ё or ё: the conversion tables leave those two letters as they are.
CLIP_FIRST="Съешь же еще этих мягких французских булок, да выпей чаю."
CLIP_SECOND="Электрификация южных губерний даст мощный толчок сельскому хозяйству."

# clip_watch_profile [LINE...]: the private profile with the clipboard watch on and converting, no
# question about unsaved changes; each LINE is one more value under Preferences.
clip_watch_profile() {
  e2e_profile <<REG
"ShowInCaption"="3"
"SaveChange"="0"
"ClipboardDetect"="1"
"DecodeClipboard"="1"
$(printf '%s\n' "$@")
REG
}

# as_866_shown_as_1251 TEXT: the text as DOS 866 bytes shown in Windows 1251 (iconv, not the
# program, says what that is).
as_866_shown_as_1251() { printf '%s' "$1" | iconv -f UTF-8 -t CP866 | iconv -f CP1251 -t UTF-8; }

# remembered TEXT: the watch remembers TEXT as the last clipboard text it saw.
remembered() { [ "$(e2e_value ClipboardText Clipboard)" = "\"$1\"" ]; }

# clip_copied_garbled TEXT WHAT: another program (xclip) copies TEXT garbled, and the watch sees it;
# fails saying WHAT was not seen.
clip_copied_garbled() {
  e2e_clip_set "$(as_866_shown_as_1251 "$1")"
  e2e_until 60 remembered "$(as_866_shown_as_1251 "$1")" || e2e_fail "the watch did not see $2"
}
