#!/usr/bin/env bash
# Clicks that cross a focus move, made with the X server's own mouse and
# keyboard (XTEST) on the real program: the button goes down, the program
# moves the focus on, and only then the button comes up, as under a hand.
#
#   real_clicks.sh ORLO_SCORE_EXECUTABLE quiet|busy [RUNS]
#
# Each of RUNS runs (20 unless given), on one program:
#  - a press of "Calc. Score" right after a two-engine count, which sends the
#    focus on to the running engines while the button is held: it scores
#    183.9 with the bonus line;
#  - a press of "Reset" that leaves a refused engine count, answered with OK
#    on the message: every field is reset.
# Half the clicks are quick taps, half are held as a hand holds them.
# "busy" has the program share its core with a process that spins while the
# official's hands work, so that it gets half a core and its events wait
# behind the spinner; the X server and the clicks keep the other cores, which
# the rest of the test suite may use meanwhile. The load is held while the
# script reads the fields back, which the official does not do and which
# needs no load to be right. Exits 0 when every run passes, 77
# when a tool it needs is missing. Waits are hang watchdogs only.
set -uo pipefail
support=$(cd "$(dirname "$0")/../support" && pwd)

executable=${1:?usage: real_clicks.sh ORLO_SCORE_EXECUTABLE quiet|busy [RUNS]}
load=${2:?usage: real_clicks.sh ORLO_SCORE_EXECUTABLE quiet|busy [RUNS]}
runs=${3:-20}

for tool in Xvfb setpriv taskset xdotool xclip timeout; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
case "$load" in
quiet | busy) ;;
*) echo "FAIL: unknown load '$load' (quiet or busy)"; exit 1 ;;
esac
if [ -z "${PRIVATE_DISPLAY:-}" ] || [ "$PRIVATE_DISPLAY" != "${DISPLAY:-}" ]; then
    exec "$support/private_display.sh" bash "$0" "$@"
fi
source "$support/private_display.sh"
source "$(dirname "$0")/operator.sh"

spinners=()
# The first core this script may run on; the program and the spinner share it.
core=$(taskset -cp $$ | sed 's/.*: *//; s/[-,].*//')
if [ "$load" = busy ]; then
    start_owned_process /dev/null taskset -c "$core" bash -c 'while :; do :; done'
    owned_pids+=("$owned_pid")
    spinners+=("$owned_pid")
fi
# Holds the load (STOP) or lets it run again (CONT).
load() { # STOP|CONT
    [ ${#spinners[@]} -eq 0 ] || kill -"$1" "${spinners[@]}"
}

message_title='^Orlo_Score$'
LS_Watch_0=(48 393)

# Press and release as a hand does, the release after the program has had
# time to move the focus; or as a quick tap, both sent at once.
press_button() { # run button_x button_y
    if (($1 % 2 == 0)); then
        xdotool mousemove --window "$sheet" "$2" "$3" mousedown 1
        sleep 0.2
        xdotool mouseup 1
    else
        click "$sheet" "$2" "$3"
    fi
}

bonus_line() {
    click "$sheet" "${Summary_first_line[@]}"
    copied_after Home Down Down Down ctrl+c
}

echo "# real clicks across a focus move, $load, $runs runs each"
start_program
if [ "$load" = busy ]; then
    taskset -a -cp "$core" "$app_pid" >/dev/null || fatal "could not put the program on core $core"
fi
scored=0
reset=0
for ((run = 1; run <= runs; run++)); do
    click "$sheet" "${HS_Watch_0[@]}"
    type_text 12.5
    click "$sheet" "${LS_Watch_0[@]}"
    type_text 25
    click "$sheet" "${Command2[@]}"
    click "$sheet" "${Engines_0[@]}"
    type_text 2
    press_button "$run" "${Command2[@]}"
    program_caught_up
    load STOP
    score=$(field_text "${Score[@]}")
    line=$(bonus_line)
    load CONT
    if [ "$score" == 183.9 ] && [ "$line" == " 20.0 Multiple Engine Bonus" ]; then
        scored=$((scored + 1))
    else
        echo "FAIL run $run, two engines then \"Calc. Score\": score '$score', fourth summary line '$line'"
    fi

    click "$sheet" "${Engines_0[@]}"
    type_text 0
    press_button "$run" "${Command3[@]}"
    wait_for $patience has_visible_window "$message_title" || fatal "no message for the engine count 0"
    wait_for $patience has_keyboard "$(visible_window "$message_title")" || fatal "the message took no keyboard"
    press Return
    wait_for $patience no_visible_window "$message_title" || fatal "OK did not close the message"
    program_caught_up
    load STOP
    # The engine count first: where the press was lost, it still holds the
    # refused 0 and the focus, and any other field would bring the message back.
    fields=$(field_text "${Engines_0[@]}")
    if [ "$fields" != 1 ]; then
        type_text 1
        click "$sheet" "${Command3[@]}"
    fi
    fields+=" $(field_text "${HS_Watch_0[@]}") $(field_text "${HS_Time[@]}") $(field_text "${Score[@]}")"
    if [ "$fields" == "1 0 0 0" ]; then
        reset=$((reset + 1))
    else
        echo "FAIL run $run, \"Reset\" after a refused count: engines, watch, time, score '$fields', expected '1 0 0 0'"
    fi
    load CONT
done

echo "two engines then \"Calc. Score\": $scored/$runs scored 183.9 with the bonus line"
echo "\"Reset\" after a refused count: $reset/$runs reset every field"
click "$sheet" "${Command4[@]}"
program_ends || fatal "the program ended with status $?"
[ "$scored" -eq "$runs" ] && [ "$reset" -eq "$runs" ] || exit 1
echo "all runs passed"
