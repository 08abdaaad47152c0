#!/usr/bin/env bash
# Checks that every Wine program of a test run starts with address-space
# randomisation off (scripts/wine-env.sh), which keeps Linux from laying the
# loader's heap over the addresses Wine must map: the demo host, started with
# "wine" as the probe runner starts it, and the programs Wine started for it
# (its desktop and services) all run with ADDR_NO_RANDOMIZE.
#
# usage: tests/e2e/wine-layout.sh [builddir]
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
buildDir=$(cd "${1:-$root/build/windows}" 2>/dev/null && pwd) || {
    echo "wine-layout: no build directory ${1:-build/windows}" >&2
    exit 2
}
if ! setarch "$(uname -m)" -R true 2>/dev/null; then
    echo "wine-layout: SKIP (this machine refuses setarch -R, so the layout cannot be fixed here)"
    exit 0
fi

# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
wine_env_start --xvfb >/dev/null || { echo "wine-layout: FAIL (could not set up Wine)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-layout.XXXXXX")
(cd "$work" && exec wine "$buildDir/tools/demohost/demohost.exe" --ready "Z:$work/host.ready") \
    >/dev/null 2>&1 &
hostPid=$!
for _ in $(seq 1 300); do
    [ -f "$work/host.ready" ] || ! kill -0 "$hostPid" 2>/dev/null && break
    sleep 0.1
done

# personality(2) flag ADDR_NO_RANDOMIZE.
noRandomize=$((0x0040000))
failures=0
checked=0
for dir in /proc/[0-9]*; do
    [ "$(readlink "$dir/exe" 2>/dev/null)" = /usr/lib/wine/wine64 ] || continue
    tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    personality=$((0x$(cat "$dir/personality" 2>/dev/null || echo 0)))
    name=$(tr '\0' ' ' <"$dir/cmdline" | cut -c1-80)
    checked=$((checked + 1))
    if [ $((personality & noRandomize)) -ne 0 ]; then
        echo "ok   ${dir#/proc/} $name"
    else
        echo "FAIL ${dir#/proc/} $name: randomised (personality $(cat "$dir/personality"))"
        failures=$((failures + 1))
    fi
done
hostSeen=no
[ -f "$work/host.ready" ] && hostSeen=yes
timeout 10 wine "$buildDir/tools/demohost/democtl.exe" quit >/dev/null 2>&1
wine_env_end_pid "$hostPid"
rm -rf "$work"

if [ "$hostSeen" != yes ] || [ $checked -lt 2 ]; then
    echo "wine-layout: FAIL (the demo host ready: $hostSeen; Wine processes found: $checked)"
    exit 1
fi
if [ $failures -ne 0 ]; then
    echo "wine-layout: FAIL"
    exit 1
fi
echo "wine-layout: PASS ($checked Wine processes)"
