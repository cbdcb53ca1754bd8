#!/bin/bash
# The processor share of a run of 5 tickets, measured from outside the real program: a virtual
# desktop (Xvfb and openbox), a copy of the program under its own name (so a program already
# running elsewhere does not refuse it), a click on 按钮1, then the process's user and system
# time over the given seconds.
#
#   bench/cpu_share.sh build/release/app/vintrale [seconds]
#
# Prints: cpu_share_percent=… seconds=… tickets=5 caption=…
set -euo pipefail

program=$(realpath "$1")
seconds=${2:-20}
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the descriptor.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 10 number <&"$displayfd"
export DISPLAY=":$number"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

copy="$work/vintrale-cpu-$$"
cp "$program" "$copy"
"$copy" >"$work/program.log" 2>&1 &
pid=$!
pids+=("$pid")
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vintrale$' | head -n 1)
sleep 1

# 按钮1 sits at (287, 22) in the client area, 90 x 32.
xdotool mousemove --window "$window" 332 38 click 1
sleep 1
caption=$(xdotool getwindowname "$window")

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)
hertz=$(getconf CLK_TCK)
share=$(awk -v t=$((after - before)) -v hz="$hertz" -v s="$seconds" \
    'BEGIN { printf "%.2f", 100 * t / hz / s }')
echo "cpu_share_percent=$share seconds=$seconds tickets=5 caption=$caption"
