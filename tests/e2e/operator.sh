# The official's hands and eyes on the real program, for the end-to-end
# scripts that run it on a private X server: starting and ending it, clicks
# and keys through the X server (XTEST), and fields read back through the
# clipboard. Sourced after private_display.sh, with $executable set; it
# ends on every path whatever it started, by process id (the program, and
# every process id put into owned_pids).

work=$(mktemp -d)
app_pid=
owned_pids=()
failures=0
patience=60

cleanup() {
    trap - EXIT INT TERM HUP
    # Only what this script started, by its process id.
    [ -n "$app_pid" ] && end_process "$app_pid"
    local pid
    for pid in "${owned_pids[@]}"; do
        end_process "$pid"
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP

# Ends the script: status 1 with the program's output when a check failed.
checks_end() {
    if [ $failures -gt 0 ]; then
        echo "--- program output"
        cat "$work/app.log"
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}

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

start_program() { # [program argument...]
    start_owned_process "$work/app.log" "$executable" "$@"
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
has_keyboard() { # window
    [ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]
}
sheet_has_keyboard() {
    has_keyboard "$sheet"
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

