#!/usr/bin/env bash
# "Now flying" on the real program: the director names the next contestant
# from the sheet with Ctrl+N, scores the flight, and the journal lists it
# under that contestant. Then Class I is closed (Final ticked under
# Contest…, with Lee Ward still to fly) and another flight scored in it:
# the standings keep the score of before and say that the flight waits.
# Then the next contest of the season is started from the sheet with
# Ctrl+Shift+N and a flight scored in it: the sheet, the flights window and
# the Standings name it, and the contest before keeps its results byte for
# byte. Real keys and clicks (XTEST) on a private Xvfb server with a window
# manager, as on an official's desktop.
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

focus() { # window
    xdotool windowactivate "$1" 2>/dev/null
    wait_for $patience has_keyboard "$1"
}
# The Final box of the first class in the Contest dialog, from its top left.
Final_of_first_class=(480 148)

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

journal="$work/contest.sqlite"
spring="Spring Carrier Meet"
autumn="Autumn Carrier Meet"
yesterday=$(date -d yesterday +%F) today=$(date +%F) tomorrow=$(date -d tomorrow +%F)
"$executable" --journal "$journal" --new-contest "$spring" --first-day "$yesterday" --last-day "$tomorrow" >"$work/new-contest.log" 2>&1 ||
    fatal "the contest was not started: $(cat "$work/new-contest.log")"
# Every window names the current contest.
sheet_title="^Orlo Carrier Scoring Program: $spring\$"
printf 'Name,Number,Classes\r\nLee Ward,3,Class I\r\nB. Okafor,17,Class I\r\n' >"$work/entries.csv"
"$executable" --journal "$journal" --import-entries "$work/entries.csv" >"$work/import.log" 2>&1 ||
    fatal "the entries were not imported: $(cat "$work/import.log")"

echo "# now flying, named from the sheet"
start_program --journal "$journal"
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard"
fly oka 12.3 "score" 146.3
wait_for $patience has_visible_window "^Flight journal: $spring\$" || fatal "Ctrl+N opened no flights window"
flights_window=$(visible_window "^Flight journal: $spring\$")
click "$sheet" "${Command3[@]}"

echo "# Class I closed, with Lee Ward still to fly"
press ctrl+r
wait_for $patience has_visible_window "^Standings: $spring\$" || fatal "Ctrl+R opened no Standings window"
standings=$(visible_window "^Standings: $spring\$")
focus "$standings"
press ctrl+e
wait_for $patience has_visible_window '^Contest$' || fatal "Ctrl+E opened no Contest dialog"
contest_dialog=$(visible_window '^Contest$')
focus "$contest_dialog"
click "$contest_dialog" "${Final_of_first_class[@]}"
press Return
wait_for $patience has_visible_window '^Close the class\?$' || fatal "closing with Lee Ward still to fly asked nothing"
focus "$(visible_window '^Close the class\?$')"
press alt+c
wait_for $patience no_visible_window '^Close the class\?$' || fatal "Alt+C did not close the class"

echo "# a flight scored in the final class waits"
# The journal keeps its times to the second, and a flight of the second the
# class closed in counts as flown before: this one comes a second later, as
# a real one does.
sleep 1
focus "$sheet"
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard back"
fly oka 11.0 "score of the flight after Final" 163.6
"$executable" --journal "$journal" --results "$work/spring-before.csv" --class "Class I" >"$work/results.log" 2>&1 ||
    fatal "the results were not written: $(cat "$work/results.log")"

echo "# the next contest started from the sheet, with the entry list copied"
click "$sheet" "${Command3[@]}"
press ctrl+shift+n
wait_for $patience has_visible_window '^New contest$' || fatal "Ctrl+Shift+N opened no New contest"
focus "$(visible_window '^New contest$')" || fatal "New contest did not get the keyboard"
xdotool type --delay 40 "$autumn"
press Tab
type_text "$today"
press Tab
type_text "$tomorrow"
# Space on the box ticks it at once; its Alt+C clicks it a tenth of a
# second later, after a Return typed straight behind it.
press Tab space Return
wait_for $patience no_visible_window '^New contest$' || fatal "New contest did not start the contest"
# The list of contests it was started over is closed with Escape.
focus "$(visible_window '^Contests$')" && press Escape
wait_for $patience no_visible_window '^Contests$' || fatal "the list of contests did not close"
check "the sheet's title" "$(xdotool getwindowname "$sheet")" "Orlo Carrier Scoring Program: $autumn"

echo "# a flight scored in the new contest, named in every window"
focus "$sheet" || fatal "the score sheet did not get the keyboard back"
fly oka 10.0 "score in the new contest" 179.9
press ctrl+j
wait_for $patience has_visible_window "^Flight journal: $autumn\$"
check "the flights window's title" "$(xdotool getwindowname "$flights_window")" "Flight journal: $autumn"
focus "$sheet"
press ctrl+r
wait_for $patience has_visible_window "^Standings: $autumn\$"
check "the Standings' title" "$(xdotool getwindowname "$standings")" "Standings: $autumn"
click "$sheet" "${Command4[@]}"
program_ends
check "exit status" "$?" 0

"$executable" --journal "$journal" --list-contests >"$work/contests.txt" 2>&1 ||
    fatal "the contests were not listed: $(cat "$work/contests.txt")"
check "the contest before, no longer current" "$(grep "^$spring	" "$work/contests.txt")" \
    "$spring	$yesterday	$tomorrow	2"
check "the new contest, current, with its flight" "$(grep "^$autumn	" "$work/contests.txt")" \
    "$autumn	$today	$tomorrow	1	current"
"$executable" --journal "$journal" --results "$work/autumn.csv" --contest "$autumn" --class "Class I" \
    >"$work/results.log" 2>&1 || fatal "the new contest's results were not written: $(cat "$work/results.log")"
check "B. Okafor's score in the new contest" "$(grep -c '^Class I,1,B\. Okafor,17,179\.9' "$work/autumn.csv")" 1

"$executable" --journal "$journal" --export-journal "$work/flights.csv" --contest "$spring" >"$work/export.log" 2>&1 ||
    fatal "the journal was not exported: $(cat "$work/export.log")"
check "flights recorded" "$(grep -c "^[0-9][0-9]*," "$work/flights.csv")" 2
check "flights of B. Okafor" "$(grep -c '^[0-9][0-9]*,B\. Okafor,' "$work/flights.csv")" 2
"$executable" --journal "$journal" --results "$work/results.csv" --contest "$spring" --class "Class I" \
    >"$work/results.log" 2>&1 || fatal "the results were not written: $(cat "$work/results.log")"
cmp -s "$work/spring-before.csv" "$work/results.csv"
check "the contest before's results, byte for byte as before" "$?" 0
okafor=$(grep '^Class I,1,B. Okafor,' "$work/results.csv")
check "B. Okafor's score, as before Final" "$(echo "$okafor" | cut -d, -f5)" 146.3
check "the waiting flight said" \
    "$(echo "$okafor" | grep -o '1 flight recorded after Final, at [^:]*:[0-9]* [+-][0-9:]*: reopen the class to count it' | wc -l)" 1

checks_end
