#!/usr/bin/env bash
# Runs two_monitors_probe.exe under Wine on a headless display of two
# monitors (scripts/two-monitors.sh), once for each layout: the second monitor
# to the right, to the left and below the primary. Each layout gets a fresh
# Wine server (Wine reads the monitors when its server starts) and a fresh
# demo host. The probe asks for monitor 2 to be turned off by writing a file;
# this script does it with xrandr and answers with another file.
#
# usage: tests/e2e/two-monitors.sh [builddir] [layout...]
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
buildDir=$(cd "${1:-$root/build/windows}" 2>/dev/null && pwd) || {
    echo "two-monitors: no build directory ${1:-build/windows}" >&2
    exit 2
}
shift $(($# > 0 ? 1 : 0))
layouts=("$@")
[ ${#layouts[@]} -gt 0 ] || layouts=(right left below)

probe=$buildDir/tests/e2e/two_monitors_probe.exe
demoHost=$buildDir/tools/demohost/demohost.exe
demoCtl=$buildDir/tools/demohost/democtl.exe
for file in "$probe" "$demoHost" "$demoCtl"; do
    [ -f "$file" ] || { echo "two-monitors: $file is not built"; exit 1; }
done

# shellcheck source=../../scripts/two-monitors.sh
source "$root/scripts/two-monitors.sh"
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"

runStart=$SECONDS
hostPid=""
probePid=""
work=""
cleanUp() {
    [ -z "$probePid" ] || kill -9 "$probePid" 2>/dev/null
    [ -z "$hostPid" ] || kill -9 "$hostPid" 2>/dev/null
    wine_env_stop
    two_monitors_stop
    [ -z "$work" ] || rm -rf "$work"
}
trap cleanUp EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

two_monitors_start right || { echo "two-monitors: 0 passed, ${#layouts[@]} failed"; exit 1; }
QUILLMERE_WINE_NO_TRAP=1 wine_env_start || { echo "two-monitors: could not set up Wine"; exit 1; }
echo "two-monitors: Xorg $DISPLAY and Wine ready in $((SECONDS - runStart)) s"
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-two-monitors.XXXXXX")

passed=0
failed=0
for layout in "${layouts[@]}"; do
    layoutStart=$SECONDS
    rm -rf "${work:?}"/* && mkdir -p "$work/host" "$work/probe"
    # A Wine server started right after a layout change may still list the
    # monitors it had before (or a default screen): start it again until a
    # program sees both.
    seen=0
    for _ in 1 2 3; do
        two_monitors_layout "$layout" >/dev/null || break
        timeout 30 wineserver -k 2>/dev/null
        timeout 30 wineserver -w 2>/dev/null
        timeout 30 wineserver -p
        if timeout 30 wine "$probe" monitors >"$work/monitors.out" 2>&1; then
            seen=1
            break
        fi
    done
    if [ $seen -eq 0 ]; then
        failed=$((failed + 1))
        echo "FAIL two monitors, $layout: Wine does not see two monitors"
        tr -d '\r' <"$work/monitors.out" | sed 's/^/    /'
        continue
    fi

    (cd "$work/host" && WINEDEBUG=-all,err+all exec wine "$demoHost" --ready "Z:$work/host/host.ready") \
        >"$work/host/out" 2>&1 &
    hostPid=$!
    for _ in $(seq 300); do
        [ -f "$work/host/host.ready" ] && break
        kill -0 "$hostPid" 2>/dev/null || break
        sleep 0.1
    done

    (cd "$work/probe" && exec timeout -k 5 120 wine "$probe" "$layout" "Z:$work/probe") \
        >"$work/probe.out" 2>"$work/probe.err" &
    probePid=$!
    while kill -0 "$probePid" 2>/dev/null; do
        if [ -f "$work/probe/remove-now" ] && [ ! -f "$work/probe/removed" ]; then
            two_monitors_remove_second && touch "$work/probe/removed"
        fi
        sleep 0.1
    done
    wait "$probePid" 2>/dev/null
    probePid=""

    timeout 10 wine "$demoCtl" quit >/dev/null 2>&1
    wine_env_end_pid "$hostPid"
    hostPid=""

    if [ "$(tr -d '\r' <"$work/probe.out" | tail -n 1)" = "PASS" ]; then
        passed=$((passed + 1))
        echo "PASS two monitors, $layout ($((SECONDS - layoutStart)) s)"
        [ -z "${QUILLMERE_E2E_VERBOSE:-}" ] || tr -d '\r' <"$work/probe.out" | sed 's/^/    /'
    else
        failed=$((failed + 1))
        echo "FAIL two monitors, $layout ($((SECONDS - layoutStart)) s)"
        tr -d '\r' <"$work/probe.out" | sed 's/^/    /'
        tr -d '\r' <"$work/probe.err" | tail -n 20 | sed 's/^/    /'
        if [ -s "$work/host/out" ]; then
            echo "    ---- demo host output"
            tr -d '\r' <"$work/host/out" | sed 's/^/    /'
        fi
    fi
done

echo "two-monitors: total $((SECONDS - runStart)) s"
echo "two-monitors: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ $passed -gt 0 ]
