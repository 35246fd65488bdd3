#!/usr/bin/env bash
# Takes docs/standings-window.png and docs/results-page.png from the real
# program: a small contest day written by bench's fill_contest, the Standings
# window opened with Ctrl+R on the sheet under a private Xvfb server with a
# window manager, and the first page of the results PDF written by
# --results, rendered at 60 dpi.
#
#   scripts/results_screenshots.sh [BUILD_FOLDER]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
for tool in Xvfb openbox xdotool import pdftoppm; do
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

"$build/bench/fill_contest" "$work/contest.sqlite" || { echo "fill_contest failed"; exit 1; }
"$build/app/Orlo_Score" --journal "$work/contest.sqlite" --results "$work/results.pdf" || exit 1
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/results.pdf" docs/results-page && echo "saved docs/results-page.png"

Xvfb -displayfd 3 -screen 0 1400x1000x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
openbox --sm-disable >"$work/wm.log" 2>&1 &
wm_pid=$!
sleep 1
"$build/app/Orlo_Score" --journal "$work/contest.sqlite" >"$work/app.log" 2>&1 &
app_pid=$!
sheet=
for _ in $(seq 100); do
    sheet=$(xdotool search --name "^Orlo Carrier Scoring Program$" 2>/dev/null | head -1)
    [ -n "$sheet" ] && break
    sleep 0.1
done
[ -n "$sheet" ] || { echo "the sheet did not appear"; cat "$work/app.log"; exit 1; }
sleep 1
xdotool windowactivate --sync "$sheet"
xdotool key ctrl+r
standings=
for _ in $(seq 100); do
    standings=$(xdotool search --name "^Standings$" 2>/dev/null | head -1)
    [ -n "$standings" ] && break
    sleep 0.1
done
[ -n "$standings" ] || { echo "Ctrl+R opened no Standings window"; cat "$work/app.log"; exit 1; }
sleep 1.5
import -window "$standings" docs/standings-window.png && echo "saved docs/standings-window.png"
