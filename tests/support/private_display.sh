#!/usr/bin/env bash
# A private X server for one test or benchmark: Xvfb on a display number the
# server picks itself (-displayfd), so that tests and whole suites running at
# the same time never collide, optionally with the openbox window manager.
# Programs started on it see only this display, whatever the caller's
# environment holds: Qt's X11 platform, no Wayland, a runtime directory and
# a data folder (so a flight journal) of their own, and no D-Bus session bus
# (the address points at nothing, so no bus is started for them either).
# Everything it starts ends with it, on every path: at exit and on a signal;
# killed outright (a CTest timeout), it takes the X server along through the
# parent-death signal, and with the server go the programs still on it.
#
# Runs a command on it, in a process group that is ended with it; the exit
# status is the command's. PRIVATE_DISPLAY tells the command the display is
# its own.
#   private_display.sh [--window-manager] COMMAND [ARG...]
# The screen is 1280x1024x24, or PRIVATE_DISPLAY_SCREEN when set.
# Sourced by such a command, it lends it the means to end what it starts:
#   start_owned_process LOG_FILE COMMAND [ARG...]   # sets owned_pid
#   end_process PID

private_display_pids=()

# Starts a command in the background, killed with SIGKILL should this shell
# die before it can end it. The process id is left in owned_pid.
start_owned_process() { # log_file command [arg...]
    local log=$1
    shift
    setpriv --pdeathsig KILL -- "$@" >"$log" 2>&1 </dev/null &
    owned_pid=$!
}

# Ends one process this shell started: SIGTERM, and SIGKILL when it has not
# ended after a few seconds. A stopped process is woken to take the SIGTERM.
end_process() { # pid
    local pid=$1 tries
    kill -TERM "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    kill -CONT "$pid" 2>/dev/null
    for ((tries = 0; tries < 50; tries++)); do
        [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

# Waits up to a minute for a starting server to write into the file it
# reports its readiness in; fails at once should the server end.
server_ready() { # pid file
    local tries
    for ((tries = 0; tries < 600; tries++)); do
        [ -s "$2" ] && return 0
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

private_display_start() { # work_dir [openbox|none]
    local work=$1 manager=${2:-none} tool
    for tool in Xvfb setpriv; do
        command -v "$tool" >/dev/null || { echo "private display: $tool is not installed"; return 1; }
    done
    mkdir -p "$work/runtime" && chmod 700 "$work/runtime" || return 1

    setpriv --pdeathsig KILL -- Xvfb -displayfd 3 -screen 0 "${PRIVATE_DISPLAY_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
        3>"$work/display" >"$work/xvfb.log" 2>&1 </dev/null &
    private_display_pids+=($!)
    if ! server_ready "$!" "$work/display"; then
        echo "private display: Xvfb did not start: $(cat "$work/xvfb.log")"
        return 1
    fi

    export DISPLAY=":$(head -n1 "$work/display")" PRIVATE_DISPLAY=":$(head -n1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
    export XDG_RUNTIME_DIR=$work/runtime
    # Flights scored by a test go into a journal of its own, never the user's.
    export XDG_DATA_HOME=$work/data
    # And the windows' places it leaves into settings of its own.
    export XDG_CONFIG_HOME=$work/config
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/no-session-bus"
    unset WAYLAND_DISPLAY XAUTHORITY

    case $manager in
    none) ;;
    openbox)
        command -v openbox >/dev/null || { echo "private display: openbox is not installed"; return 1; }
        rm -f "$work/wm-ready"
        start_owned_process "$work/wm.log" openbox --sm-disable --startup "sh -c 'echo ready >$work/wm-ready'"
        private_display_pids+=("$owned_pid")
        if ! server_ready "$owned_pid" "$work/wm-ready"; then
            echo "private display: openbox did not start: $(cat "$work/wm.log")"
            return 1
        fi
        ;;
    *)
        echo "private display: unknown window manager '$manager' (openbox or none)"
        return 1
        ;;
    esac
}

# Ends what private_display_start started, the X server last.
private_display_end() {
    local i
    for ((i = ${#private_display_pids[@]} - 1; i >= 0; i--)); do
        end_process "${private_display_pids[i]}"
    done
    private_display_pids=()
}

# Ends a process group this shell started, and whatever is left in it.
end_group() { # process group id
    local tries
    kill -TERM -- "-$1" 2>/dev/null || return 0
    for ((tries = 0; tries < 50; tries++)); do
        kill -0 -- "-$1" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL -- "-$1" 2>/dev/null
    return 0
}

# Run as a command: the command runs in a session of its own, and at the end
# that whole process group is ended, so nothing it started outlives it.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -u
    manager=none
    if [ "${1:-}" = --window-manager ]; then
        manager=openbox
        shift
    fi
    [ $# -gt 0 ] || { echo "usage: private_display.sh [--window-manager] COMMAND [ARG...]" >&2; exit 2; }

    work=$(mktemp -d "${TMPDIR:-/tmp}/private-display.XXXXXX")
    command_pid=
    finish() {
        trap - EXIT INT TERM HUP
        if [ -n "$command_pid" ]; then
            end_group "$command_pid"
            wait "$command_pid" 2>/dev/null
        fi
        private_display_end
        rm -rf "$work"
    }
    trap finish EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT
    trap 'exit 129' HUP

    private_display_start "$work" "$manager" || exit 1
    # Not a group leader, setsid starts the new session without a fork: the
    # command keeps this process id, which is also its group's id.
    setpriv --pdeathsig KILL -- setsid -- "$@" &
    command_pid=$!
    wait "$command_pid"
    exit $?
fi
