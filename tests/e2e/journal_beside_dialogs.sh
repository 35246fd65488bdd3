#!/usr/bin/env bash
# The journal kept whole while the program's own file dialogs list its
# folder and other programs read it: the program runs from the journal's
# folder, every file dialog is opened there and cancelled, the command-line
# readers and an import run from other processes, flights are recorded and
# one corrected. Then no journal file the program holds is deleted, another
# program finds every flight, SQLite finds the file whole, and the Standings
# window saves the latest flight. Real keys on a private Xvfb server with a
# window manager; with "gtk3" under the GTK platform theme, whose own
# dialogs Qt would show.
#
#   journal_beside_dialogs.sh ORLO_SCORE_EXECUTABLE [gtk3]
#
# Exits 0 when every check holds, 77 when a tool it needs is missing.
set -uo pipefail
support=$(cd "$(dirname "$0")/../support" && pwd)

executable=${1:?usage: journal_beside_dialogs.sh ORLO_SCORE_EXECUTABLE [gtk3]}
theme=${2:-}

for tool in Xvfb setpriv xdotool xclip timeout openbox sqlite3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -n "$theme" ] && ! compgen -G "/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so" >/dev/null; then
    echo "SKIP: Qt's $theme platform theme is not installed"
    exit 77
fi
if [ -z "${PRIVATE_DISPLAY:-}" ] || [ "$PRIVATE_DISPLAY" != "${DISPLAY:-}" ]; then
    exec "$support/private_display.sh" --window-manager bash "$0" "$@"
fi
source "$support/private_display.sh"

source "$(dirname "$0")/operator.sh"
[ -n "$theme" ] && export QT_QPA_PLATFORMTHEME=$theme

# The journal in the folder every dialog opens on: the home folder, which
# is also the folder the program starts from.
journal="$work/contest.sqlite"
cd "$work" || fatal "no work folder"
printf 'Name,Number,Classes\r\nLee Ward,3,Class I\r\nB. Okafor,17,Class I\r\n' >entries.csv
printf 'Name,Number,Classes\r\nC. Diaz,21,Class I\r\n' >late-entries.csv
"$executable" --journal "$journal" --import-entries entries.csv >import.log 2>&1 ||
    fatal "the entries were not imported: $(cat import.log)"

focus() { # window
    xdotool windowactivate "$1" 2>/dev/null
    wait_for $patience has_keyboard "$1"
}

# Names the contestant flying next from the sheet, types a high-speed watch
# reading and scores the flight.
fly() { # letters of the contestant's name, watch reading, expected score
    focus "$sheet" || fatal "the score sheet did not get the keyboard"
    press ctrl+n
    wait_for $patience eval '! sheet_has_keyboard' || fatal "the picker did not take the keyboard"
    xdotool type --delay 40 "$1"
    press Return
    focus "$sheet" || fatal "the keyboard did not go back to the sheet"
    click "$sheet" "${HS_Watch_0[@]}"
    type_text "$2"
    press Tab
    click "$sheet" "${Command2[@]}"
    check "score of the flight of '$1'" "$(field_text "${Score[@]}")" "$3"
}

# Opens a file dialog with the keys given in the window given, lets it list
# the folder, and cancels it. The listing runs on a thread of the dialog's
# own, which tells nothing when it ends: the second covers it.
open_and_cancel() { # window dialog_title keys...
    local window=$1 title=$2
    shift 2
    focus "$window" || { check "the keyboard in the window of '$title'" no yes; return; }
    press "$@"
    if ! wait_for $patience has_visible_window "^$title\$"; then
        check "the dialog '$title' opened" no yes
        return
    fi
    sleep 1
    focus "$(visible_window "^$title\$")"
    press Escape
    wait_for $patience no_visible_window "^$title\$" || fatal "the dialog '$title' did not close"
}

echo "# the program started from the journal's folder, a flight recorded"
start_owned_process "$work/app.log" "$executable" --journal "$journal"
app_pid=$owned_pid
wait_for $patience has_visible_window "$sheet_title" || fatal "the score sheet did not appear"
sheet=$(visible_window "$sheet_title")
fly oka 12.3 146.3
flights_window=$(visible_window '^Flight journal$')
[ -n "$flights_window" ] || fatal "Ctrl+N opened no flights window"

echo "# every file dialog of the program opened on the journal's folder and cancelled"
focus "$sheet"
press ctrl+r
wait_for $patience has_visible_window '^Standings$' || fatal "Ctrl+R opened no Standings window"
standings=$(visible_window '^Standings$')
open_and_cancel "$standings" "Save results" ctrl+s
# The print dialogs list the home folder for their output file.
open_and_cancel "$standings" "Print" ctrl+p
open_and_cancel "$standings" "Print Preview" ctrl+shift+p
open_and_cancel "$flights_window" "Export CSV…" alt+x
open_and_cancel "$flights_window" "Back up journal…" alt+b
open_and_cancel "$flights_window" "Merge another scoring table…" alt+m
focus "$flights_window"
press alt+e
wait_for $patience has_visible_window '^Entry list$' || fatal "Alt+E opened no entry list"
open_and_cancel "$(visible_window '^Entry list$')" "Import CSV…" alt+i

echo "# the command-line readers and an import from other programs"
"$executable" --journal "$journal" --results results-before.csv >>readers.log 2>&1 ||
    check "--results while the window records" failed ok
"$executable" --journal "$journal" --export-journal flights-before.csv >>readers.log 2>&1 ||
    check "--export-journal while the window records" failed ok
"$executable" --journal "$journal" --backup-journal backup.sqlite >>readers.log 2>&1 ||
    check "--backup-journal while the window records" failed ok
"$executable" --journal "$journal" --import-entries late-entries.csv >>readers.log 2>&1 ||
    check "--import-entries while the window records" failed ok

echo "# flights recorded after them, one corrected"
fly ward 11.0 163.6
focus "$flights_window"
press alt+r
if wait_for $patience has_visible_window '^Correct flight'; then
    focus "$(visible_window '^Correct flight')"
    press alt+s v alt+r
    xdotool type --delay 40 "scored twice"
    press Return
    wait_for $patience no_visible_window '^Correct flight' || check "the correction dialog closed" no yes
else
    check "Alt+R opened the correction dialog" no yes
fi
fly diaz 10.0 179.9

echo "# the Standings window saves what the journal holds"
focus "$standings"
press ctrl+s
if wait_for $patience has_visible_window '^Save results$'; then
    focus "$(visible_window '^Save results$')"
    xdotool type --delay 40 "$work/standings.csv"
    press Return
    wait_for $patience test -s "$work/standings.csv" || check "the Standings window saved its results" no yes
else
    check "Ctrl+S opened the Save results dialog" no yes
fi

echo "# the journal as the program holds it"
deleted=$(ls -l "/proc/$app_pid/fd" 2>/dev/null | grep -o 'contest\.sqlite[^ ]* (deleted)' | sort -u | tr '\n' ' ')
check "journal files the program holds deleted" "$deleted" ""

click "$sheet" "${Command4[@]}"
program_ends
check "exit status" "$?" 0

echo "# the journal as other programs find it"
"$executable" --journal "$journal" --export-journal flights.csv >export.log 2>&1 ||
    check "--export-journal after the day" "$(cat export.log)" ok
check "flights another program finds" "$(grep -c '^[0-9][0-9]*,' flights.csv)" 3
check "the corrected flight's status" "$(grep -c ',void,scored twice,' flights.csv)" 1
check "integrity" "$(sqlite3 "$journal" 'PRAGMA integrity_check' 2>&1)" ok
check "the latest flight in the Standings window" "$(grep -c '^Class I,1,C\. Diaz,21,179\.9' standings.csv)" 1
"$executable" --journal "$journal" --results results.csv >results.log 2>&1 ||
    check "--results after the day" "$(cat results.log)" ok
check "the latest flight in the results" "$(grep -c '^Class I,1,C\. Diaz,21,179\.9' results.csv)" 1

checks_end
