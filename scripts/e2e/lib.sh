# Shared by the end-to-end scripts (source it): a private X display and wine
# prefix, Titrix started in a fresh folder, its windows found by title, keys
# and text sent with xdotool, prefs.txt read back.
#
#   e2e_start_session          Xvfb on a free display of 141..150, a new prefix (scripts/wine-session.sh)
#   e2e_folder NAME            a fresh folder with titrix.exe and elements.txt
#   e2e_launch DIR             starts titrix.exe there (E2E_PID)
#   e2e_wait_window TITLE      the window id of the visible window titled TITLE
#   e2e_wait_popup             an open menu or pop-up list (untitled window)
#   e2e_wait_other_window ID.. a window other than the ones given (a message)
#   e2e_activate ID            a click on the window's caption makes it active
#   e2e_stop_session           kills what the session started
#
# E2E_EXE names titrix.exe (default build/win64/app/titrix.exe).

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_EXE=${E2E_EXE:-$E2E_ROOT/build/win64/app/titrix.exe}
E2E_ELEMENTS=${E2E_ELEMENTS:-$E2E_ROOT/app/elements.txt}
E2E_TIMEOUT=${E2E_TIMEOUT:-20}  # seconds to wait for a window or an exit
E2E_WINE=/usr/lib/wine/wine64

e2e_log() { echo "e2e: $*" >&2; }
e2e_fail() {
  e2e_log "FAIL: $*"
  return 1
}

# The session of scripts/wine-session.sh on a display of its own range.
e2e_start_session() {
  QL_DISPLAYS=${QL_DISPLAYS:-141 150} . "$E2E_ROOT/scripts/wine-session.sh"
  E2E_WORK=$session
}

# E2E_KEEP set: the session's folder (prefix, test folders) stays for a look.
e2e_stop_session() {
  QL_KEEP_SESSION=${E2E_KEEP:-} end_session
  return 0
}

# A fresh folder with the program and the element table.
e2e_folder() {
  local dir="$E2E_WORK/$1"
  rm -rf "$dir" && mkdir -p "$dir"
  cp "$E2E_EXE" "$dir/titrix.exe"
  cp "$E2E_ELEMENTS" "$dir/elements.txt"
  echo "$dir"
}

# Starts titrix.exe in DIR; E2E_PID is the wine process, E2E_STATUS_FILE
# receives its exit code.
e2e_launch() {
  local dir=$1
  E2E_STATUS_FILE="$dir/.exit-code"
  rm -f "$E2E_STATUS_FILE"
  (cd "$dir" && "$E2E_WINE" titrix.exe >"$dir/.output" 2>&1; echo $? >"$E2E_STATUS_FILE") &
  E2E_PID=$!
}

# Waits for the program to end; prints its exit code.
e2e_wait_exit() {
  local deadline=$((SECONDS + E2E_TIMEOUT))
  while [ ! -s "$E2E_STATUS_FILE" ]; do
    [ $SECONDS -lt $deadline ] || { e2e_log "titrix.exe did not end"; return 1; }
    sleep 0.1
  done
  cat "$E2E_STATUS_FILE"
}

# The id of the visible window titled exactly TITLE, waiting for it.
e2e_wait_window() {
  local title=$1 deadline=$((SECONDS + E2E_TIMEOUT)) id
  while :; do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ $SECONDS -lt $deadline ] || { e2e_log "no window '$title'"; return 1; }
    sleep 0.1
  done
}

# The number of visible windows titled TITLE.
e2e_count_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }

# The id of the program's visible untitled window (an open menu or the
# list of a pop-up), waiting for it; e2e_wait_no_popup waits until none is
# left. Keys sent before a menu opens would reach the window instead.
e2e_popup() {
  local id
  for id in $(xdotool search --onlyvisible --class titrix 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] && { echo "$id"; return 0; }
  done
  return 1
}
e2e_wait_popup() {
  local deadline=$((SECONDS + E2E_TIMEOUT))
  until e2e_popup; do
    [ $SECONDS -lt $deadline ] || { e2e_log "no menu or list opened"; return 1; }
    sleep 0.05
  done
}
e2e_wait_no_popup() {
  local deadline=$((SECONDS + E2E_TIMEOUT))
  while e2e_popup >/dev/null; do
    [ $SECONDS -lt $deadline ] || { e2e_log "a menu or list stayed open"; return 1; }
    sleep 0.05
  done
}

# A visible window of the program other than the ones given, titled or
# not, at once (empty when there is none).
e2e_other_window() {
  local id k known
  for id in $(xdotool search --onlyvisible --class titrix 2>/dev/null); do
    known=
    for k in "$@"; do [ "$id" = "$k" ] && known=1; done
    [ -z "$known" ] && { echo "$id"; return 0; }
  done
  return 0
}

# A visible window of the program other than the ones given (a message
# box; untitled when no window is open yet), waiting for it.
e2e_wait_other_window() {
  local deadline=$((SECONDS + E2E_TIMEOUT)) id
  until id=$(e2e_other_window "$@") && [ -n "$id" ]; do
    [ $SECONDS -lt $deadline ] || { e2e_log "no message box"; return 1; }
    sleep 0.1
  done
  echo "$id"
}

# Brings WINDOW to the front and makes it active as a user does, with a
# click on its caption (without a window manager, focusing an inactive
# window gives it the keys but not wine's activation, so its menu would
# not open).
e2e_activate() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool windowraise "$1" mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1
}

# Keys and text to the window WINDOW.
e2e_keys() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window" >/dev/null 2>&1
  xdotool key --delay 60 "$@"
}
e2e_type() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1
  xdotool type --delay 40 "$2"
}

# Line N (from 1) of DIR/prefs.txt, without its line end.
e2e_prefs_line() { sed -n "$2p" "$1/prefs.txt" | tr -d '\r'; }

# EXPECTED equals ACTUAL, or the test fails with LABEL.
e2e_expect() {
  [ "$2" = "$3" ] || { e2e_fail "$1: expected '$2', got '$3'"; return 1; }
}

# A screenshot of WINDOW as PNG.
e2e_screenshot() {
  local window=$1 out=$2
  xwd -id "$window" -silent >"$E2E_WORK/shot.xwd" || return 1
  python3 "$E2E_ROOT/scripts/e2e/xwd_to_png.py" "$E2E_WORK/shot.xwd" "$out"
}
