#!/usr/bin/env bash
# Measures what quillmere.exe costs while nothing moves, under Wine beside the
# demo host with 10 palettes and the pointer parked over the host's document
# area. Runs in turn, each for the same time: quillmere.exe, and idletick.exe
# (only the calls a tick must make) without and with skipping moves that change
# nothing. For each it reads from /proc the CPU time of the program and of the
# demo host over the same interval and the program's private resident memory,
# and prints them with their ratios to the skipping idletick.exe.
#
# usage: scripts/measure-idle.sh [seconds]   (default 30 per program)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-30}
settleSeconds=5

bash scripts/setup.sh >/dev/null || exit 1
cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null || exit 1
build=$root/build/windows

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
QUILLMERE_WINE_NO_TRAP=1
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-idle.XXXXXX")
hostPid=""
cleanUp() {
    pkill -9 -f 'idletick.exe|quillmere.exe' 2>/dev/null
    [ -z "$hostPid" ] || kill -9 "$hostPid" 2>/dev/null
    wine_env_stop
    rm -rf "$work"
}
trap cleanUp EXIT
wine_env_start --xvfb >/dev/null || exit 1

clockTicks=$(getconf CLK_TCK)

# The Linux process that runs a Windows program: its command line names the exe.
pidOf() {
    pgrep -n -f "$1" 2>/dev/null
}

# utime + stime of a process, in clock ticks.
cpuTicks() {
    awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0
}

# Private resident memory of a process, in KiB.
privateKib() {
    awk '/^Private_(Clean|Dirty):/ {sum += $2} END {print sum + 0}' "/proc/$1/smaps_rollup" 2>/dev/null
}

(cd "$work" && exec wine "$build/tools/demohost/demohost.exe") >"$work/host.out" 2>/dev/null &
for _ in $(seq 1 300); do
    grep -q '^READY' "$work/host.out" 2>/dev/null && break
    sleep 0.1
done
hostPid=$(pidOf 'demohost.exe')
[ -n "$hostPid" ] || { echo "measure: the demo host did not come up" >&2; exit 1; }
# Five more palettes, to make ten: two at the left, two at the right, one at the bottom.
for place in "-30 760" "20 840" "1100 720" "1150 840" "760 880"; do
    # shellcheck disable=SC2086
    wine "$build/tools/demohost/democtl.exe" open $place >/dev/null 2>&1
done
xdotool mousemove 640 500

# measure <label> <exe> [args...]: one program's figures into $work/<label>.
measure() {
    local label=$1 exe=$2
    shift 2
    local dir=$work/$label
    mkdir -p "$dir"
    cp "$exe" "$dir/"
    (cd "$dir" && exec wine "$dir/$(basename "$exe")" "$@") >/dev/null 2>&1 &
    sleep "$settleSeconds"
    local pid
    pid=$(pidOf "$dir/$(basename "$exe")")
    pid=${pid:-$(pidOf "$(basename "$exe")")}
    if [ -z "$pid" ]; then
        echo "measure: $label did not start" >&2
        return 1
    fi
    local own0 host0 own1 host1
    own0=$(cpuTicks "$pid")
    host0=$(cpuTicks "$hostPid")
    sleep "$seconds"
    own1=$(cpuTicks "$pid")
    host1=$(cpuTicks "$hostPid")
    echo "$((own1 - own0)) $((host1 - host0)) $(privateKib "$pid")" >"$work/$label.figures"
    kill -9 "$pid" 2>/dev/null
    sleep 1
}

measure quillmere "$build/quillmere.exe" || exit 1
measure minimal "$build/tools/idlecost/idletick.exe" || exit 1
measure minimal-skip "$build/tools/idlecost/idletick.exe" --skip || exit 1

read -r baseOwn baseHost baseKib <"$work/minimal-skip.figures"
echo "idle cost over $seconds s each, 10 palettes, pointer parked (CPU in clock ticks of 1/$clockTicks s)"
printf '%-14s %10s %10s %12s   %s\n' program "own CPU" "host CPU" "private KiB" "ratios to minimal-skip (own, host, memory)"
for label in quillmere minimal minimal-skip; do
    read -r own host kib <"$work/$label.figures"
    printf '%-14s %10d %10d %12d   %s\n' "$label" "$own" "$host" "$kib" \
        "$(awk -v o="$own" -v h="$host" -v k="$kib" -v bo="$baseOwn" -v bh="$baseHost" -v bk="$baseKib" \
            'function r(a, b) { return b > 0 ? sprintf("%.2f", a / b) : (a > 0 ? "inf" : "1.00") }
             BEGIN { printf "%s, %s, %s", r(o, bo), r(h, bh), r(k, bk) }')"
done
