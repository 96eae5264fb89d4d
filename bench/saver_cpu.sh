#!/usr/bin/env bash
# CPU time of a running saver in picture mode: the real executable on its own Xvfb at 1920x1080,
# measured from /proc/<pid>/stat over a stretch of its run (10 s unless given), as a share of one core.
#
#   bench/saver_cpu.sh path/to/tarnik-saver [seconds]
set -euo pipefail

saver=${1:?usage: saver_cpu.sh path/to/tarnik-saver [seconds]}
seconds=${2:-10}
work=$(mktemp -d)
trap 'kill "${saver_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

cp "$saver" "$work/tarnik-saver"
mkdir "$work/pic"
# A full-screen picture with detail everywhere: the saver's own rendering of a colour background.
QT_QPA_PLATFORM=offscreen "$work/tarnik-saver" --snapshot "$work/pic/background.png" \
    --size 1920x1080 --now 2024-01-11T09:30:00 2>/dev/null

display=:$((100 + RANDOM % 800))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1

DISPLAY=$display "$work/tarnik-saver" /s 2>/dev/null &
saver_pid=$!
sleep 3  # start-up and the first frames are not what is measured

ticks() { awk '{print $14 + $15}' "/proc/$saver_pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)

awk -v used="$((after - before))" -v hz="$hz" -v start="$start" -v end="$end" 'BEGIN {
    wall = end - start; cpu = used / hz
    printf "saver CPU in picture mode at 1920x1080: %.2f s over %.2f s = %.1f%% of one core\n",
           cpu, wall, 100 * cpu / wall
}'
