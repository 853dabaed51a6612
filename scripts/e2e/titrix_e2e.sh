#!/usr/bin/env bash
# End-to-end tests of titrix.exe under wine64 on a private Xvfb display,
# driven with the keyboard through xdotool as a user would; prefs.txt
# (written at every close) is the record of every field.
#
#   scripts/e2e/titrix_e2e.sh [CASE ...]     all cases, or the ones named
#
# Needs the win64 build (build/win64/app/titrix.exe). Exit code 0 when every
# case passed.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

# Focus order of the main window from a fresh start (Tab from no focus):
# TabPanel1, then the focusable controls of the selected page in creation order.
SOLUTION_ORDER=(TabPanel1 calculate_what conc vol result_1 PushButton1 conc_units vol_units result_1_units
                formula_field weight_format)
DILUTION_ORDER=(TabPanel1 stock_conc des_conc des_vol des_vol_units des_conc_units stock_conc_units
                req_vol_units req_vol PushButton2)
# prefs.txt lines (from 1).
declare -A LINE=([save_fields]=1 [conc]=3 [vol]=4 [result_1]=5 [conc_units]=7 [vol_units]=8 [result_1_units]=9
                 [weight_format]=11 [formula_field]=12 [stock_conc]=14 [des_conc]=15 [des_vol]=16 [req_vol]=17
                 [stock_conc_units]=19 [des_conc_units]=20 [des_vol_units]=21 [req_vol_units]=22 [show_mw]=24
                 [calculate_what]=26)

# --- Driving the main window ---

MAIN=
FOCUS=-1  # position in the current focus order, -1: nothing focused yet
ORDER=("${SOLUTION_ORDER[@]}")

start_titrix() {
  DIR=$1
  e2e_launch "$DIR"
  MAIN=$(e2e_wait_window Titrix) || return 1
  FOCUS=-1
  ORDER=("${SOLUTION_ORDER[@]}")
}

# Moves the focus to CONTROL with Tab.
focus() {
  local target=-1 i
  for i in "${!ORDER[@]}"; do [ "${ORDER[$i]}" = "$1" ] && target=$i; done
  [ $target -ge 0 ] || { e2e_fail "no control $1 in the focus order"; return 1; }
  local n=$(((target - FOCUS + ${#ORDER[@]}) % ${#ORDER[@]}))
  [ $FOCUS -lt 0 ] && n=$((target + 1))
  for ((i = 0; i < n; ++i)); do e2e_keys "$MAIN" Tab; done
  FOCUS=$target
}

field() {  # field NAME TEXT
  focus "$1" && e2e_type "$MAIN" "$2"
}

popup() {  # popup NAME INDEX: the list opened with Alt+Down, the row chosen with the arrows
  focus "$1" || return 1
  e2e_keys "$MAIN" alt+Down && e2e_wait_popup >/dev/null || return 1
  local keys=(Home) i
  for ((i = 0; i < $2; ++i)); do keys+=(Down); done
  xdotool key --delay 60 "${keys[@]}" Return
  e2e_wait_no_popup
}

dilution_page() {  # the tab's keyboard path: focus the tabs, then the right arrow
  focus TabPanel1 && e2e_keys "$MAIN" Right
  ORDER=("${DILUTION_ORDER[@]}")
  FOCUS=0
}

menu() {  # menu ALT-KEY DOWNS: opens the menu by keyboard, chooses the item
  e2e_keys "$MAIN" "alt+$1" && e2e_wait_popup >/dev/null || return 1
  local keys=() i
  for ((i = 0; i < $2; ++i)); do keys+=(Down); done
  xdotool key --delay 60 "${keys[@]}" Return
  e2e_wait_no_popup
}

calculate() { e2e_keys "$MAIN" Return; }  # the default button

# Answers the message box that must appear now with Return.
answer_message() {
  local box
  box=$(e2e_wait_other_window "$MAIN") || return 1
  e2e_keys "$box" Return
}

quit() {
  e2e_keys "$MAIN" ctrl+q
  local code
  code=$(e2e_wait_exit) || return 1
  e2e_expect "exit code" 0 "$code"
}

expect_line() {  # expect_line CONTROL VALUE
  e2e_expect "prefs.txt ${1} (line ${LINE[$1]})" "$2" "$(e2e_prefs_line "$DIR" "${LINE[$1]}")"
}

# --- Cases ---

# solution FORMULA MODE CONC CONC-UNIT VOL VOL-UNIT MASS MASS-UNIT RESULT-FIELD RESULT
solution() {
  start_titrix "$(e2e_folder "solution-$1-$2")" || return 1
  [ "$2" != 0 ] && { popup calculate_what "$2" || return 1; }
  field formula_field "$1" && field conc "$3" && popup conc_units "$4" && field vol "$5" && popup vol_units "$6" &&
    field result_1 "$7" && popup result_1_units "$8" && focus formula_field && calculate && quit || return 1
  expect_line "$9" "${10}" && expect_line calculate_what "$2" && expect_line formula_field "$1"
}

case_solutions() {
  local failed=0
  # Mass from concentration and volume (gram 1, milligram 2).
  solution H2O 0 2 1 100 2 "" 1 result_1 0.003603 || failed=1
  solution C6H12O6 0 1 0 0.5 1 "" 2 result_1 90078 || failed=1
  solution NaCl 0 150 1 2 1 "" 1 result_1 17.53193 || failed=1
  # Volume from mass and concentration.
  solution H2O 1 2 0 "" 2 36.03 1 vol 1000 || failed=1
  solution C6H12O6 1 1 1 "" 1 180.156 2 vol 1 || failed=1
  solution NaCl 1 100 1 "" 2 5.843977 1 vol 1000 || failed=1
  # Molarity from mass and volume.
  solution H2O 2 "" 0 500 2 18.015 1 conc 2 || failed=1
  solution C6H12O6 2 "" 1 1 1 90.078 1 conc 500 || failed=1
  solution NaCl 2 "" 2 100 2 584.3977 2 conc 100000 || failed=1
  return $failed
}

case_dilution() {
  start_titrix "$(e2e_folder dilution)" || return 1
  dilution_page && field stock_conc 1 && popup stock_conc_units 5 && field des_conc 100 && field des_vol 50 &&
    focus des_vol && calculate && quit || return 1
  expect_line req_vol 5 && expect_line stock_conc_units 5 && expect_line des_conc_units 4
}

case_weak_stock() {
  start_titrix "$(e2e_folder weak-stock)" || return 1
  dilution_page && field stock_conc 10 && field des_conc 20 && field des_vol 1 && focus des_vol && calculate &&
    answer_message && quit || return 1
  expect_line req_vol Infinity
}

case_molecular_weight_message() {
  start_titrix "$(e2e_folder mw-message)" || return 1
  menu p 0 && field formula_field H2O && field conc 1 && field vol 1 && popup vol_units 1 && focus formula_field &&
    calculate && answer_message && quit || return 1
  expect_line show_mw True && expect_line result_1 0.018015
}

case_remember_fields() {
  start_titrix "$(e2e_folder remember)" || return 1
  local first="$DIR/prefs.first"
  menu p 1 && popup calculate_what 2 && field formula_field NaCl && field conc 2 && popup conc_units 2 &&
    field vol 3 && field result_1 4 && dilution_page && field stock_conc 5 && field des_conc 6 && field des_vol 7 &&
    popup des_vol_units 3 && quit || return 1
  cp "$DIR/prefs.txt" "$first"
  expect_line save_fields True && expect_line conc_units 2 && expect_line calculate_what 2 || return 1
  # The second run restores everything and writes it back unchanged.
  start_titrix "$DIR" && quit || return 1
  cmp -s "$first" "$DIR/prefs.txt" || e2e_fail "the second run did not restore every field"
}

case_missing_elements() {
  DIR=$(e2e_folder missing-elements)
  rm "$DIR/elements.txt"
  printf 'True\r\n \r\n1\r\n2\r\n3\r\n' >"$DIR/prefs.txt"
  cp "$DIR/prefs.txt" "$DIR/prefs.before"
  e2e_launch "$DIR"
  local box code
  box=$(e2e_wait_other_window) || return 1
  e2e_expect "no main window" 0 "$(e2e_count_windows Titrix)" || return 1
  e2e_keys "$box" Return
  code=$(e2e_wait_exit) || return 1
  e2e_expect "exit code" 0 "$code" || return 1
  cmp -s "$DIR/prefs.before" "$DIR/prefs.txt" || e2e_fail "prefs.txt was changed"
}

case_help_window() {
  start_titrix "$(e2e_folder help)" || return 1
  # The second time from the main window made active again, as a user
  # clicks it; the help window comes to the front instead of a second one.
  menu h 0 && e2e_wait_window "Titrix Help" >/dev/null && e2e_activate "$MAIN" && menu h 0 && sleep 1 || return 1
  e2e_expect "help windows" 1 "$(e2e_count_windows 'Titrix Help')" && quit
}

# Damaged files: Titrix shows its window or a message, never hangs or
# crashes, and a close after the window showed writes a valid prefs.txt.
damaged() {  # damaged FILE NAME: FILE (elements.txt or prefs.txt) gets the bytes on stdin
  e2e_log "  $1: $2"
  DIR=$(e2e_folder "damaged-$1-$2")
  cat >"$DIR/$1"
  e2e_launch "$DIR"
  local deadline=$((SECONDS + E2E_TIMEOUT)) main= seen= code attempt
  # Every message is answered with Return, until the main window shows or
  # the program ends. A message shown over the main window carries its title
  # too: the main window is the first made (the lowest id).
  while [ ! -s "$E2E_STATUS_FILE" ]; do
    main=$(xdotool search --onlyvisible --name '^Titrix$' 2>/dev/null | sort -n | head -1)
    box=$(e2e_other_window "$main")
    [ -n "$main" ] && [ -z "$box" ] && break
    [ -n "$box" ] && { seen=1; e2e_keys "$box" Return; }
    [ $SECONDS -lt $deadline ] || { e2e_fail "$1 $2: neither window nor message"; return 1; }
    sleep 0.2
  done
  if [ -n "$main" ]; then
    # A start still busy with a huge file can miss a press: press again, as
    # a user would.
    for attempt in 1 2 3; do
      [ -s "$E2E_STATUS_FILE" ] && break
      e2e_keys "$main" ctrl+q
      E2E_TIMEOUT=5 e2e_wait_exit >/dev/null 2>&1 && break
    done
  elif [ -z "$seen" ]; then
    e2e_fail "$1 $2: ended without a window or a message"
    return 1
  fi
  code=$(e2e_wait_exit) || return 1
  e2e_expect "$1 $2: exit code" 0 "$code" || return 1
  [ -z "$main" ] || valid_prefs "$1 $2"
}

# prefs.txt as every close writes it: 26 lines, the two menu flags True or
# False, the four mode and pop-up lines numbers.
valid_prefs() {
  e2e_expect "$1: prefs.txt lines" 26 "$(tr -cd '\n' <"$DIR/prefs.txt" | wc -c)" || return 1
  local name
  for name in save_fields show_mw; do
    case $(e2e_prefs_line "$DIR" "${LINE[$name]}") in True | False) ;; *) e2e_fail "$1: $name is not a flag"; return 1 ;; esac
  done
  for name in conc_units vol_units result_1_units calculate_what; do
    [[ $(e2e_prefs_line "$DIR" "${LINE[$name]}") =~ ^-?[0-9]+$ ]] || { e2e_fail "$1: $name is not a number"; return 1; }
  done
}

case_damaged_files() {
  local failed=0 file
  # What a failed kind left running is ended before the next.
  kind() { damaged "$@" || { failed=1; /usr/lib/wine/wineserver -k >/dev/null 2>&1; }; }
  for file in elements.txt prefs.txt; do
    head -c 65536 /dev/urandom | kind "$file" random
    head -c 4096 /dev/zero | kind "$file" nul
    { printf 'True\r\n \r\n'; head -c 10485760 /dev/zero | tr '\0' 'x'; printf '\r\n'; } | kind "$file" long-line
    { for i in $(seq 10000); do printf 'H\tHydrogen\t1.008\r\n'; done; } | kind "$file" many-lines
    head -c 100000 /dev/zero | tr '\0' '\r' | kind "$file" only-cr
  done
  return $failed
}

ALL=(solutions dilution weak_stock molecular_weight_message remember_fields missing_elements help_window damaged_files)

main() {
  [ -x "$E2E_EXE" ] || [ -f "$E2E_EXE" ] || { e2e_log "no $E2E_EXE: build the win64 preset first"; return 1; }
  e2e_start_session || { e2e_stop_session; return 1; }
  trap e2e_stop_session EXIT
  local cases=("$@") passed=0 failed=()
  [ ${#cases[@]} -gt 0 ] || cases=("${ALL[@]}")
  for c in "${cases[@]}"; do
    e2e_log "case $c"
    if "case_$c"; then passed=$((passed + 1)); else failed+=("$c"); fi
    /usr/lib/wine/wineserver -k >/dev/null 2>&1  # nothing of a failed case stays behind
  done
  e2e_log "$passed passed, ${#failed[@]} failed${failed:+: ${failed[*]}}"
  [ ${#failed[@]} -eq 0 ]
}

main "$@"
