#!/usr/bin/env bash
# Takes docs/standings-window.png and docs/results-page.png from the real
# program: a small contest day written by bench's fill_contest, the first
# page of the results PDF written by --results and rendered at 60 dpi, and
# the Standings window opened with Ctrl+R on the sheet on a private X server
# with a window manager (tests/support/private_display.sh).
#
#   scripts/results_screenshots.sh [BUILD_FOLDER]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
display=tests/support/private_display.sh

# On the private display, started below: the window's picture.
if [ -n "${PRIVATE_DISPLAY:-}" ]; then
    source "$display"
    journal=$2
    window_named() { # title, or a pattern of titles: the id of the first window so named, waited for up to 10 s
        local id
        for _ in $(seq 100); do
            id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1)
            [ -n "$id" ] && { echo "$id"; return 0; }
            sleep 0.1
        done
        return 1
    }
    start_owned_process "$journal.log" "$build/app/Orlo_Score" --journal "$journal"
    app=$owned_pid
    sheet=$(window_named "Orlo Carrier Scoring Program: .*") || { echo "the sheet did not appear"; end_process "$app"; exit 1; }
    sleep 1
    xdotool windowactivate --sync "$sheet"
    xdotool key ctrl+r
    standings=$(window_named "Standings: .*") || { echo "Ctrl+R opened no Standings window"; end_process "$app"; exit 1; }
    sleep 1.5
    import -window "$standings" docs/standings-window.png && echo "saved docs/standings-window.png"
    end_process "$app"
    exit 0
fi

for tool in Xvfb openbox xdotool import pdftoppm; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/fill_contest" "$work/contest.sqlite" || { echo "fill_contest failed"; exit 1; }
"$build/app/Orlo_Score" --journal "$work/contest.sqlite" --results "$work/results.pdf" || exit 1
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/results.pdf" docs/results-page && echo "saved docs/results-page.png"
PRIVATE_DISPLAY_SCREEN=1920x1080x24 "$display" --window-manager "$0" "$build" "$work/contest.sqlite"
