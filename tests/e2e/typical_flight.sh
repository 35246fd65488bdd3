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

work=$(mktemp -d)
app_pid=
failures=0
patience=60

cleanup() {
    trap - EXIT INT TERM HUP
    # Only what this script started, by its process id.
    [ -n "$app_pid" ] && end_process "$app_pid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP

fatal() {
    echo "FAIL: $*"
    if [ -s "$work/app.log" ]; then
        echo "--- program output"
        cat "$work/app.log"
    fi
    exit 1
}

check() { # what actual expected
    if [ "$2" == "$3" ]; then
        echo "ok   $1: '$2'"
    else
        echo "FAIL $1: got '$2', expected '$3'"
        failures=$((failures + 1))
    fi
}

wait_for() { # seconds command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"

# --- the operator's hands and eyes
sheet_title='^Orlo Carrier Scoring Program$'
dialog_title='^Form2$'

visible_window() { # title pattern; prints the window id
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1
}
no_visible_window() {
    [ -z "$(visible_window "$1")" ]
}
has_visible_window() {
    [ -n "$(visible_window "$1")" ]
}
is_running() {
    kill -0 "$app_pid" 2>/dev/null && [ "$(ps -o stat= -p "$app_pid" 2>/dev/null | cut -c1)" != Z ]
}

start_program() {
    start_owned_process "$work/app.log" "$executable"
    app_pid=$owned_pid
    wait_for $patience has_visible_window "$sheet_title" || fatal "the score sheet did not appear"
    sheet=$(visible_window "$sheet_title")
}

# Ends with the program's exit status, or fails when it does not end.
program_ends() {
    wait_for $patience eval '! is_running' || fatal "the program did not end"
    wait "$app_pid"
    local status=$?
    app_pid=
    return $status
}

# Positions inside a window's client area, in pixels (the layout is fixed).
click() { # window x y
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

press() {
    xdotool key --delay 40 "$@"
}

marker='<nothing copied>'
clipboard() {
    timeout 10 xclip -o -selection clipboard 2>/dev/null
}
clipboard_is() {
    [ "$(clipboard)" == "$1" ]
}

# What the program put on the clipboard after the keys given. A marker goes
# there first, and the keys follow once it reads back (xclip serves it from
# a process of its own that may still be starting), so that a stale
# clipboard is never taken for the answer.
copied_after() { # keys...
    printf '%s' "$marker" | xclip -selection clipboard >/dev/null 2>&1
    wait_for $patience clipboard_is "$marker" || { printf '%s' '<the clipboard took no marker>'; return; }
    press "$@"
    local text deadline=$((SECONDS + patience))
    while :; do
        text=$(clipboard)
        if [ "$text" != "$marker" ] || [ $SECONDS -ge $deadline ]; then
            printf '%s' "$text"
            return
        fi
        sleep 0.1
    done
}

# The program hands the focus on from its event loop, after the click or
# key that moved it; keys typed ahead of that, on a busy machine, land in
# the field before it selects its text on entry. So the operator waits for
# the field to show the focus: the program answers a copy of the field's
# text only once it has handled everything before, and then the text
# replaces the selection, as it does after the program's own.
type_text() {
    copied_after ctrl+a ctrl+c >/dev/null
    xdotool type --delay 40 "$1"
}

# Returns once the program has handled every click and key sent so far:
# since its last copy it owns the clipboard, and answers a request for it
# from its event loop, after them.
program_caught_up() {
    clipboard >/dev/null
    clipboard >/dev/null
}
sheet_has_keyboard() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" == "$sheet" ]
}

# A text box's text: click into it, select everything, copy.
field_text() { # x y
    click "$sheet" "$1" "$2"
    copied_after ctrl+a ctrl+c
}

# The centres of the score sheet's controls.
Class_1=(134 246)
HS_Watch_0=(48 322)
HS_Watch_1=(212 324)
HS_Time=(384 324)
HS_MPH=(548 322)
HS_Points=(712 322)
LS_Time=(384 393)
LS_MPH=(548 396)
LS_Points=(712 396)
Engines_0=(48 502)
LandingPts=(344 504)
Score=(448 504)
Summary_first_line=(540 428)
Command1=(350 560) # "Landing Points"
Command2=(448 560) # "Calc. Score"
Command3=(546 560) # "Reset"
Command4=(790 560) # "Exit"
Sheet_background=(100 424) # "Bonus and Landing Points"
# ... and of the dialog's.
Done=(568 264)

summary_lines() {
    click "$sheet" "${Summary_first_line[@]}"
    local lines=() line i
    lines+=("$(copied_after Home ctrl+c)")
    for i in 1 2 3 4 5 6; do
        line=$(copied_after Down ctrl+c)
        [ "$line" == "${lines[-1]}" ] && break
        lines+=("$line")
    done
    local IFS='|'
    printf '%s' "${lines[*]}"
}

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

if [ $failures -gt 0 ]; then
    echo "--- program output"
    cat "$work/app.log"
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
