#!/usr/bin/env bash
# Who flies next on the real program: the order drawn headless, then on the
# sheet Ctrl+N offers the pilot called next and Enter takes him; a pilot
# typed instead flies out of turn; the call list written afterwards has each
# marked flown and the pilot passed over still next. Real keys and clicks
# (XTEST) on a private Xvfb server with a window manager.
#
#   who_flies_next.sh ORLO_SCORE_EXECUTABLE
#
# Exits 0 when every check holds, 77 when a tool it needs is missing.
set -uo pipefail
support=$(cd "$(dirname "$0")/../support" && pwd)

executable=${1:?usage: who_flies_next.sh ORLO_SCORE_EXECUTABLE}

for tool in Xvfb setpriv xdotool xclip timeout openbox; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${PRIVATE_DISPLAY:-}" ] || [ "$PRIVATE_DISPLAY" != "${DISPLAY:-}" ]; then
    exec "$support/private_display.sh" --window-manager bash "$0" "$@"
fi
source "$support/private_display.sh"

source "$(dirname "$0")/operator.sh"

# Ctrl+N, then the letters typed (none: the pilot offered), Enter, and a
# flight scored from one high-speed watch reading.
fly() { # letters or "", watch reading
    press ctrl+n
    wait_for $patience eval '! sheet_has_keyboard' || fatal "the picker did not take the keyboard"
    [ -n "$1" ] && xdotool type --delay 40 "$1"
    press Return
    wait_for $patience sheet_has_keyboard || fatal "the keyboard did not go back to the sheet"
    click "$sheet" "${HS_Watch_0[@]}"
    type_text "$2"
    press Tab
    click "$sheet" "${Command2[@]}"
}

# The pilots' lines of the call list's first round, "order,name,class,flight,flown", separated by |.
first_round() {
    "$executable" --journal "$journal" --call-list "$work/calls.csv" --round 1 >"$work/calls.log" 2>&1 ||
        fatal "no call list: $(cat "$work/calls.log")"
    tail -n +2 "$work/calls.csv" | tr -d '\r' | cut -d, -f2,3,5,6,7 | paste -sd '|'
}

journal="$work/contest.sqlite"
printf 'Name,Number,Classes\r\nAnn Lee,3,Class I\r\nBob Orr,17,Class I\r\nCy Dunn,21,Class I\r\n' >"$work/entries.csv"
"$executable" --journal "$journal" --import-entries "$work/entries.csv" >"$work/import.log" 2>&1 ||
    fatal "the entries were not imported: $(cat "$work/import.log")"
"$executable" --journal "$journal" --draw-order "class i" --seed 7 >"$work/draw.log" 2>&1 ||
    fatal "no draw: $(cat "$work/draw.log")"
drawn=$(tail -n +2 "$work/draw.log" | sed 's/^[0-9]*\. //; s/ [0-9]*$//' | paste -sd ',')
check "the draw of seed 7, made again" \
    "$("$executable" --journal "$journal" --draw-order "Class I" --seed 7 | tail -n +2 | sed 's/^[0-9]*\. //; s/ [0-9]*$//' | paste -sd ',')" \
    "$drawn"
IFS=, read -r first second third <<<"$drawn"

echo "# the pilot called next, taken with Enter"
start_program --journal "$journal"
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard"
fly "" 12.3
wait_for $patience eval '[ "$(first_round | cut -d"|" -f1)" = "1,'"$first"',Class I,1,yes" ]'
check "the first drawn flew first" "$(first_round | cut -d'|' -f1)" "1,$first,Class I,1,yes"

echo "# the third flies out of turn; the second is still next"
fly "${third:0:3}" 12.4
wait_for $patience eval '[ "$(first_round | cut -d"|" -f3)" = "3,'"$third"',Class I,1,yes" ]'
check "flown out of turn" "$(first_round)" "1,$first,Class I,1,yes|2,$second,Class I,1,no|3,$third,Class I,1,yes"
fly "" 12.5
wait_for $patience eval '[ "$(first_round | cut -d"|" -f2)" = "2,'"$second"',Class I,1,yes" ]'
check "the one passed over, offered next" "$(first_round | cut -d'|' -f2)" "2,$second,Class I,1,yes"

checks_end
