#!/usr/bin/env bash
# Scores a whole flight on the real program, driven from outside the process
# with real keyboard and mouse events (XTEST) on a private Xvfb server, and
# reads the results back the way any other program can: through the clipboard.
#
#   typical_flight.sh ORLO_SCORE_EXECUTABLE openbox|none
#
# With "openbox" the windows have a window manager as on an official's desktop,
# and two more runs check closing by the windows' own close controls.
# Environment: ORLO_SCREENSHOT=file.png saves the screen with the dialog open.
# Exits 0 when every check holds, 77 when a tool it needs is missing.
# Waits are hang watchdogs only: a step fails when nothing has happened
# after a minute, however slow the machine.
set -uo pipefail
support=$(cd "$(dirname "$0")/../support" && pwd)

executable=${1:?usage: typical_flight.sh ORLO_SCORE_EXECUTABLE openbox|none}
manager=${2:?usage: typical_flight.sh ORLO_SCORE_EXECUTABLE openbox|none}

for tool in Xvfb setpriv xdotool xclip timeout; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ "$manager" = openbox ]; then
    command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
    if [ -n "${ORLO_SCREENSHOT:-}" ]; then
        command -v import >/dev/null || { echo "SKIP: import (ImageMagick) is not installed"; exit 77; }
    fi
fi

case "$manager" in
openbox) display_options=(--window-manager) ;;
none) display_options=() ;;
*) echo "FAIL: unknown window manager '$manager' (openbox or none)"; exit 1 ;;
esac
# The script runs on a private X server, in a process group that ends with
# it, so that nothing it starts outlives it (xclip stays behind to serve
# the clipboard, for one).
if [ -z "${PRIVATE_DISPLAY:-}" ] || [ "$PRIVATE_DISPLAY" != "${DISPLAY:-}" ]; then
    exec "$support/private_display.sh" "${display_options[@]}" bash "$0" "$@"
fi
source "$support/private_display.sh"

source "$(dirname "$0")/operator.sh"

# --- the typical flight
echo "# typical flight, window manager: $manager"
start_program

click "$sheet" "${Class_1[@]}"
click "$sheet" "${HS_Watch_0[@]}"
type_text 12.3
click "$sheet" "${HS_Watch_1[@]}"
type_text 12.4
press Tab
type_text 25
press Tab
type_text 25.2
press Tab

click "$sheet" "${LandingPts[@]}"
wait_for $patience has_visible_window "$dialog_title" || fatal "clicking into the landing points did not open the dialog"
dialog=$(visible_window "$dialog_title")
if [ -n "${ORLO_SCREENSHOT:-}" ]; then
    sleep 0.5
    import -window root "$ORLO_SCREENSHOT" || fatal "no screenshot"
fi
# The focus opens on the 100-point arrest; Tab leads on to the list.
check "missed laps as opened" "$(copied_after Tab ctrl+c)" "0 landings missed"
check "missed laps picked" "$(copied_after Down Down ctrl+c)" "2 landings missed"
click "$dialog" "${Done[@]}"
wait_for $patience no_visible_window "$dialog_title" || fatal "\"Done\" did not close the dialog"

# "Done" handed the focus to "Calc. Score": Space presses it.
wait_for $patience sheet_has_keyboard || fatal "the score sheet did not get the keyboard back after \"Done\""
program_caught_up
press space
check "score" "$(field_text "${Score[@]}")" 256.0
check "summary" "$(summary_lines)" \
    "Class II|145.7 High Speed Points|20.3 Low Speed Points|.0 Scale Points|90.0 Landing Points|256.0 Total Score"
# Reading a field selects it; done after the dialog's screenshot, which shows
# the fields as the operator left them.
check "high-speed average" "$(field_text "${HS_Time[@]}")" 12.35
check "high-speed speed" "$(field_text "${HS_MPH[@]}")" 145.690347590725
check "high-speed points" "$(field_text "${HS_Points[@]}")" 145.7
check "low-speed average" "$(field_text "${LS_Time[@]}")" 25.1
check "low-speed speed" "$(field_text "${LS_MPH[@]}")" 71.6842945316914
check "low-speed points" "$(field_text "${LS_Points[@]}")" 20.3
check "engines" "$(field_text "${Engines_0[@]}")" 1

click "$sheet" "${Command3[@]}"
check "score after reset" "$(field_text "${Score[@]}")" 0
check "high-speed watch after reset" "$(field_text "${HS_Watch_0[@]}")" 0
check "low-speed points after reset" "$(field_text "${LS_Points[@]}")" 0

click "$sheet" "${Command4[@]}"
program_ends
check "exit status after \"Exit\"" "$?" 0

echo "# \"Exit\" with the dialog open"
start_program
click "$sheet" "${Command1[@]}"
wait_for $patience has_visible_window "$dialog_title" || fatal "\"Landing Points\" did not open the dialog"
# One click on "Exit" of the inactive sheet is enough, with or without a
# window manager.
click "$sheet" "${Command4[@]}"
program_ends
check "exit status after \"Exit\" with the dialog open" "$?" 0

if [ "$manager" = openbox ]; then
    # Openbox closes the active window on Alt+F4, as the title bar's close
    # button does.
    echo "# the dialog's own close control writes nothing"
    start_program
    click "$sheet" "${Command1[@]}"
    wait_for $patience has_visible_window "$dialog_title" || fatal "\"Landing Points\" did not open the dialog"
    press Down Down # the 25-point arrest
    press alt+F4
    wait_for $patience no_visible_window "$dialog_title" || fatal "Alt+F4 did not close the dialog"
    click "$sheet" "${Command2[@]}"
    check "score with the dialog closed unscored" "$(field_text "${Score[@]}")" 0.0

    echo "# the sheet closed under the open dialog"
    click "$sheet" "${Command1[@]}"
    wait_for $patience has_visible_window "$dialog_title" || fatal "\"Landing Points\" did not open the dialog again"
    dialog=$(visible_window "$dialog_title")
    click "$sheet" "${Sheet_background[@]}"
    press alt+F4
    wait_for $patience no_visible_window "$sheet_title" || fatal "Alt+F4 did not close the score sheet"
    sleep 0.5
    is_running || fatal "the program ended although the dialog was still open"
    has_visible_window "$dialog_title" || fatal "the dialog closed with the score sheet"
    echo "ok   program still running with the dialog open"
    click "$dialog" "${Done[@]}"
    program_ends
    check "exit status after \"Done\" on the last window" "$?" 0
fi

checks_end
