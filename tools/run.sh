#!/bin/sh
# make run: start the program. Without supported hardware, px300-virtual serves a virtual keyboard.
set -e
BUILD=${1:-build}
export PX300_VIRTUAL_DIR=${PX300_VIRTUAL_DIR:-${XDG_RUNTIME_DIR:-/tmp}/px300-virtual}
if ! ls /sys/class/hidraw/*/device/uevent 2>/dev/null | xargs -r grep -qil 'HID_ID=.*0000320F' 2>/dev/null; then
    "$BUILD/tools/virtual/px300-virtual" --dir "$PX300_VIRTUAL_DIR" keyboard &
    VIRTUAL=$!
    trap 'kill $VIRTUAL 2>/dev/null; wait $VIRTUAL 2>/dev/null' EXIT INT TERM
    sleep 0.5
fi
"$BUILD/tools/px300ctl/px300ctl" list
