#!/usr/bin/env bash
# Measures what quillmere.exe costs while nothing moves, under Wine beside the
# demo host with 10 palettes and the pointer parked over the host's document
# area. quillmere.exe runs as its users leave it: hidden in the notification
# area after its "OK" (pressok.exe presses it and waits for the tray icon).
# Then, each for the same time, idletick.exe (only the calls a tick must make)
# without and with skipping moves that change nothing; quillmere.exe skips
# them too, so the skipping run is its yardstick. For each it reads from /proc
# the CPU time of the program and of the demo host over the same interval, the
# program's waits per tick and its private resident memory, and prints them
# with their ratios to the skipping idletick.exe.
#
# Waits are the program's voluntary context switches: under Wine nearly every
# call that asks the wineserver (a window of another process, a file) blocks
# once, so they count its server round trips plus the waits for the next
# tick. CPU time on a shared or virtual machine drifts by a third or more from
# one minute to the next; the waits vary between runs by a few per cent.
#
# usage: scripts/measure-idle.sh [seconds]   (default 60 per program)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
seconds=${1:-60}
settleSeconds=5

bash scripts/setup.sh >/dev/null || exit 1
cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null || exit 1
build=$root/build/windows

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
# shellcheck disable=SC2034 # read by wine_env_start
QUILLMERE_WINE_NO_TRAP=1
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-idle.XXXXXX")
hostPid=""
programPid=""
# Ends a program started in the background here, quietly.
stopProgram() {
    [ -n "$1" ] || return 0
    kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
cleanUp() {
    stopProgram "$programPid"
    stopProgram "$hostPid"
    wine_env_stop
    rm -rf "$work"
}
trap cleanUp EXIT
wine_env_start --xvfb >/dev/null || exit 1

clockTicks=$(getconf CLK_TCK)

# The Linux process that runs a Windows program of this run: its command line
# names the exe and its environment this run's Wine prefix (other runs on the
# machine may have the same program going in prefixes of their own).
pidOf() {
    local pid
    for pid in $(pgrep -f "$1" 2>/dev/null); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

# utime + stime of a process, in clock ticks.
cpuTicks() {
    awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0
}

# Voluntary context switches of a process, all its threads.
waits() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches:/ {sum += $2} END {print sum + 0}'
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

# startProgram <label> <exe> [args...]: runs a copy of the program in a folder
# of its own, $work/<label>, with the settings file of quillmere.exe's run
# beside it when there is one (the tick reads it), and sets programPid.
startProgram() {
    local label=$1 exe=$2
    shift 2
    local dir=$work/$label
    mkdir -p "$dir"
    cp "$exe" "$dir/"
    [ ! -f "$work/quillmere/ZC.reg" ] || cp "$work/quillmere/ZC.reg" "$dir/"
    (cd "$dir" && exec wine "$dir/$(basename "$exe")" "$@") >/dev/null 2>&1 &
    programPid=""
    for _ in $(seq 1 100); do
        programPid=$(pidOf "$(basename "$exe")") && break
        sleep 0.1
    done
    if [ -z "$programPid" ]; then
        echo "measure: $label did not start" >&2
        return 1
    fi
}

# measure <label>: after the program has settled, its figures over $seconds
# into $work/<label>.figures; then ends it.
measure() {
    local label=$1
    sleep "$settleSeconds"
    local own0 host0 waits0 own1 host1 waits1
    own0=$(cpuTicks "$programPid")
    host0=$(cpuTicks "$hostPid")
    waits0=$(waits "$programPid")
    sleep "$seconds"
    own1=$(cpuTicks "$programPid")
    host1=$(cpuTicks "$hostPid")
    waits1=$(waits "$programPid")
    echo "$((own1 - own0)) $((host1 - host0)) $((waits1 - waits0)) $(privateKib "$programPid")" \
        >"$work/$label.figures"
    stopProgram "$programPid"
    programPid=""
    sleep 1
}

startProgram quillmere "$build/quillmere.exe" || exit 1
sleep "$settleSeconds"
wine "$build/tools/idlecost/pressok.exe" 2>&1 | tr -d '\r' >&2
if [ "${PIPESTATUS[0]}" -ne 0 ]; then
    echo "measure: quillmere.exe did not go into the notification area" >&2
    exit 1
fi
measure quillmere
startProgram minimal "$build/tools/idlecost/idletick.exe" && measure minimal || exit 1
startProgram minimal-skip "$build/tools/idlecost/idletick.exe" --skip && measure minimal-skip || exit 1

read -r baseOwn baseHost baseWaits baseKib <"$work/minimal-skip.figures"
echo "idle cost over $seconds s each, 10 palettes, pointer parked over the host; CPU in seconds"
printf '%-22s %8s %9s %11s %12s   %s\n' program "own CPU" "host CPU" "waits/tick" "private KiB" \
    "ratios to idletick --skip (own, host, waits, memory)"
for label in quillmere minimal minimal-skip; do
    case $label in
    quillmere) name="quillmere.exe in tray" ;;
    minimal) name="idletick.exe" ;;
    minimal-skip) name="idletick.exe --skip" ;;
    esac
    read -r own host waits kib <"$work/$label.figures"
    awk -v n="$name" -v o="$own" -v h="$host" -v w="$waits" -v k="$kib" -v t="$clockTicks" \
        -v ticks="$((seconds * 10))" -v bo="$baseOwn" -v bh="$baseHost" -v bw="$baseWaits" -v bk="$baseKib" '
        function r(a, b) { return b > 0 ? sprintf("%.2f", a / b) : (a > 0 ? "inf" : "1.00") }
        BEGIN { printf "%-22s %8.2f %9.2f %11.1f %12d   %s, %s, %s, %s\n", n, o / t, h / t, w / ticks, k,
                       r(o, bo), r(h, bh), r(w, bw), r(k, bk) }'
done
