#!/bin/sh
# make run: start the program. Without supported hardware, px300-virtual serves virtual devices so the
# program has something to show; it stops when the program ends.
set -e
BUILD=${1:-build}
export PX300_VIRTUAL_DIR=${PX300_VIRTUAL_DIR:-${XDG_RUNTIME_DIR:-/tmp}/px300-virtual}
if ! grep -qilE 'HID_ID=.*:0000(320F|0C76):' /sys/class/hidraw/*/device/uevent 2>/dev/null; then
    "$BUILD/tools/virtual/px300-virtual" --dir "$PX300_VIRTUAL_DIR" keyboard headset &
    VIRTUAL=$!
    trap 'kill $VIRTUAL 2>/dev/null; wait $VIRTUAL 2>/dev/null || true' EXIT INT TERM
    sleep 0.3
    echo "No PX-300 hardware found: serving virtual devices in $PX300_VIRTUAL_DIR"
    "$BUILD/tools/px300ctl/px300ctl" devices
fi
"$BUILD/shell/px300"
