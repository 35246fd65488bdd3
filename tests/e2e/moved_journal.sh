#!/usr/bin/env bash
# A journal moved while the real program records into it: the folder holding
# it is renamed between two flights (a stick's folder renamed, a sync tool
# moving it). The next flight, its contestant named with Ctrl+N, goes into a
# new journal at the old name that holds the contest as it was, under that
# contestant; merging the moved journal into it makes one contest of both
# flights. Real keys and clicks (XTEST) on a private Xvfb server with a
# window manager.
#
#   moved_journal.sh ORLO_SCORE_EXECUTABLE
#
# Exits 0 when every check holds, 77 when a tool it needs is missing.
# ORLO_SCREENSHOT, when set, is where the screen is saved once the move is told.
set -uo pipefail
support=$(cd "$(dirname "$0")/../support" && pwd)

executable=${1:?usage: moved_journal.sh ORLO_SCORE_EXECUTABLE}

for tool in Xvfb setpriv xdotool xclip timeout openbox; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${PRIVATE_DISPLAY:-}" ] || [ "$PRIVATE_DISPLAY" != "${DISPLAY:-}" ]; then
    exec "$support/private_display.sh" --window-manager bash "$0" "$@"
fi
source "$support/private_display.sh"

source "$(dirname "$0")/operator.sh"

# Names the contestant flying next from the sheet with Ctrl+N, types a
# high-speed watch reading and scores the flight.
fly() { # letters of the contestant's name, watch reading, what is checked, expected score
    press ctrl+n
    wait_for $patience eval '! sheet_has_keyboard' || fatal "the picker did not take the keyboard"
    xdotool type --delay 40 "$1"
    press Return
    wait_for $patience sheet_has_keyboard || fatal "the keyboard did not go back to the sheet"
    click "$sheet" "${HS_Watch_0[@]}"
    type_text "$2"
    press Tab
    click "$sheet" "${Command2[@]}"
    check "$3" "$(field_text "${Score[@]}")" "$4"
}

mkdir "$work/stick"
journal="$work/stick/contest.sqlite"
nats="Nats"
sheet_title="^Orlo Carrier Scoring Program: $nats\$"
today=$(date +%F)
"$executable" --journal "$journal" --new-contest "$nats" --first-day "$today" >"$work/new-contest.log" 2>&1 ||
    fatal "the contest was not started: $(cat "$work/new-contest.log")"
printf 'Name,Number,Classes\r\nLee Ward,3,Class I\r\nB. Okafor,17,Class I\r\n' >"$work/entries.csv"
"$executable" --journal "$journal" --import-entries "$work/entries.csv" >"$work/import.log" 2>&1 ||
    fatal "the entries were not imported: $(cat "$work/import.log")"

echo "# a flight recorded, then the journal's folder renamed"
start_program --journal "$journal"
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard"
fly lee 12.3 "score" 146.3
click "$sheet" "${Command3[@]}"
mv "$work/stick" "$work/renamed" || fatal "the folder was not renamed"

echo "# the next flight, named with Ctrl+N"
focus_sheet() { xdotool windowactivate "$sheet" 2>/dev/null; wait_for $patience sheet_has_keyboard; }
focus_sheet || fatal "the score sheet did not get the keyboard back"
fly oka 11.0 "score after the move" 163.6
if [ -n "${ORLO_SCREENSHOT:-}" ]; then
    sleep 0.5
    import -window root "$ORLO_SCREENSHOT" || fatal "no screenshot"
fi
click "$sheet" "${Command4[@]}"
program_ends
check "exit status" "$?" 0

"$executable" --journal "$journal" --list-contests >"$work/contests.txt" 2>&1 ||
    fatal "the new journal's contests were not listed: $(cat "$work/contests.txt")"
check "the new journal's contest, with the flight after the move" "$(cat "$work/contests.txt")" \
    "$nats	$today		1	current"
"$executable" --journal "$journal" --export-journal "$work/after.csv" >"$work/export.log" 2>&1 ||
    fatal "the new journal was not exported: $(cat "$work/export.log")"
check "the flight after the move, under its contestant" "$(grep -c '^[0-9][0-9]*,B\. Okafor,' "$work/after.csv")" 1

"$executable" --journal "$journal" --merge-journal "$work/renamed/contest.sqlite" >"$work/merge.log" 2>&1 ||
    fatal "the moved journal was not merged: $(cat "$work/merge.log")"
check "the merge" "$(grep -o '0 contests added and 1 there already; 1 flight added' "$work/merge.log")" \
    "0 contests added and 1 there already; 1 flight added"
check "no conflicts" "$(grep -c 'no conflicts' "$work/merge.log")" 1
"$executable" --journal "$journal" --list-contests >"$work/contests.txt" 2>&1
check "one contest with both flights" "$(cat "$work/contests.txt")" "$nats	$today		2	current"

checks_end
