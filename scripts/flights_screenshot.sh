#!/usr/bin/env bash
# Takes docs/flights-window.png from the real program: the entry list
# imported from a registration file, four flights scored on the sheet under
# a private Xvfb server with a window manager, driven with real keyboard and
# mouse events, each contestant named with Ctrl+N before the flight, one
# flight marked void, and the window saved with that flight chosen.
#
#   scripts/flights_screenshot.sh [ORLO_SCORE_EXECUTABLE] [OUTPUT.png]
set -uo pipefail
cd "$(dirname "$0")/.."
executable=${1:-build/default/app/Orlo_Score}
output=${2:-docs/flights-window.png}
for tool in Xvfb openbox xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid= wm_pid= app_pid=
cleanup() {
    # Only what this script started, by its process id.
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1400x1000x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf 'Name,Number,Classes\nAnn Lee,17,Class I\nB. Okafor,4,Class II\nC. Duarte,22,Profile\n' >"$work/entries.csv"
"$executable" --import-entries "$work/entries.csv" || exit 1
openbox --sm-disable >"$work/wm.log" 2>&1 &
wm_pid=$!
sleep 1
"$executable" >"$work/app.log" 2>&1 &
app_pid=$!
sheet=
for _ in $(seq 100); do
    sheet=$(xdotool search --name "^Orlo Carrier Scoring Program$" 2>/dev/null | head -1)
    [ -n "$sheet" ] && break
    sleep 0.1
done
[ -n "$sheet" ] || { echo "the sheet did not appear"; cat "$work/app.log"; exit 1; }
sleep 1

# Places on the sheet, in its pixels: the class options' row, the first watch
# field, the upper scale option, "Calc. Score" and "Reset".
click() { xdotool mousemove --window "$sheet" "$1" "$2" click 1; sleep 0.4; }
type_text() { xdotool type --delay 40 "$1"; sleep 0.2; }
tab() { xdotool key Tab; sleep 0.4; }
now_flying() { # number
    xdotool key ctrl+n; sleep 1.5; type_text "$1"; sleep 0.3; xdotool key Return; sleep 1
}
flight() { # class-x hs1 hs2 ls1 ls2 engines running scale [again]
    click "$1" 246
    click 48 322
    type_text "$2"; tab; type_text "$3"; tab; type_text "$4"; tab; type_text "$5"; tab
    if [ "$6" != 1 ]; then type_text "$6"; tab; type_text "$7"; tab; fi
    [ "$8" = upper ] && click 216 516
    click 448 560
    # Scored again with the scale points: a flight with two calculations.
    if [ "${9:-}" = again ]; then click 216 516; click 448 560; fi
    click 546 560
}
now_flying 17
flight 12 12.3 12.4 25 25.4 1 1 upper
now_flying 4
flight 134 10.8 10.9 22.6 22.9 1 1 lower again
now_flying 22
flight 498 11.6 11.5 24.1 24.3 2 2 lower
now_flying 17
flight 12 9.7 9.8 21.4 21.2 2 1 upper

flights=$(xdotool search --name "^Flight journal$" | head -1)
[ -n "$flights" ] || { echo "Ctrl+N opened no flights window"; cat "$work/app.log"; exit 1; }
xdotool windowactivate --sync "$flights"
sleep 0.5
# The first flight of Ann Lee, the oldest, marked void with its reason.
xdotool mousemove --window "$flights" 200 161 click 1; sleep 0.5; xdotool key alt+r; sleep 1
xdotool key Tab; sleep 0.2; xdotool key Down Down; sleep 0.2; xdotool key Tab; sleep 0.2
type_text "test flight"; xdotool key Return; sleep 1
sleep 0.5
import -window "$flights" "$output" && echo "saved $output"
