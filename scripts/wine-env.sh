# Wine environment for the end-to-end tests and the main job. Source it, then:
#
#   wine_env_start [--xvfb]   fresh per-run prefix copied from a template
#                             prefix, an X display (Xvfb when $DISPLAY is empty
#                             or with --xvfb), one persistent wineserver, Wine
#                             started without address-space randomisation, and
#                             an EXIT/INT/TERM trap calling wine_env_stop
#   wine_env_run SECS EXE [ARGS...]
#                             runs EXE under Wine, killed after SECS seconds
#   wine_env_stop             wineserver -k, stop Xvfb, remove the run prefix
#
# Set QUILLMERE_WINE_NO_TRAP=1 before wine_env_start to install your own trap
# (it must call wine_env_stop). Several runs may use this at the same time:
# each gets its own prefix (so its own wineserver) and its own display number.
#
# The template lives in build/wine-template and is made once (~25 s); a run
# copies it (~3 s). Delete the folder to have it made again.

_wine_env_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer prompts: nothing of ours needs .NET or HTML.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"

WINE_ENV_TEMPLATE=${QUILLMERE_WINE_TEMPLATE:-$_wine_env_root/build/wine-template}
WINE_ENV_PREFIX=""
WINE_ENV_XVFB_PID=""
WINE_ENV_XVFB_DISPLAY=""
WINE_ENV_BIN=""
WINE_ENV_SAVED_PATH=""

_wine_env_log() { echo "wine-env: $*" >&2; }

# Starts Xvfb on a display number Xvfb itself finds free (-displayfd), so two
# runs starting together never race for the same number.
_wine_env_start_xvfb() {
    local fdFile
    fdFile=$(mktemp "${TMPDIR:-/tmp}/quillmere-xvfb.XXXXXX")
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdFile" >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        if [ -s "$fdFile" ]; then
            break
        fi
        if ! kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    WINE_ENV_XVFB_DISPLAY=$(tr -dc '0-9' <"$fdFile")
    rm -f "$fdFile"
    if [ -z "$WINE_ENV_XVFB_DISPLAY" ]; then
        _wine_env_log "Xvfb did not start"
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null
        WINE_ENV_XVFB_PID=""
        return 1
    fi
    export DISPLAY=":$WINE_ENV_XVFB_DISPLAY"
    if [ -z "${_wine_env_had_display:-}" ]; then
        echo "no display: running under Xvfb $DISPLAY"
    else
        echo "running under Xvfb $DISPLAY"
    fi
}

# Debian's Wine comes without its preloader, the small program that reserves
# the addresses Windows programs expect (the shared user data at 0x7ffe0000
# among them) before Linux lays out the process. Linux places the loader's
# heap (2.3 MB) anywhere in the gigabyte above the loader at 0x7d000000; now
# and then it covers 0x7ffe0000, and the program ends before its first line
# with "err:virtual:virtual_alloc_first_teb wine: failed to map the shared
# user data: c0000018" (2 starts in 6000 here). So "wine" and
# "wine-stable" (which wineboot and winepath run) are wrapped to start with
# randomisation off (setarch -R); the programs Wine starts inherit it, and the
# heap then always begins just above the loader, 45 MB clear of that address.
_wine_env_fix_layout() {
    local arch real name
    arch=$(uname -m)
    if ! setarch "$arch" -R true 2>/dev/null; then
        _wine_env_log "this machine refuses setarch -R: Wine's address layout stays random," \
            "and about 1 Wine start in 3000 may end at once (failed to map the shared user data)"
        return 0
    fi
    WINE_ENV_BIN=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-wine-bin.XXXXXX") || return 1
    for name in wine wine-stable; do
        real=$(command -v "$name") || continue
        printf '#!/bin/sh\nexec setarch %q -R %q "$@"\n' "$arch" "$real" >"$WINE_ENV_BIN/$name"
        chmod +x "$WINE_ENV_BIN/$name"
    done
    WINE_ENV_SAVED_PATH=$PATH
    export PATH="$WINE_ENV_BIN:$PATH"
}

_wine_env_set_registry() {
    local key value
    for key in "Decorated" "Managed"; do
        timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v "$key" /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
    done
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || return 1
    # Read back one value: reg add can exit 0 while the server refused it.
    value=$(timeout 60 wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed 2>/dev/null | tr -d '\r')
    echo "$value" | grep -q 'Managed.*N' || return 1
}

# Makes the template prefix once. A lock keeps concurrent runs from building
# it twice; the finished prefix is moved into place in one rename.
_wine_env_make_template() {
    local stampWanted
    # The suffix names what the template holds beyond wineboot's prefix; a
    # change to it makes the template again.
    stampWanted="$(wine --version 2>/dev/null) fonts"
    mkdir -p "$(dirname "$WINE_ENV_TEMPLATE")"
    (
        flock -w 300 9 || { _wine_env_log "timed out waiting for another run to make the template"; exit 1; }
        if [ -f "$WINE_ENV_TEMPLATE/.quillmere-stamp" ] &&
            [ "$(cat "$WINE_ENV_TEMPLATE/.quillmere-stamp")" = "$stampWanted" ]; then
            exit 0
        fi
        _wine_env_log "making the template Wine prefix in $WINE_ENV_TEMPLATE (once, ~30 s)"
        local building="$WINE_ENV_TEMPLATE.building.$$"
        rm -rf "$building"
        export WINEPREFIX="$building"
        if ! timeout 180 wineboot -i >/dev/null 2>&1; then
            _wine_env_log "wineboot -i failed or timed out"
            timeout 30 wineserver -k 2>/dev/null
            rm -rf "$building"
            exit 1
        fi
        # Debian's Wine does not look in its own font folder, so its
        # replacements for Tahoma, MS Sans Serif and Marlett (the caption
        # buttons) would be missing and every face would fall back to a wider
        # system font. Scalable ones only: the bitmap faces share their names.
        cp /usr/share/wine/fonts/*.ttf "$building/drive_c/windows/Fonts/" 2>/dev/null
        if ! _wine_env_set_registry; then
            _wine_env_log "could not write the Wine registry settings"
            timeout 30 wineserver -k 2>/dev/null
            rm -rf "$building"
            exit 1
        fi
        # Wait for the server to write the registry files and exit.
        timeout 60 wineserver -w || timeout 30 wineserver -k
        echo "$stampWanted" >"$building/.quillmere-stamp"
        rm -rf "$WINE_ENV_TEMPLATE"
        mv "$building" "$WINE_ENV_TEMPLATE"
    ) 9>"$WINE_ENV_TEMPLATE.lock"
}

wine_env_start() {
    local wantXvfb=0
    _wine_env_had_display=${DISPLAY:-}
    if [ "${1:-}" = "--xvfb" ] || [ -n "${QUILLMERE_XVFB:-}" ] || [ -z "${DISPLAY:-}" ]; then
        wantXvfb=1
    fi
    if [ -z "${QUILLMERE_WINE_NO_TRAP:-}" ]; then
        trap wine_env_stop EXIT
        trap 'exit 130' INT
        trap 'exit 143' TERM
    fi
    if [ $wantXvfb -eq 1 ]; then
        _wine_env_start_xvfb || return 1
    fi
    _wine_env_fix_layout || return 1
    _wine_env_make_template || return 1

    WINE_ENV_PREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-wine.XXXXXX")
    # cp -a keeps the dosdevices symlinks (c: -> ../drive_c, z: -> /).
    if ! cp -a "$WINE_ENV_TEMPLATE/." "$WINE_ENV_PREFIX/"; then
        _wine_env_log "could not copy the template prefix"
        return 1
    fi
    export WINEPREFIX="$WINE_ENV_PREFIX"
    # wineserver forks into the background; -p keeps it alive between programs
    # so that each program starts in well under a second.
    if ! timeout 30 wineserver -p; then
        _wine_env_log "wineserver did not start"
        return 1
    fi
}

wine_env_run() {
    local secs=$1
    shift
    timeout -k 5 "$secs" wine "$@"
}

# wine_env_end_pid PID: gives a program that was asked to end 5 s to do so,
# then kills it, and reaps it (PID must be a child of this shell).
wine_env_end_pid() {
    local pid=$1 i
    for i in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

wine_env_stop() {
    if [ -n "$WINE_ENV_PREFIX" ] && [ -d "$WINE_ENV_PREFIX" ]; then
        WINEPREFIX="$WINE_ENV_PREFIX" timeout 30 wineserver -k >/dev/null 2>&1
        WINEPREFIX="$WINE_ENV_PREFIX" timeout 10 wineserver -w >/dev/null 2>&1
        rm -rf "$WINE_ENV_PREFIX"
    fi
    WINE_ENV_PREFIX=""
    if [ -n "$WINE_ENV_XVFB_PID" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null
    fi
    WINE_ENV_XVFB_PID=""
    if [ -n "$WINE_ENV_BIN" ]; then
        rm -rf "$WINE_ENV_BIN"
        export PATH="$WINE_ENV_SAVED_PATH"
    fi
    WINE_ENV_BIN=""
}
