#!/usr/bin/env bash
# A season of three contests on the real program and its series: each
# contest started and its entries imported from the command line, its
# flights scored on the sheet with real keys and clicks (XTEST), the first
# two contests' Class I closed in the Contest dialog; then the series set up
# in the Standings window's Series view (the best 2 contests count) and
# written from the command line as CSV and PDF and read back. The names
# change from contest to contest as registrations do: "José Núñez" number 7
# becomes "Jose Nunez" without a number (one contestant), "B Okafor" and
# "Bola Okafor" stay two until the director joins them.
#
#   season_series.sh ORLO_SCORE_EXECUTABLE
#
# Environment: ORLO_SCREENSHOTS=folder keeps the Series view's and the PDF's pictures there.
# Exits 0 when every check holds, 77 when a tool it needs is missing.
set -uo pipefail
support=$(cd "$(dirname "$0")/../support" && pwd)

executable=${1:?usage: season_series.sh ORLO_SCORE_EXECUTABLE}

for tool in Xvfb setpriv xdotool xclip timeout openbox pdftotext; do
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
Final_of_first_class=(480 148)

fly() { # letters of the contestant's name, watch reading, expected score
    press ctrl+n
    wait_for $patience eval '! sheet_has_keyboard' || fatal "the picker did not take the keyboard"
    xdotool type --delay 40 "$1"
    press Return
    wait_for $patience sheet_has_keyboard || fatal "the keyboard did not go back to the sheet"
    click "$sheet" "${HS_Watch_0[@]}"
    type_text "$2"
    press Tab
    click "$sheet" "${Command2[@]}"
    check "the score of $1" "$(field_text "${Score[@]}")" "$3"
    click "$sheet" "${Command3[@]}"
}

# Starts the contest from the command line with the entries given, one "name,number" a line.
start_contest() { # name entries
    "$executable" --journal "$journal" --new-contest "$1" >"$work/new-contest.log" 2>&1 ||
        fatal "$1 was not started: $(cat "$work/new-contest.log")"
    { printf 'Name,Number,Classes\r\n'; printf '%s\n' "$2" | sed 's/$/,Class I\r/'; } >"$work/entries.csv"
    "$executable" --journal "$journal" --import-entries "$work/entries.csv" >"$work/import.log" 2>&1 ||
        fatal "the entries of $1 were not imported: $(cat "$work/import.log")"
    sheet_title="^Orlo Carrier Scoring Program: $1\$"
}

close_class_one() { # contest
    focus "$sheet"
    press ctrl+r
    wait_for $patience has_visible_window "^Standings: $1\$" || fatal "Ctrl+R opened no Standings window"
    focus "$(visible_window "^Standings: $1\$")"
    press ctrl+e
    wait_for $patience has_visible_window '^Contest$' || fatal "Ctrl+E opened no Contest dialog"
    local dialog
    dialog=$(visible_window '^Contest$')
    focus "$dialog"
    click "$dialog" "${Final_of_first_class[@]}"
    press Return
    wait_for $patience no_visible_window '^Contest$' || fatal "the Contest dialog did not close"
}

journal="$work/season.sqlite"

echo "# Spring Open"
start_contest "Spring Open" $'José Núñez,7\nB Okafor,\nLee Ward,3'
start_program --journal "$journal"
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard"
fly war 10.0 179.9
fly oka 11.0 163.6
fly nun 12.3 146.3
close_class_one "Spring Open"
click "$sheet" "${Command4[@]}"
program_ends

echo "# Summer Cup"
start_contest "Summer Cup" $'Jose Nunez,\nBola Okafor,\nLee Ward,3'
start_program --journal "$journal"
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard"
fly nun 10.0 179.9
fly war 11.0 163.6
fly oka 12.3 146.3
close_class_one "Summer Cup"
click "$sheet" "${Command4[@]}"
program_ends

echo "# Autumn Trophy, still running; the series set up in the Series view"
start_contest "Autumn Trophy" $'Jose Nunez,\nBola Okafor,\nLee Ward,3'
start_program --journal "$journal"
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard"
fly oka 10.0 179.9
fly war 12.3 146.3
press ctrl+r
wait_for $patience has_visible_window '^Standings: Autumn Trophy$' || fatal "Ctrl+R opened no Standings window"
standings=$(visible_window '^Standings: Autumn Trophy$')
focus "$standings"
xdotool windowsize "$standings" 900 520
press alt+r
sleep 1
press alt+u
wait_for $patience has_visible_window '^Series$' || fatal "Alt+U opened no series dialog"
series_dialog=$(visible_window '^Series$')
focus "$series_dialog"
# The name, then past the contests to the contests counted: the best 2.
press ctrl+a
xdotool type --delay 40 "Club Championship"
press Tab Tab Down Tab ctrl+a
xdotool type --delay 40 "2"
if [ -n "${ORLO_SCREENSHOTS:-}" ]; then
    sleep 1
    import -window root "$ORLO_SCREENSHOTS/series_dialog.png"
fi
press Return
wait_for $patience no_visible_window '^Series$' || fatal "the series dialog did not close"
sleep 2
if [ -n "${ORLO_SCREENSHOTS:-}" ]; then
    import -window root "$ORLO_SCREENSHOTS/series_view.png"
fi
focus "$sheet"
click "$sheet" "${Command4[@]}"
program_ends

echo "# the series written and read back"
"$executable" --journal "$journal" --series-results "$work/series.csv" >"$work/series.log" 2>&1 ||
    fatal "the series was not written: $(cat "$work/series.log")"
cat "$work/series.log" "$work/series.csv"
"$executable" --journal "$journal" --series-results "$work/series.pdf" --series "club championship" \
    >"$work/series-pdf.log" 2>&1 || fatal "the series PDF was not written: $(cat "$work/series-pdf.log")"
pdftotext -layout "$work/series.pdf" "$work/series.txt"
cat "$work/series.txt"
if [ -n "${ORLO_SCREENSHOTS:-}" ]; then
    cp "$work/series.csv" "$work/series.pdf" "$work/series.txt" "$ORLO_SCREENSHOTS/"
fi
for format in html xlsx; do
    "$executable" --journal "$journal" --series-results "$work/series.$format" --class "class i" \
        >"$work/series-$format.log" 2>&1 || fatal "the series $format was not written: $(cat "$work/series-$format.log")"
done
check "the HTML's dropped contest in brackets" "$(grep -o '<td class="n" align="right">(8)</td>' "$work/series.html" | wc -l)" 1
check "the workbook's sheets" "$(unzip -l "$work/series.xlsx" | grep -c 'xl/worksheets/sheet[12].xml')" 2
check "Lee Ward first, Autumn dropped" "$(grep -c '^Club Championship,Class I,1,Lee Ward,3,10,8,8,18,Autumn Trophy,' "$work/series.csv")" 1
check "José Núñez and Jose Nunez one contestant, tied 2nd" \
    "$(grep -c '^Club Championship,Class I,2,Jose Nunez,7,6,10,,16,,' "$work/series.csv")" 1
check "Bola Okafor tied 2nd" "$(grep -c '^Club Championship,Class I,2,Bola Okafor,,,6,10,16,,' "$work/series.csv")" 1
check "B Okafor kept apart" "$(grep -c '^Club Championship,Class I,4,B Okafor,,8,,,8,,' "$work/series.csv")" 1
check "provisional said in the CSV" "$(grep -c 'Provisional: Autumn Trophy is still running' "$work/series.csv")" 4
check "near names told" "$(grep -c 'B Okafor / Bola Okafor: the same but for an initial; kept apart' "$work/series.log")" 1
check "the PDF's rule" "$(grep -c 'best 2 contests count' "$work/series.txt")" 1
check "the PDF says provisional" "$(grep -c 'Provisional: Autumn Trophy is still running' "$work/series.txt")" 1
check "the PDF's dropped contest in brackets" "$(grep -c 'Lee Ward .*(8)' "$work/series.txt")" 1

checks_end
