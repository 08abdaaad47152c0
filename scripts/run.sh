#!/usr/bin/env bash
# The main job: installs what is missing, builds the Windows programs and runs
# quillmere.exe under Wine beside the demo host, a stand-in for the image
# editor with its floating palettes. Without a display (or with --xvfb) it
# runs on an Xvfb display of 1280 x 1024 and writes a screenshot of that
# display to build/run/screen.png every 5 s and once more on the way out.
# Runs until quillmere.exe exits or Ctrl-C; Wine, the demo host and Xvfb are
# stopped on the way out.
#
# With --two-monitors it runs instead on a headless display of two 1280 x 1024
# monitors, the second to the right of the primary (scripts/two-monitors.sh,
# Xorg as root), and the demo host also opens three palettes on the second
# monitor; the screenshots then show both monitors side by side.
#
# usage: scripts/run.sh [--xvfb | --two-monitors]
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
xvfbFlag=""
twoMonitors=0
for arg in "$@"; do
    case $arg in
    --xvfb) xvfbFlag=--xvfb ;;
    --two-monitors) twoMonitors=1 ;;
    *)
        echo "usage: scripts/run.sh [--xvfb | --two-monitors]" >&2
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
demoCtl=$buildDir/tools/demohost/democtl.exe
program=$buildDir/quillmere.exe
if [ ! -f "$program" ]; then
    echo "run: $program was not built" >&2
    exit 1
fi

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
# shellcheck source=two-monitors.sh
source "$root/scripts/two-monitors.sh"
QUILLMERE_WINE_NO_TRAP=1
hostPid=""
programPid=""
screenPid=""
screenFile=$root/build/run/screen.png
screenSeconds=5
logDir=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-run.XXXXXX")

# One screenshot of the whole Xvfb display. Written beside the file and then
# renamed, so that whoever looks never sees half a picture.
takeScreenshot() {
    timeout 10 import -window root "$screenFile.part.png" 2>/dev/null &&
        mv -f "$screenFile.part.png" "$screenFile"
}

# Runs in the background until killed with TERM, which it answers at once
# even in the middle of its sleep.
screenshotLoop() {
    local sleepPid=""
    trap '[ -z "$sleepPid" ] || kill "$sleepPid" 2>/dev/null; exit 0' TERM
    while :; do
        takeScreenshot
        sleep "$screenSeconds" &
        sleepPid=$!
        wait "$sleepPid"
        sleepPid=""
    done
}

cleanUp() {
    local pid
    if [ -n "$screenPid" ]; then
        kill "$screenPid" 2>/dev/null
        wait "$screenPid" 2>/dev/null
        takeScreenshot
    fi
    for pid in $programPid $hostPid; do
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    wine_env_stop
    two_monitors_stop
    rm -rf "$logDir"
}
trap cleanUp EXIT
trap 'echo; echo "run: interrupted"; exit 130' INT
trap 'exit 143' TERM

if [ $twoMonitors -eq 1 ]; then
    two_monitors_start right || exit 1
    xvfbFlag=""
    echo "run: two monitors on the headless display $DISPLAY"
fi
wine_env_start $xvfbFlag || exit 1
# Only a display that nobody can see gets screenshots: WINE_ENV_XVFB_PID is set
# when wine_env_start started an Xvfb.
if [ -n "$WINE_ENV_XVFB_PID" ] || [ $twoMonitors -eq 1 ]; then
    mkdir -p "$(dirname "$screenFile")"
    rm -f "$screenFile" "$screenFile.part.png"
    screenshotLoop &
    screenPid=$!
    echo "run: screenshots of the virtual desktop go to $screenFile every $screenSeconds s"
fi

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
if [ $twoMonitors -eq 1 ]; then
    # A prefix copied from the template still lists the template's one
    # screen; Wine's desktop, up now with the demo host, reads the monitors
    # again when the layout is applied once more.
    two_monitors_layout right >/dev/null
    sleep 2
    # Palettes on monitor 2, (1280,0)-(2560,1024): near its right edge, near
    # its bottom and in its middle. Their caption is "Opened".
    for at in "2340 200" "1700 864" "1900 400"; do
        # shellcheck disable=SC2086
        timeout 10 wine "$demoCtl" open $at >/dev/null 2>&1
    done
fi

# quillmere.exe keeps its INI files beside itself, in the build directory.
wine "$program" 2>/dev/null &
programPid=$!
echo "run: quillmere.exe started (Ctrl-C to stop)"
wait "$programPid"
status=$?
programPid=""
echo "run: quillmere.exe exited with status $status"
exit $status
