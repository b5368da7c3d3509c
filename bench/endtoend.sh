#!/usr/bin/env bash
# End-to-end benchmark of the monitor: the real window, offscreen, reading the
# simulated module through a pseudo-terminal. Builds what it needs in a
# Release build directory of its own, runs
#   1. duplink-sim --flood: frames/s kept up with, event-loop delay and
#      resident memory over the first million frames, then for a while with
#      the data pane full (the flight history's own bytes, which keep every
#      report by design, aside: bench_flighthistory bounds those);
#   2. duplink-sim --rate 137 (what a 9600-baud line carries), one frame per
#      write as a plain UART delivers it: CPU time with a fresh data pane,
#      with the flight history window open and following (what it adds, and
#      its repaints a second), with the logbook off (what keeping the flight
#      adds: the fresh-pane runs keep it), with a full pane, and of a bare listener
#      without the window, for reference; then 16 frames per write
#      (--burst 16), as an adapter that buffers delivers it; each several
#      times over, in turn, since the CPU time a wake-up costs varies a lot
#      from run to run on a virtual machine; with the graph's repaints a
#      second and how long new averages take to be painted;
#      then sharing through a mosquitto broker of its own (what sharing
#      adds, each run taken right after a fresh-pane run) and the same with 50
#      subscribers (mosquitto_sub) on the broker (the sharer's CPU should
#      not change: the fan-out is the broker's);
#   3. the window on a silent line: wake-ups a second;
#   4. 30,000 user-data lines into a fresh window: resident memory growth;
# and prints a table of the figures against their targets.
#
# Usage: bench/endtoend.sh [build-dir]       (default: build-bench-e2e; a
# relative one is in the checkout)
# Environment: E2E_SECONDS (each line-rate run, default 30), E2E_REPEATS
# (line-rate runs of each kind, default 3; the median counts), E2E_STEADY
# (full-pane flood, default 20), E2E_FRAMES (first flood phase, default
# 1000000).
# Exit status: 0 all targets met, 3 some missed, 1 the run itself failed.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build-bench-e2e}
case $build in
/*) ;;
*) build=$root/$build ;; # relative to the checkout
esac
seconds=${E2E_SECONDS:-30}
repeats=${E2E_REPEATS:-3}
steady=${E2E_STEADY:-20}
frames=${E2E_FRAMES:-1000000}
line_rate=137   # volts frames per second on a 9600 8N1 line: 960 bytes/s, 7 bytes each

work=$(mktemp -d "${TMPDIR:-/tmp}/duplink-e2e.XXXXXX")
sim_pid=""
stop_simulator() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
        sim_pid=""
    fi
}
cleanup() {
    stop_simulator
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
# The logbook's flights and the settings go here, never to the user's folders.
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"

echo "== Dependencies"
scripts/install-deps.sh build

echo "== Build ($build, Release)"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DDUPLINK_WERROR=ON >"$work/configure.log" \
    || { cat "$work/configure.log"; exit 1; }
targets=$(cmake --build "$build" --target help)
if ! grep -q bench_endtoend <<<"$targets"; then
    echo "The build has no bench_endtoend target: bench/ is only configured where Google" >&2
    echo "Benchmark is found (Debian: libbenchmark-dev, or scripts/install-deps.sh test)." >&2
    exit 1
fi
cmake --build "$build" --target duplink-sim bench_endtoend -j "$(nproc)" >"$work/build.log" \
    || { tail -n 40 "$work/build.log"; exit 1; }
sim="$build/tools/duplink-sim"
harness="$build/bench/bench_endtoend"

# Starts the simulator with the given options and sets $device to its
# pseudo-terminal, the first line it prints.
start_simulator() {
    local name=$1
    shift
    "$sim" --seed 1 "$@" >"$work/$name-sim.out" 2>"$work/$name-sim.err" &
    sim_pid=$!
    device=""
    for _ in $(seq 100); do
        device=$(head -n 1 "$work/$name-sim.out" 2>/dev/null || true)
        [ -n "$device" ] && return 0
        kill -0 "$sim_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "duplink-sim did not start:" >&2
    cat "$work/$name-sim.err" >&2
    exit 1
}

# Runs the harness on $device (if set); its "e2e key value" lines go to
# results.
run_harness() {
    local name=$1
    shift
    if ! QT_QPA_PLATFORM=offscreen timeout 900 "$harness" "$@" ${device:+"$device"} \
            >"$work/$name.out" 2>"$work/$name.err"; then
        echo "bench_endtoend $* failed:" >&2
        tail -n 20 "$work/$name.err" >&2
        exit 1
    fi
    grep '^e2e ' "$work/$name.out" | sed "s/^e2e /$name./" >>"$work/results"
}

echo "== Machine"
model=$(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -n 1)
cpus=$(nproc)
cores=$(lscpu -p=CORE 2>/dev/null | grep -v '^#' | sort -u | wc -l)
echo "CPU: $model, $cpus CPUs ($cores cores)"
load_before=$(cut -d ' ' -f 1-3 /proc/loadavg)
echo "Load average before: $load_before"

: >"$work/results"
echo "== Flood: first $frames frames, then ${steady}s with the data pane full"
start_simulator flood --flood
run_harness flood --mode flood --frames "$frames" --steady "$steady"
stop_simulator

# A broker of the benchmark's own, on a free port.
broker_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf 'user %s\nlistener %s 127.0.0.1\nallow_anonymous true\n' "$(id -un)" "$broker_port" >"$work/mosquitto.conf"
mosquitto_program=$(command -v mosquitto || echo /usr/sbin/mosquitto)
"$mosquitto_program" -c "$work/mosquitto.conf" >"$work/mosquitto.log" 2>&1 &
broker_pid=$!
subscriber_pids=()
stop_broker() {
    for pid in "${subscriber_pids[@]}" "$broker_pid"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap 'stop_broker; cleanup' EXIT
share_url="mqtt://127.0.0.1:$broker_port/bench/1"
sleep 1

echo "== Line rate ($line_rate frames/s), ${seconds}s each, $repeats times: history window, fresh pane, no logbook, sharing, sharing to 50 subscribers, full pane, no window, bursts of 16"
# What the history window, the logbook and sharing add is each taken against the
# fresh-pane run next to it in time: the machine's speed drifts.
for run in $(seq "$repeats"); do
    start_simulator "history$run" --rate "$line_rate"
    run_harness "history$run" --mode linerate --history --seconds "$seconds" --warmup 200
    stop_simulator
    start_simulator "fresh$run" --rate "$line_rate"
    run_harness "fresh$run" --mode linerate --seconds "$seconds" --warmup 200
    stop_simulator
    start_simulator "nolog$run" --rate "$line_rate"
    run_harness "nolog$run" --mode linerate --no-logbook --seconds "$seconds" --warmup 200
    stop_simulator
    mosquitto_sub -p "$broker_port" -t 'bench/1/#' >/dev/null 2>&1 &
    subscriber_pids=($!)
    start_simulator "share$run" --rate "$line_rate"
    run_harness "share$run" --mode linerate --share "$share_url" --seconds "$seconds" --warmup 200
    stop_simulator
    for _ in $(seq 49); do
        mosquitto_sub -p "$broker_port" -t 'bench/1/#' >/dev/null 2>&1 &
        subscriber_pids+=($!)
    done
    start_simulator "fanout$run" --rate "$line_rate"
    run_harness "fanout$run" --mode linerate --share "$share_url" --seconds "$seconds" --warmup 200
    stop_simulator
    for pid in "${subscriber_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    subscriber_pids=()
    start_simulator "full$run" --rate "$line_rate"
    run_harness "full$run" --mode linerate --fill-pane --seconds "$seconds" --warmup 200
    stop_simulator
    start_simulator "floor$run" --rate "$line_rate"
    run_harness "floor$run" --mode floor --seconds "$seconds" --warmup 200
    stop_simulator
    start_simulator "burst$run" --rate "$line_rate" --burst 16
    run_harness "burst$run" --mode linerate --seconds "$seconds" --warmup 200
    stop_simulator
done
device=""

echo "== Silent line, ${seconds}s; 30,000 user-data lines"
run_harness idle --mode idle --seconds "$seconds"
run_harness memory --mode datamemory
load_after=$(cut -d ' ' -f 1-3 /proc/loadavg)

cp "$work/results" "$build/endtoend-results" # the raw figures, for another look
echo
echo "Machine: $model, $cpus CPUs ($cores cores); load average $load_before before, $load_after after"
awk -v repeats="$repeats" '
    { value[$1] = $2 }
    function row(metric, measured, target, verdict) {
        printf "%-44s %-40s %-18s %s\n", metric, measured, target, verdict
        if (verdict == "FAIL") failed++
        if (verdict == "PASS" || verdict == "FAIL") counted++
    }
    function flood(phase, label,    rate, multiple) {
        rate = value["flood." phase "_frames_per_second"]
        multiple = value["flood." phase "_line_rate_multiple"]
        row("Flood throughput, " label, sprintf("%.0f frames/s = %.0fx line", rate, multiple),
            ">= 100x line rate", multiple >= 100 ? "PASS" : "FAIL")
    }
    function delay(phase, label,    p99) {
        p99 = value["flood." phase "_latency_p99_ms"]
        row("Event delay during flood, " label,
            sprintf("median %.2f, p99 %.2f, max %.2f ms", value["flood." phase "_latency_median_ms"],
                    p99, value["flood." phase "_latency_max_ms"]),
            "p99 < 20 ms", p99 < 20 ? "PASS" : "FAIL")
    }
    function memory(phase, label,    growth, history) {
        history = value["flood." phase "_history_growth_kb"] / 1024
        growth = value["flood." phase "_rss_growth_kb"] / 1024 - history
        row("RSS growth, " label, sprintf("%+.1f MB (flight history %+.1f MB aside)", growth, history),
            "< 5 MB", growth < 5 ? "PASS" : "FAIL")
    }
    # What `with` adds to `without`: the median of the differences of each
    # run from the one beside it, with all of them in order.
    function added(with, without, label, budget,    i, j, n, sorted, swap, runs, median) {
        n = 0
        runs = ""
        for (i = 1; i <= repeats; i++) {
            sorted[++n] = value[with i ".linerate_cpu_percent"] - value[without i ".linerate_cpu_percent"]
            runs = runs (i > 1 ? ", " : "") sprintf("%+.2f", sorted[n])
        }
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
                swap = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = swap
            }
        median = n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
        row(label, sprintf("%+.2f %% of a core (runs %s)", median, runs),
            "<= " budget " %", median <= budget ? "PASS" : "FAIL")
    }
    # The median of one kind of run less another, over the repeats.
    # within: the difference may go either way by up to limit; else at most limit.
    function difference(kind, base, label, target, limit, within,    i, j, n, sorted, swap, runs, median, ok) {
        n = 0
        runs = ""
        for (i = 1; i <= repeats; i++) {
            sorted[++n] = value[kind i ".linerate_cpu_percent"] - value[base i ".linerate_cpu_percent"]
            runs = runs (i > 1 ? ", " : "") sprintf("%+.2f", sorted[n])
        }
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
                swap = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = swap
            }
        median = n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
        ok = median <= limit && (!within || median >= -limit)
        row(label, sprintf("%+.2f %% of a core (runs %s)", median, runs), target, ok ? "PASS" : "FAIL")
    }
    # The median of the repeated runs, with all of them in order.
    function cpu(run, key, label, target,    i, j, n, sorted, swap, runs, median) {
        n = 0
        runs = ""
        for (i = 1; i <= repeats; i++) {
            sorted[++n] = value[run i "." key "_cpu_percent"] + 0
            runs = runs (i > 1 ? ", " : "") sprintf("%.2f", sorted[n])
        }
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
                swap = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = swap
            }
        median = n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
        row(label, sprintf("%.2f %% of a core (runs %s)", median, runs),
            target, target == "-" ? "info" : (median < 1 ? "PASS" : "FAIL"))
    }
    END {
        printf "%-44s %-40s %-18s %s\n", "Metric", "Measured", "Target", "Result"
        printf "%-44s %-40s %-18s %s\n", "------", "--------", "------", "------"
        frames = value["flood.flood_frames"]
        flood("flood", sprintf("first %.0f frames", frames))
        flood("steady", "pane full")
        delay("flood", "first frames")
        delay("steady", "pane full")
        memory("flood", sprintf("first %.0f frames", frames))
        memory("steady", sprintf("%.1fM frames more", value["flood.steady_frames"] / 1e6))
        cpu("fresh", "linerate", "CPU at line rate, single frames, fresh pane", "< 1 %")
        cpu("full", "linerate", "CPU at line rate, single frames, full pane", "< 1 %")
        cpu("burst", "linerate", "CPU at line rate, 16 frames a write", "< 1 %")
        cpu("floor", "floor", "CPU at line rate, bare listener (no window)", "-")
        cpu("history", "linerate", "CPU at line rate, history window following", "-")
        cpu("nolog", "linerate", "CPU at line rate, fresh pane, no logbook", "-")
        added("history", "fresh", "CPU the history window adds at line rate", 0.5)
        added("fresh", "nolog", "CPU the logbook adds at line rate", 0.2)
        cpu("share", "linerate", "CPU at line rate, sharing to a local broker", "-")
        difference("share", "fresh", "CPU sharing adds at line rate", "<= 0.3 %", 0.3, 0)
        difference("fanout", "share", "Sharer CPU, 50 subscribers less 1", "same (within 0.2 %)", 0.2, 1)
        most = 0
        for (i = 1; i <= repeats; i++)
            if (value["history" i ".linerate_history_paints_per_second"] > most)
                most = value["history" i ".linerate_history_paints_per_second"]
        row("History window repaints at line rate", sprintf("%.1f a second, most of %d runs", most, repeats),
            "<= 10 a second", most <= 10 ? "PASS" : "FAIL")
        paints = value["fresh1.linerate_graph_paints_per_second"]
        row("Graph repaints at line rate", sprintf("%.1f a second", paints), ">= 20 a second",
            paints >= 20 ? "PASS" : "FAIL")
        late = value["fresh1.linerate_averages_delay_max_ms"]
        row("Averages painted after their 16th report", sprintf("median %.0f, max %.0f ms",
            value["fresh1.linerate_averages_delay_median_ms"], late), "max < 100 ms",
            late < 100 ? "PASS" : "FAIL")
        wakeups = value["idle.idle_wakeups_per_second"]
        row("Wake-ups on a silent line", sprintf("%.1f a second (listener timer: 10)", wakeups),
            "<= 11 a second", wakeups <= 11 ? "PASS" : "FAIL")
        grown = value["memory.datamemory_rss_growth_kb"] / 1024
        row("RSS growth, 30,000 user-data lines", sprintf("%+.1f MB, %d lines kept", grown,
            value["memory.datamemory_pane_lines"]), "< 5 MB", grown < 5 ? "PASS" : "FAIL")
        printf "\n%d of %d targets met\n", counted - failed, counted
        exit failed ? 3 : 0
    }' "$work/results"
