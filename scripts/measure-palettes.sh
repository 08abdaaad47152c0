#!/usr/bin/env bash
# Measures what a large palette set costs quillmere.exe under Wine beside the
# demo host, with 10, 30, 60 and 100 palettes (or the counts given): the time
# from its start to its main window shown, the longest time its main window
# takes to answer while one palette opens, closes or is renamed (the re-scan
# finds the change within 2 s; the watch lasts 4.5 s), the time until the
# check list shows an opened or closed palette, the longest wait while the
# demo host quits (the list empties) and while it starts again (the list fills
# with every palette at once), and the time "Exit" takes until the process has
# ended. palettecost.exe does the timing on the Windows
# side; each count runs in a fresh folder (first start) and a fresh demo host.
#
# usage: scripts/measure-palettes.sh [count...]   (default 10 30 60 100)
# QUILLMERE_MEASURE_BUILD=<dir> measures the Windows build there as it stands
# (another one kept for comparison, say) instead of building the windows preset.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10 30 60 100)
settleSeconds=3

bash scripts/setup.sh >/dev/null || exit 1
build=${QUILLMERE_MEASURE_BUILD:-}
if [ -z "$build" ]; then
    cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null || exit 1
    build=$root/build/windows
fi
cost=$build/tools/palettecost/palettecost.exe

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
# shellcheck disable=SC2034 # read by wine_env_start
QUILLMERE_WINE_NO_TRAP=1
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-palettes.XXXXXX")
hostPid=""
cleanUp() {
    if [ -n "$hostPid" ]; then
        kill -9 "$hostPid" 2>/dev/null
        wait "$hostPid" 2>/dev/null
    fi
    wine_env_stop
    rm -rf "$work"
}
trap cleanUp EXIT
wine_env_start --xvfb >/dev/null || exit 1

# figure <name> <command...>: the milliseconds palettecost prints for <name>, or "-".
# Through a file, not a pipe: the program palettecost starts keeps the pipe open.
figure() {
    local name=$1
    shift
    wine "$cost" "$@" >"$work/figure" 2>>"$work/errors"
    local value
    value=$(tr -d '\r' <"$work/figure" | awk -v n="$name" '$1 == n {print $2}')
    echo "${value:--}"
}

printf '%-9s %9s %12s %12s %14s %12s %12s %12s %12s %9s\n' palettes "start ms" "open: freeze" \
    "listed ms" "close: freeze" "listed ms" "rename: frz" "quit: frz" "restart: frz" "exit ms"
for count in "${counts[@]}"; do
    dir=$work/$count
    mkdir -p "$dir/host" "$dir/program"
    (cd "$dir/host" && exec wine "$build/tools/demohost/demohost.exe" --palettes "$count") \
        >"$dir/host/out" 2>/dev/null &
    hostPid=$!
    for _ in $(seq 1 300); do
        grep -q '^READY' "$dir/host/out" 2>/dev/null && break
        sleep 0.1
    done
    cp "$build/quillmere.exe" "$dir/program/"
    exe=$(winepath -w "$dir/program/quillmere.exe" 2>/dev/null)
    start=$(figure start start "$exe")
    sleep "$settleSeconds"
    # The layout's own windows take the host's indices 0-10; "Tool 1" is 11.
    openLines=$(figure freeze change open; tr -d '\r' <"$work/figure")
    closeLines=$(figure freeze change close 11; tr -d '\r' <"$work/figure")
    renameFreeze=$(figure freeze change rename 12)
    pick() { awk -v n="$2" '$1 == n {print $2}' <<<"$1"; }
    quitLines=$(figure freeze change quit; tr -d '\r' <"$work/figure")
    wine_env_end_pid "$hostPid"
    hostPid=""
    # The new host runs on its own; "democtl quit" below ends it.
    restartFreeze=$(figure freeze change host "$(winepath -w "$build/tools/demohost/demohost.exe" \
        2>/dev/null)" "$count" "$(pick "$quitLines" entries)")
    exitMs=$(figure exit exit)
    printf '%-9s %9s %12s %12s %14s %12s %12s %12s %12s %9s\n' "$count" "$start" \
        "$(pick "$openLines" freeze)" "$(pick "$openLines" listed)" \
        "$(pick "$closeLines" freeze)" "$(pick "$closeLines" listed)" "$renameFreeze" \
        "$(pick "$quitLines" freeze)" "$restartFreeze" "$exitMs"
    timeout 10 wine "$build/tools/demohost/democtl.exe" quit >/dev/null 2>&1
    sleep 1
    kill -9 "$hostPid" 2>/dev/null
    wait "$hostPid" 2>/dev/null
    hostPid=""
done
if [ -s "$work/errors" ]; then
    echo "---- palettecost said:"
    tr -d '\r' <"$work/errors" | grep -v '^[0-9a-f]*:\(fixme\|err\|warn\)' | sed 's/^/    /'
fi
