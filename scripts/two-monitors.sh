#!/usr/bin/env bash
# A headless X display with two real monitors (two RandR outputs with their
# own CRTCs), which Wine reports as two Windows monitors: Xorg with the dummy
# video driver. Xvfb cannot do this, since it has one output. Xorg runs as
# root, as it does in CI. Source this file, then:
#
#   two_monitors_start [LAYOUT]   start Xorg on a display number it picks
#                                 itself (-displayfd, so parallel runs never
#                                 collide), apply LAYOUT, export DISPLAY
#   two_monitors_layout LAYOUT    re-arrange the display; Wine reads the
#                                 monitors when its server starts, so restart
#                                 it afterwards (wineserver -k)
#   two_monitors_remove_second    turn the second monitor off
#   two_monitors_stop             stop the Xorg this shell started (by pid)
#
# or run it: scripts/two-monitors.sh check  (starts, lists, stops).
#
# LAYOUT, in Windows coordinates; the primary is DUMMY0, 1280 x 1024 at (0,0):
#   right  second monitor at (1280,0)-(2560,1024)   X framebuffer 2560x1024
#   left   second monitor at (-1280,0)-(0,1024)     X framebuffer 2560x1024
#   below  second monitor at (0,1024)-(1280,2048)   X framebuffer 1280x2048
#   above  second monitor at (0,-1024)-(1280,0)     X framebuffer 1280x2048
# X root coordinates are Windows coordinates minus the virtual screen's
# top-left (SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN).
#
# Needs xserver-xorg-core, xserver-xorg-video-dummy and x11-xserver-utils
# (scripts/setup.sh installs them).

TWO_MONITORS_STATE=""
TWO_MONITORS_PID=""

_two_monitors_log() { echo "two-monitors: $*" >&2; }

_two_monitors_config() {
    cat >"$1" <<'EOF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "mon"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "mon"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1280x1024"
        Virtual 2560 2048
    EndSubSection
EndSection
EOF
}

# The dummy driver offers outputs DUMMY0..DUMMY15, each with its own CRTC; an
# output counts as connected once it has a mode.
two_monitors_layout() {
    local fb p0 p1
    case ${1:-right} in
    right) fb=2560x1024 p0=0x0 p1=1280x0 ;;
    left) fb=2560x1024 p0=1280x0 p1=0x0 ;;
    below) fb=1280x2048 p0=0x0 p1=0x1024 ;;
    above) fb=1280x2048 p0=0x1024 p1=0x0 ;;
    *)
        _two_monitors_log "unknown layout '$1' (right, left, below, above)"
        return 1
        ;;
    esac
    if ! xrandr | sed -n '/^DUMMY1 /,/^[^ ]/p' | grep -q '^   1280x1024'; then
        xrandr --addmode DUMMY1 1280x1024 || return 1
    fi
    xrandr --fb "$fb" --output DUMMY0 --mode 1280x1024 --pos "$p0" --primary \
        --output DUMMY1 --mode 1280x1024 --pos "$p1"
}

two_monitors_remove_second() {
    xrandr --output DUMMY1 --off
}

two_monitors_start() {
    local package missing=()
    for package in xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        _two_monitors_log "missing ${missing[*]}: run scripts/setup.sh"
        return 1
    fi
    if [ "$(id -u)" -ne 0 ]; then
        _two_monitors_log "Xorg with the dummy driver needs root"
        return 1
    fi
    TWO_MONITORS_STATE=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-xorg.XXXXXX")
    _two_monitors_config "$TWO_MONITORS_STATE/xorg.conf"
    Xorg -displayfd 3 -config "$TWO_MONITORS_STATE/xorg.conf" \
        -logfile "$TWO_MONITORS_STATE/xorg.log" -noreset -nolisten tcp -novtswitch -sharevts \
        3>"$TWO_MONITORS_STATE/display" >"$TWO_MONITORS_STATE/xorg.out" 2>&1 &
    TWO_MONITORS_PID=$!
    local i
    for i in $(seq 100); do
        [ -s "$TWO_MONITORS_STATE/display" ] && break
        kill -0 "$TWO_MONITORS_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$TWO_MONITORS_STATE/display" ]; then
        _two_monitors_log "Xorg did not start (log: $TWO_MONITORS_STATE/xorg.log)"
        two_monitors_stop
        return 1
    fi
    export DISPLAY=":$(tr -dc 0-9 <"$TWO_MONITORS_STATE/display")"
    two_monitors_layout "${1:-right}" || {
        two_monitors_stop
        return 1
    }
}

two_monitors_stop() {
    if [ -n "$TWO_MONITORS_PID" ]; then
        kill "$TWO_MONITORS_PID" 2>/dev/null
        local i
        for i in $(seq 50); do
            kill -0 "$TWO_MONITORS_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$TWO_MONITORS_PID" 2>/dev/null
        wait "$TWO_MONITORS_PID" 2>/dev/null
    fi
    TWO_MONITORS_PID=""
    [ -z "$TWO_MONITORS_STATE" ] || rm -rf "$TWO_MONITORS_STATE"
    TWO_MONITORS_STATE=""
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    case ${1:-} in
    check)
        trap two_monitors_stop EXIT
        two_monitors_start "${2:-right}" && echo "DISPLAY=$DISPLAY" && xrandr --listmonitors
        ;;
    *)
        sed -n '2,27p' "$0"
        exit 2
        ;;
    esac
fi
