#!/usr/bin/env bash
# Runs every end-to-end probe (<builddir>/tests/e2e/e2e_*.exe) under Wine on an
# Xvfb display, each against a fresh demo host, and judges each by the last
# line of its standard output, which must be exactly "PASS".
#
# usage: tests/e2e/run.sh [builddir] [probe-glob]
#   builddir    the Windows build (default build/windows); nothing is built here
#   probe-glob  only the probes whose file name matches (default e2e_*.exe)
# QUILLMERE_E2E_VERBOSE=1 also prints the output of the probes that pass.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
buildDir=${1:-$root/build/windows}
probeGlob=${2:-e2e_*.exe}
buildDir=$(cd "$buildDir" 2>/dev/null && pwd) || { echo "e2e: no build directory ${1:-build/windows}" >&2; exit 2; }

readyTimeout=${QUILLMERE_E2E_READY_TIMEOUT:-30} # seconds for the demo host to come up
probeTimeout=${QUILLMERE_E2E_PROBE_TIMEOUT:-120} # seconds for one probe

# QUILLMERE_E2E_DEMOHOST stands another program in for the demo host, so that
# tests/e2e/host-exit.sh can check what this runner does when it ends early.
demoHost=${QUILLMERE_E2E_DEMOHOST:-$buildDir/tools/demohost/demohost.exe}
demoCtl=$buildDir/tools/demohost/democtl.exe
mapfile -t probes < <(find "$buildDir/tests/e2e" -maxdepth 1 -name "$probeGlob" -name '*.exe' 2>/dev/null | sort)

if [ ${#probes[@]} -eq 0 ]; then
    echo "e2e: no probe matching $probeGlob in $buildDir/tests/e2e"
    echo "e2e: 0 passed, 0 failed"
    exit 1
fi
if [ ! -f "$demoHost" ] || [ ! -f "$demoCtl" ]; then
    echo "e2e: the demo host is not built ($demoHost)"
    echo "e2e: 0 passed, ${#probes[@]} failed"
    exit 1
fi

# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
runStart=$SECONDS
wine_env_start --xvfb || { echo "e2e: could not set up Wine"; echo "e2e: 0 passed, ${#probes[@]} failed"; exit 1; }
echo "e2e: Wine ready in $((SECONDS - runStart)) s (prefix $WINEPREFIX, display $DISPLAY)"

hostPid=""
workDirs=()
cleanUp() {
    if [ -n "$hostPid" ]; then
        kill -9 "$hostPid" 2>/dev/null
        wait "$hostPid" 2>/dev/null
    fi
    wine_env_stop
    [ ${#workDirs[@]} -eq 0 ] || rm -rf "${workDirs[@]}"
}
trap cleanUp EXIT

# Starts the demo host and waits for its "READY" line (or ready file). Wine's
# own error lines are on for the host alone, so that an early end tells
# whether Wine or the host gave up.
startDemoHost() {
    local dir=$1
    (cd "$dir" && WINEDEBUG=-all,err+all exec wine "$demoHost" --ready "Z:$dir/host.ready") \
        >"$dir/host.out" 2>"$dir/host.err" &
    hostPid=$!
    local deadline=$((SECONDS + readyTimeout))
    while [ $SECONDS -lt $deadline ]; do
        if [ -f "$dir/host.ready" ] || grep -q '^READY' "$dir/host.out" 2>/dev/null; then
            return 0
        fi
        if ! kill -0 "$hostPid" 2>/dev/null; then
            wait "$hostPid"
            local status=$?
            if [ $status -gt 128 ]; then
                echo "e2e: the demo host was killed by signal $((status - 128)) before it was ready"
            else
                echo "e2e: the demo host exited before it was ready (exit status $status)"
            fi
            hostPid=""
            return 1
        fi
        sleep 0.1
    done
    echo "e2e: the demo host was not ready within $readyTimeout s"
    return 1
}

# Asks the demo host to close, and kills it if it does not within 5 s.
stopDemoHost() {
    [ -n "$hostPid" ] || return 0
    timeout 10 wine "$demoCtl" quit >/dev/null 2>&1
    wine_env_end_pid "$hostPid"
    hostPid=""
}

showFile() {
    local label=$1 file=$2
    if [ -s "$file" ]; then
        echo "---- $label"
        tr -d '\r' <"$file" | sed 's/^/    /'
    fi
}

passed=0
failed=0
for probe in "${probes[@]}"; do
    name=$(basename "$probe" .exe)
    work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-e2e.XXXXXX")
    workDirs+=("$work")
    mkdir -p "$work/host" "$work/probe"
    probeStart=$SECONDS
    verdict=FAIL
    # No second try: a host that does not come up fails its probe, with what
    # it and Wine said, rather than hiding a fault behind a retry.
    if startDemoHost "$work/host"; then
        (cd "$work/probe" && timeout -k 5 "$probeTimeout" wine "$probe") >"$work/probe.out" 2>"$work/probe.err"
        status=$?
        lastLine=$(tr -d '\r' <"$work/probe.out" | tail -n 1)
        # Judged by output alone: Wine's own driver may rarely crash at exit
        # after correct output, and a probe's exit status says less than its
        # last line.
        [ "$lastLine" = "PASS" ] && verdict=PASS
        [ $status -eq 124 ] || [ $status -eq 137 ] && echo "e2e: $name timed out after $probeTimeout s"
    fi
    stopDemoHost
    if [ $verdict = PASS ]; then
        passed=$((passed + 1))
        echo "PASS $name ($((SECONDS - probeStart)) s)"
        [ -z "${QUILLMERE_E2E_VERBOSE:-}" ] || showFile "$name stdout" "$work/probe.out"
    else
        failed=$((failed + 1))
        echo "FAIL $name ($((SECONDS - probeStart)) s)"
        showFile "$name stdout" "$work/probe.out"
        showFile "$name stderr" "$work/probe.err"
        showFile "demo host stdout" "$work/host/host.out"
        showFile "demo host stderr" "$work/host/host.err"
    fi
done

echo "e2e: total $((SECONDS - runStart)) s"
echo "e2e: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ $passed -gt 0 ]
