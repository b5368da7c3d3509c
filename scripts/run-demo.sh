#!/usr/bin/env bash
# Installs what is missing (the offline voice too, for the spoken alarms),
# builds Duplink and runs it against the simulated module on a
# pseudo-terminal. Press OK in the port dialog to start.
# Extra arguments go to the simulator (for example --noise or --rate 50).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh demo
build_dir=${DUPLINK_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target duplink duplink-sim

work=$(mktemp -d)
device="$work/module"
sim_pid=
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# The simulator's lines (its device, then each command it receives) are
# marked so they stand apart from the program's own.
"$build_dir/tools/duplink-sim" --link "$device" "$@" > >(sed -u 's/^/module: /') 2>&1 &
sim_pid=$!
for _ in $(seq 50); do [ -e "$device" ] && break; sleep 0.1; done
[ -e "$device" ] || { echo "The simulator did not start." >&2; exit 1; }

"$build_dir/app/duplink" "$device"
