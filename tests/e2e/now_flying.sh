#!/usr/bin/env bash
# "Now flying" on the real program: the director names the next contestant
# from the sheet with Ctrl+N, scores the flight, and the journal lists it
# under that contestant. Real keys and clicks (XTEST) on a private Xvfb
# server with a window manager, as on an official's desktop.
#
#   now_flying.sh ORLO_SCORE_EXECUTABLE
#
# Exits 0 when every check holds, 77 when a tool it needs is missing.
set -uo pipefail
support=$(cd "$(dirname "$0")/../support" && pwd)

executable=${1:?usage: now_flying.sh ORLO_SCORE_EXECUTABLE}

for tool in Xvfb setpriv xdotool xclip timeout openbox; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${PRIVATE_DISPLAY:-}" ] || [ "$PRIVATE_DISPLAY" != "${DISPLAY:-}" ]; then
    exec "$support/private_display.sh" --window-manager bash "$0" "$@"
fi
source "$support/private_display.sh"

source "$(dirname "$0")/operator.sh"

journal="$work/contest.sqlite"
printf 'Name,Number,Classes\r\nLee Ward,3,Class I\r\nB. Okafor,17,Class I\r\n' >"$work/entries.csv"
"$executable" --journal "$journal" --import-entries "$work/entries.csv" >"$work/import.log" 2>&1 ||
    fatal "the entries were not imported: $(cat "$work/import.log")"

echo "# now flying, named from the sheet"
start_program --journal "$journal"
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard"
press ctrl+n
wait_for $patience has_visible_window '^Flight journal$' || fatal "Ctrl+N opened no flights window"
wait_for $patience eval '! sheet_has_keyboard' || fatal "the picker did not take the keyboard"
xdotool type --delay 40 oka
press Return
wait_for $patience sheet_has_keyboard || fatal "the keyboard did not go back to the sheet"

click "$sheet" "${HS_Watch_0[@]}"
type_text 12.3
press Tab
click "$sheet" "${Command2[@]}"
check "score" "$(field_text "${Score[@]}")" 146.3
click "$sheet" "${Command4[@]}"
program_ends
check "exit status" "$?" 0

"$executable" --journal "$journal" --export-journal "$work/flights.csv" >"$work/export.log" 2>&1 ||
    fatal "the journal was not exported: $(cat "$work/export.log")"
check "flights recorded" "$(grep -c "^[0-9][0-9]*," "$work/flights.csv")" 1
check "the flight's contestant" "$(sed -n 2p "$work/flights.csv" | cut -d, -f2)" "B. Okafor"

checks_end
