#!/usr/bin/env bash
# Starts the installed program the way a desktop menu does, from its menu
# entry, under a private Xvfb, and checks the window that comes up: its
# title, the window class the menu entry matches it by, and its icon.
#   check_launch.sh BUILD_DIR WORK_DIR
# The X server and everything started on it, the program included, end with
# the check, whatever the caller's display and platform settings are.
set -uo pipefail

build=$1
work=$2
app_id=org.orloscore.OrloScore
title="Orlo Carrier Scoring Program"

rm -rf "$work"
mkdir -p "$work"
prefix=$work/usr
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAULT: cmake --install failed"
    exit 1
fi

cat >"$work/launch.sh" <<'EOF'
set -u
prefix=$1 app_id=$2 title=$3
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

PATH=$prefix/bin:$PATH XDG_DATA_DIRS=$prefix/share:/usr/share \
    gio launch "$prefix/share/applications/$app_id.desktop" || { echo "FAULT: gio launch failed"; exit 1; }
# A hang watchdog only: a loaded machine may take its time.
window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1)
[ -n "$window" ] || { echo "FAULT: no window titled '$title' within a minute"; exit 1; }

pid=$(xprop -id "$window" _NET_WM_PID | awk '{ print $3 }')
if [ -z "$pid" ] || [ "$(readlink "/proc/$pid/exe")" != "$prefix/bin/Orlo_Score" ]; then
    fault "the window does not belong to $prefix/bin/Orlo_Score"
fi

# Docks and task bars find the menu entry, and with it the icon, by the window class.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/$app_id.desktop")
xprop -id "$window" WM_CLASS | grep -q "\"$wm_class\"\$" ||
    fault "window class $(xprop -id "$window" WM_CLASS | cut -d= -f2) does not match StartupWMClass=$wm_class"

icons=$(xprop -id "$window" -notype _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u | tr '\n' ' ')
case $icons in
*"Icon (32 x 32)"*) ;;
*) fault "the window carries no 32 x 32 icon (has: ${icons:-none})" ;;
esac

[ -n "$pid" ] && kill "$pid"
exit "$faults"
EOF

# gio does not wait for the program it starts, but the program stays in the
# launching script's process group, which private_display.sh ends with it.
"$(dirname "$0")/../tests/support/private_display.sh" bash "$work/launch.sh" "$prefix" "$app_id" "$title"
status=$?
if [ "$status" -ne 0 ]; then
    echo "the program did not start properly from its menu entry"
    exit 1
fi
echo "the menu entry starts $prefix/bin/Orlo_Score, whose window carries its class and icon"
