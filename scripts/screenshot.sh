#!/usr/bin/env bash
# Takes docs/screenshot.png: runs the built Duplink on a virtual X screen,
# fed by the module simulator, accepts the port dialog, lets the graph fill
# for a few seconds and captures the main window. Builds nothing. Duplink
# runs with settings of its own, so the user's do not show.
#
# Usage: scripts/screenshot.sh [--reading | --history CAPTURE | --flights FOLDER] [build-dir] [output.png]
#   --reading   the "Reading the graph" picture instead: alarm thresholds
#               shown, the pointer resting on the graph with its tooltip
#               (output defaults to docs/reading-the-graph.png)
#   --history CAPTURE
#               the flight history window after CAPTURE, a raw capture,
#               replayed at speed 0, with the channels in volts and percent
#               (output defaults to docs/flight-history.png). The README's
#               capture is a simulated flight of eleven and a half minutes
#               with the simulator stopped for a few seconds after six:
#                 duplink-sim --seed 7 --link /tmp/module --duration 370 &
#                 duplink-record --raw flight.raw --duration 690 /tmp/module &
#                 sleep 375; duplink-sim --seed 8 --link /tmp/module --duration 330
#   --flights FOLDER
#               the Flights window (duplink --flights) over FOLDER, a folder
#               of flights the logbook kept, with the channels in volts and
#               percent (output defaults to docs/flights.png). The README's
#               folder holds five sessions of duplink at once against the
#               simulator (seeds 7, 3, 5, 9 and 11 for 120, 60, 30, 90 and
#               5 s), with XDG_DATA_HOME pointed at a folder of their own:
#               the second killed with kill -9 after 30 s, the first closed
#               after 65 s, the fifth too short to keep; then, in duplink
#               --flights, Ctrl+End, Alt+N with a note, and Alt+P.
#   build-dir   defaults to build/; needs app/duplink and tools/duplink-sim
#   output.png  defaults to docs/screenshot.png
# Environment: SCREENSHOT_DELAY seconds of telemetry before the capture
# (default 5, 22 with --reading); SCREENSHOT_SEED seed of the simulated data
# (default 7); the locale's language is the window's (LANGUAGE=de for
# docs/screenshot-de.png).
# Installs what it needs (Xvfb, xdotool, ImageMagick) with install-deps.sh.
set -euo pipefail

cd "$(dirname "$0")/.."
reading=false
capture=
flights=
if [ "${1:-}" = --reading ]; then
    reading=true
    shift
elif [ "${1:-}" = --history ]; then
    capture=$(realpath "${2:?--history wants a raw capture}")
    shift 2
elif [ "${1:-}" = --flights ]; then
    flights=$(realpath "${2:?--flights wants a folder of flights}")
    shift 2
fi
default_output=docs/screenshot.png
$reading && default_output=docs/reading-the-graph.png
[ -n "$capture" ] && default_output=docs/flight-history.png
[ -n "$flights" ] && default_output=docs/flights.png
build_dir=$(realpath -m "${1:-build}")
output=$(realpath -m "${2:-$default_output}")
# The reading picture waits for the simulated flight's sag, which trips
# alarm 1 about twenty seconds in.
default_delay=5
$reading && default_delay=22
delay=${SCREENSHOT_DELAY:-$default_delay}
seed=${SCREENSHOT_SEED:-7}

scripts/install-deps.sh screenshot
for program in app/duplink tools/duplink-sim; do
    if [ ! -x "$build_dir/$program" ]; then
        echo "screenshot: $build_dir/$program not built; build first" >&2
        exit 1
    fi
done
mkdir -p "$(dirname "$output")"

work=$(mktemp -d)
xvfb_pid=
sim_pid=
app_pid=
cleanup() {
    # Only the processes started here, by their ids; the X server last.
    for pid in $app_pid $sim_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

fail() {
    echo "screenshot: $*" >&2
    exit 1
}

# Waits up to $2 seconds for a visible window whose title matches $1 and
# prints its id.
wait_window() {
    local id i
    for ((i = 0; i < $2 * 10; ++i)); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# A private X server on the first free display, so no desktop is disturbed.
# The Flights window is wide: a row holds each channel's lowest and highest.
screen=1024x768x24
[ -n "$flights" ] && screen=1760x900x24
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
for ((i = 0; i < 100; ++i)); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb stopped: $(cat "$work/xvfb.err")"
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
unset QT_QPA_PLATFORM WAYLAND_DISPLAY # draw on that X server, nowhere else

# The history of a capture, or the logbook: no simulator, no port dialog.
if [ -n "$capture$flights" ]; then
    export XDG_CONFIG_HOME="$work/config"
    mkdir -p "$XDG_CONFIG_HOME/duplink"
    printf '%s\n' '[channels]' 'volt1\name=RX battery' 'volt1\unit=V' 'volt1\value2=10' \
        'volt1\decimals=2' 'volt2\name=TX battery' 'volt2\unit=V' 'volt2\value2=10' \
        'volt2\decimals=2' 'linkq\unit=%' 'linkq\value2=100' >"$XDG_CONFIG_HOME/duplink/duplink.conf"
    if [ -n "$capture" ]; then
        "$build_dir/app/duplink" --replay "$capture" --speed 0 --history >"$work/app.out" 2>"$work/app.err" &
        app_pid=$!
        window=$(wait_window '^Flight history$' 15) || fail "no history window: $(cat "$work/app.err")"
        xdotool windowsize "$window" 900 500
    else
        printf '%s\n' '[logbook]' "folder=$flights" >>"$XDG_CONFIG_HOME/duplink/duplink.conf"
        "$build_dir/app/duplink" --flights >"$work/app.out" 2>"$work/app.err" &
        app_pid=$!
        window=$(wait_window '^Flights$' 15) || fail "no Flights window: $(cat "$work/app.err")"
        xdotool windowsize "$window" 1720 285
    fi
    sleep 3
    import -window "$window" "$work/shot.png"
    /usr/bin/convert "$work/shot.png" -strip -define png:exclude-chunks=date,time "$output"
    echo "wrote $output"
    exit 0
fi

"$build_dir/tools/duplink-sim" --seed "$seed" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
device=
for ((i = 0; i < 100; ++i)); do
    device=$(head -n 1 "$work/sim.out")
    [ -n "$device" ] && break
    kill -0 "$sim_pid" 2>/dev/null || fail "simulator stopped: $(cat "$work/sim.err")"
    sleep 0.1
done
[ -n "$device" ] || fail "simulator printed no device"

# Settings of its own: the defaults, or the thresholds shown.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/duplink"
if $reading; then
    printf '[graph]\nshowAlarmThresholds=true\n' >"$XDG_CONFIG_HOME/duplink/duplink.conf"
fi

"$build_dir/app/duplink" "$device" >"$work/app.out" 2>"$work/app.err" &
app_pid=$!

# The port dialog comes first; OK is its default button. With no window
# manager running, focus must be set by hand before the key press.
dialog=$(wait_window '^RS232$' 15) || fail "no port dialog: $(cat "$work/app.err")"
xdotool windowfocus --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
xdotool key --clearmodifiers Return

window=$(wait_window 'Duplink' 15) || fail "no main window: $(cat "$work/app.err")"
sleep "$delay"
kill -0 "$app_pid" 2>/dev/null || fail "duplink stopped: $(cat "$work/app.err")"
grep -q '^accepted:' "$work/app.out" || fail "the port dialog was not accepted"
grep -q '^request' "$work/sim.out" || echo "screenshot: the simulator saw no request frame" >&2

if $reading; then
    # The pointer on the graph, left of the middle, until its tooltip is up;
    # the tooltip is a window of its own, so the screen is cut to the window.
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    xdotool mousemove --window "$window" 150 90
    sleep 0.3
    xdotool mousemove --window "$window" 152 92
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
else
    import -window "$window" "$work/shot.png"
fi
# Without dates, so an unchanged picture gives the same file. /usr/local/bin
# may shadow convert with something else; prefer the real one.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert
"$convert" "$work/shot.png" -strip -define png:exclude-chunks=date,time "$output"
echo "wrote $output"
