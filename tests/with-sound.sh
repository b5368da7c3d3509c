#!/usr/bin/env bash
# Runs a test with a sound server of its own: a private PulseAudio whose only
# output is a null sink, so speech engines have a device to play to and
# nobody hears the tests. Without PulseAudio the test runs as it is (the
# speech tests then skip, saying why).
set -u
if ! command -v pulseaudio >/dev/null 2>&1; then
    exec "$@"
fi
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime PULSE_RUNTIME_PATH=$runtime/pulse PULSE_SERVER=unix:$runtime/pulse/native
# Its cookie and state go to the folder too, not to the user's home.
HOME=$runtime pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    -L module-null-sink -L "module-native-protocol-unix socket=$runtime/pulse/native auth-anonymous=1" \
    2>"$runtime/pulseaudio.log" &
server=$!
for _ in $(seq 50); do
    [ -S "$runtime/pulse/native" ] && break
    sleep 0.1
done
"$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$runtime"
exit $status
