#!/usr/bin/env bash
# The main job: installs what is missing, builds the Windows programs and runs
# quillmere.exe under Wine beside the demo host, a stand-in for the image
# editor with its floating palettes. Without a display (or with --xvfb) it
# runs on an Xvfb display of 1280 x 1024. Runs until quillmere.exe exits or
# Ctrl-C; Wine, the demo host and Xvfb are stopped on the way out.
#
# usage: scripts/run.sh [--xvfb]
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
xvfbFlag=""
for arg in "$@"; do
    case $arg in
    --xvfb) xvfbFlag=--xvfb ;;
    *)
        echo "usage: scripts/run.sh [--xvfb]" >&2
        exit 2
        ;;
    esac
done

# QUILLMERE_WINDOWS_BUILD_DIR: another build directory for the windows preset.
buildDir=${QUILLMERE_WINDOWS_BUILD_DIR:-$root/build/windows}
bash scripts/setup.sh || exit 1
cmake --preset windows -B "$buildDir" >/dev/null || exit 1
cmake --build "$buildDir" || exit 1
buildDir=$(cd "$buildDir" && pwd)

demoHost=$buildDir/tools/demohost/demohost.exe
program=$buildDir/quillmere.exe
if [ ! -f "$program" ]; then
    echo "run: $program was not built" >&2
    exit 1
fi

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
QUILLMERE_WINE_NO_TRAP=1
hostPid=""
programPid=""
logDir=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-run.XXXXXX")
cleanUp() {
    local pid
    for pid in $programPid $hostPid; do
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    wine_env_stop
    rm -rf "$logDir"
}
trap cleanUp EXIT
trap 'echo; echo "run: interrupted"; exit 130' INT
trap 'exit 143' TERM

wine_env_start $xvfbFlag || exit 1

(cd "$logDir" && exec wine "$demoHost") >"$logDir/host.out" 2>/dev/null &
hostPid=$!
for _ in $(seq 1 300); do
    grep -q '^READY' "$logDir/host.out" 2>/dev/null && break
    kill -0 "$hostPid" 2>/dev/null || break
    sleep 0.1
done
if ! grep -q '^READY' "$logDir/host.out" 2>/dev/null; then
    echo "run: the demo host did not come up" >&2
    exit 1
fi
echo "run: demo host up on display $DISPLAY"

# quillmere.exe keeps its INI files beside itself, in the build directory.
wine "$program" 2>/dev/null &
programPid=$!
echo "run: quillmere.exe started (Ctrl-C to stop)"
wait "$programPid"
status=$?
programPid=""
echo "run: quillmere.exe exited with status $status"
exit $status
