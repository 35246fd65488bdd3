#!/usr/bin/env bash
# Takes docs/flights-window.png from the real program: a contest started
# with its entry list imported from a registration file, four flights scored
# on the sheet, driven with real keyboard and mouse events, each contestant
# named with Ctrl+N before the flight, the oldest flight marked void, and the
# window saved with that flight chosen; then docs/export-beside-sheet.png:
# the export's file dialog open over the flights window while the sheet
# takes a reading beside it. It runs on the tests' private X
# server (tests/support/private_display.sh) with a window manager, on a
# screen wide enough for the flights window's own width beside the sheet,
# with the official's hands of the end-to-end tests (tests/e2e/operator.sh).
#
#   scripts/flights_screenshot.sh [ORLO_SCORE_EXECUTABLE] [FLIGHTS.png] [EXPORT.png]
set -uo pipefail
cd "$(dirname "$0")/.."
executable=$(realpath "${1:-build/default/app/Orlo_Score}")
output=$(realpath -m "${2:-docs/flights-window.png}")
export_output=$(realpath -m "${3:-docs/export-beside-sheet.png}")
support=$PWD/tests/support

if [ -z "${PRIVATE_DISPLAY:-}" ] || [ "$PRIVATE_DISPLAY" != "${DISPLAY:-}" ]; then
    for tool in Xvfb setpriv openbox xdotool xclip timeout import compare convert; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
    done
    PRIVATE_DISPLAY_SCREEN=1920x1080x24 exec "$support/private_display.sh" --window-manager bash "$0" \
        "$executable" "$output" "$export_output"
fi
source "$support/private_display.sh"
source tests/e2e/operator.sh

contest="Autumn Carrier Meet"
today=$(date +%F)
"$executable" --new-contest "$contest" --first-day "$today" --last-day "$(date -d tomorrow +%F)" >"$work/cli.log" 2>&1 ||
    fatal "the contest was not started: $(cat "$work/cli.log")"
printf 'Name,Number,Classes\nAnn Lee,17,Class I\nB. Okafor,4,Class II\nC. Duarte,22,Profile\n' >"$work/entries.csv"
"$executable" --import-entries "$work/entries.csv" >"$work/cli.log" 2>&1 ||
    fatal "the entries were not imported: $(cat "$work/cli.log")"

sheet_title="^Orlo Carrier Scoring Program: $contest\$"
flights_title="^Flight journal: $contest\$"
start_program
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard"

focus() { # window
    xdotool windowactivate "$1" 2>/dev/null
    wait_for $patience has_keyboard "$1"
}
now_flying() { # number
    focus "$sheet" || fatal "the score sheet did not get the keyboard"
    press ctrl+n
    wait_for $patience eval '! sheet_has_keyboard' || fatal "the picker did not take the keyboard"
    xdotool type --delay 40 "$1"
    press Return
    wait_for $patience sheet_has_keyboard || fatal "the keyboard did not go back to the sheet"
}
# The upper scale option, in the sheet's pixels.
Scale_100=(216 516)
flight() { # class-x hs1 hs2 ls1 ls2 engines running scale [again]
    click "$sheet" "$1" "${Class_1[1]}"
    click "$sheet" "${HS_Watch_0[@]}"
    type_text "$2"; press Tab; type_text "$3"; press Tab; type_text "$4"; press Tab; type_text "$5"; press Tab
    if [ "$6" != 1 ]; then type_text "$6"; press Tab; type_text "$7"; press Tab; fi
    [ "$8" = upper ] && click "$sheet" "${Scale_100[@]}"
    click "$sheet" "${Command2[@]}"
    # Scored again with the scale points: a flight with two calculations.
    if [ "${9:-}" = again ]; then
        field_text "${Score[@]}" >/dev/null
        click "$sheet" "${Scale_100[@]}"
        click "$sheet" "${Command2[@]}"
    fi
    [ "$(field_text "${Score[@]}")" != 0 ] || fatal "the flight of $1 was not scored"
    click "$sheet" "${Command3[@]}"
}
now_flying 17
flight 12 12.3 12.4 25 25.4 1 1 upper
now_flying 4
flight 134 10.8 10.9 22.6 22.9 1 1 lower again
now_flying 22
flight 498 11.6 11.5 24.1 24.3 2 2 lower
now_flying 17
flight 12 9.7 9.8 21.4 21.2 2 1 upper

flights=$(visible_window "$flights_title")
[ -n "$flights" ] || fatal "Ctrl+N opened no flights window"
focus "$flights" || fatal "the flights window did not get the keyboard"
# The oldest flight, Ann Lee's first, is the last of the four in the list,
# newest first: chosen with a click, and marked void with its reason.
Fourth_flight=(100 277)
click "$flights" "${Fourth_flight[@]}"
press alt+r
# The first flight of the journal is flight 1.
wait_for $patience has_visible_window '^Correct flight 1$' || fatal "Alt+R opened no correction of the oldest flight"
focus "$(visible_window '^Correct flight 1$')" || fatal "the correction did not get the keyboard"
press alt+s v alt+r
xdotool type --delay 40 "test flight"
press Return
wait_for $patience no_visible_window '^Correct flight' || fatal "the correction was not taken"

# Without a compositor the X server keeps no picture of a window's part
# that another window covers: `import -window` takes it black, whether the
# other window is still open (a question the keys left unanswered, last
# time) or closed a moment ago and the part not yet painted again. So no
# window but the sheet and the flights window may be open, and the window
# is taken again until two pictures running are the same.
open_windows=$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | sort | tr '\n' '|')
[ "$open_windows" == "Flight journal: $contest|Orlo Carrier Scoring Program: $contest|" ] ||
    fatal "windows open over the flights window: $open_windows"
focus "$flights" || fatal "the flights window did not come to the front"
picture() { # file
    import -window "$shown" "$1" 2>/dev/null
}
same_pictures() {
    picture "$work/again.png" || return 1
    if [ -s "$work/before.png" ] &&
        [ "$(compare -metric AE "$work/before.png" "$work/again.png" null: 2>&1)" == 0 ]; then
        return 0
    fi
    mv "$work/again.png" "$work/before.png"
    sleep 0.5
    return 1
}
shown=$flights
wait_for $patience same_pictures || fatal "the flights window did not settle"
# Small in the repository: 8-bit colours, the window has few.
convert "$work/again.png" -strip PNG8:"$output" && echo "saved $output"

# The export's file dialog, which blocks the flights window alone, and the
# sheet taking a reading meanwhile.
press alt+x
wait_for $patience has_visible_window '^Export CSV…$' || fatal "Alt+X opened no file dialog"
focus "$sheet" || fatal "the sheet did not take the keyboard beside the file dialog"
click "$sheet" "${HS_Watch_0[@]}"
type_text 12.3
# The screen as far as the two windows and their frames reach.
eval "$(xdotool getwindowgeometry --shell "$flights")"
right=$((X + WIDTH + 8)) bottom=$((Y + HEIGHT + 8))
eval "$(xdotool getwindowgeometry --shell "$sheet")"
bottom=$((Y + HEIGHT + 8 > bottom ? Y + HEIGHT + 8 : bottom))
shown=root
rm -f "$work/before.png"
wait_for $patience same_pictures || fatal "the screen did not settle"
# 256 colours dithered: plain, they would band the sky of the sheet's picture.
convert "$work/again.png" -crop "${right}x${bottom}+0+0" +repage -strip -dither FloydSteinberg -colors 256 \
    PNG8:"$export_output" &&
    echo "saved $export_output"
