// Throughput of the frame codec. Run a Release build; the summary at the end
// gives the decoder's speed as a share of a plain memchr scan of the same
// bytes. The display is always the console; --benchmark_out writes JSON.

#include "framecodec.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t StreamSize = 1 << 20;
constexpr std::size_t ReadBlockSize = 1024; // the most the listener reads at once

// A fixed-seed engine: its raw output is the same on every standard library,
// unlike the standard distributions, so every run decodes the same bytes.
class Source
{
public:
    std::uint8_t byte() { return std::uint8_t(engine()); }
    // True `percent` times in a hundred.
    bool chance(unsigned percent) { return engine() % 100 < percent; }
    unsigned below(unsigned limit) { return unsigned(engine() % limit); }

    // A value byte of a telemetry reading; a few of them need stuffing.
    std::uint8_t value()
    {
        if (chance(3))
            return chance(50) ? Protocol::Delimiter : Protocol::Escape;
        return byte();
    }

private:
    std::mt19937 engine{ 20240611u };
};

void appendStuffed(Bytes &stream, std::uint8_t byte)
{
    if (byte == Protocol::Delimiter || byte == Protocol::Escape) {
        stream.push_back(Protocol::Escape);
        byte ^= Protocol::EscapeXor;
    }
    stream.push_back(byte);
}

// One frame and its closing delimiter; the opening one is the previous
// frame's closing delimiter.
void appendFrame(Bytes &stream, std::initializer_list<std::uint8_t> payload)
{
    for (std::uint8_t byte : payload)
        appendStuffed(stream, byte);
    stream.push_back(Protocol::Delimiter);
}

// What the module sends: volts frames sharing their delimiters most of the
// time, user data and thresholds now and then, and line noise in between.
Bytes mixedStream()
{
    Source source;
    Bytes stream{ Protocol::Delimiter };
    stream.reserve(StreamSize + 64);
    while (stream.size() < StreamSize) {
        const unsigned pick = source.below(100);
        if (pick < 82) {
            appendFrame(stream, { Protocol::VoltsType, source.value(), source.value(),
                                    source.value(), source.value() });
        } else if (pick < 90) {
            const std::uint8_t count = std::uint8_t(1 + source.below(Protocol::MaxUserDataBytes));
            stream.push_back(Protocol::UserDataType);
            stream.push_back(count);
            stream.push_back(0);
            for (int i = 0; i < count; ++i)
                appendStuffed(stream, source.value());
            stream.push_back(Protocol::Delimiter);
        } else if (pick < 97) {
            const std::uint8_t type = std::uint8_t(Protocol::FirstThresholdType - source.below(4));
            appendFrame(stream, { type, source.value(), std::uint8_t(source.below(2)),
                                    std::uint8_t(source.below(4)) });
        } else {
            // Noise, sometimes longer than a frame may hold.
            const unsigned length = 1 + source.below(16);
            for (unsigned i = 0; i < length; ++i)
                stream.push_back(source.byte());
            stream.push_back(Protocol::Delimiter);
        }
    }
    return stream;
}

const Bytes &mixed()
{
    static const Bytes stream = mixedStream();
    return stream;
}

// A link with nothing to report but readings: volts frames alone, stuffed
// only where a random value happens to need it. Against the mixed stream it
// shows what the irregular frames cost.
Bytes voltsStream()
{
    Source source;
    Bytes stream{ Protocol::Delimiter };
    stream.reserve(StreamSize + 16);
    while (stream.size() < StreamSize)
        appendFrame(stream, { Protocol::VoltsType, source.byte(), source.byte(), source.byte(),
                              source.byte() });
    return stream;
}

// Nothing but stuffed bytes, so no run is longer than one byte.
Bytes stuffedStream()
{
    Bytes stream;
    stream.reserve(StreamSize);
    while (stream.size() < StreamSize) {
        for (int i = 0; i < 20; ++i) {
            stream.push_back(Protocol::Escape);
            stream.push_back(Protocol::Delimiter ^ Protocol::EscapeXor);
        }
        stream.push_back(Protocol::Delimiter);
    }
    return stream;
}

// What the listener does with a frame, short of emitting a signal: sort it
// and copy its fields into fixed members.
struct Sink
{
    std::uint8_t volts[4] = {};
    std::uint8_t data[Protocol::MaxUserDataBytes] = {};
    int dataLength = 0;
    std::uint8_t threshold[4] = {};
    std::uint64_t framesOfKind[4] = {};

    void operator()(const std::uint8_t *payload, int length)
    {
        const FrameKind kind = frameKind(payload, length);
        switch (kind) {
        case FrameKind::Volts:
            std::memcpy(volts, payload + 1, sizeof volts);
            break;
        case FrameKind::UserData:
            dataLength = payload[1];
            std::memcpy(data, payload + Protocol::UserDataHeaderLength, std::size_t(dataLength));
            break;
        case FrameKind::Threshold:
            threshold[0] = std::uint8_t(thresholdIndex(payload));
            std::memcpy(threshold + 1, payload + 1, 3);
            break;
        case FrameKind::Ignored:
            break;
        }
        ++framesOfKind[int(kind)];
    }

    std::uint64_t frames() const
    {
        return framesOfKind[0] + framesOfKind[1] + framesOfKind[2] + framesOfKind[3];
    }
};

void runDecoder(benchmark::State &state, const Bytes &stream, std::size_t blockSize)
{
    FrameDecoder decoder;
    Sink sink;
    for (auto _ : state) {
        for (std::size_t at = 0; at < stream.size(); at += blockSize) {
            const std::size_t length = std::min(blockSize, stream.size() - at);
            decoder.decode(stream.data() + at, length, sink);
        }
        benchmark::DoNotOptimize(sink);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
    state.counters["frames/s"] = benchmark::Counter(double(sink.frames()), benchmark::Counter::kIsRate);
}

void BM_DecodeMixed(benchmark::State &state)
{
    runDecoder(state, mixed(), StreamSize * 2);
}
BENCHMARK(BM_DecodeMixed);

// The same bytes in the chunks the serial port hands over.
void BM_DecodeMixedReadBlocks(benchmark::State &state)
{
    runDecoder(state, mixed(), ReadBlockSize);
}
BENCHMARK(BM_DecodeMixedReadBlocks);

void BM_DecodeVoltsOnly(benchmark::State &state)
{
    static const Bytes stream = voltsStream();
    runDecoder(state, stream, StreamSize * 2);
}
BENCHMARK(BM_DecodeVoltsOnly);

void BM_DecodeAllStuffed(benchmark::State &state)
{
    static const Bytes stream = stuffedStream();
    runDecoder(state, stream, StreamSize * 2);
}
BENCHMARK(BM_DecodeAllStuffed);

void BM_DecodeAllDelimiters(benchmark::State &state)
{
    static const Bytes stream(StreamSize, Protocol::Delimiter);
    runDecoder(state, stream, StreamSize * 2);
}
BENCHMARK(BM_DecodeAllDelimiters);

// The floor: finding the delimiters alone, with no unstuffing at all.
void BM_MemchrMixed(benchmark::State &state)
{
    const Bytes &stream = mixed();
    for (auto _ : state) {
        std::size_t delimiters = 0;
        const std::uint8_t *at = stream.data();
        const std::uint8_t *const end = at + stream.size();
        while (const void *found = std::memchr(at, Protocol::Delimiter, std::size_t(end - at))) {
            ++delimiters;
            at = static_cast<const std::uint8_t *>(found) + 1;
        }
        benchmark::DoNotOptimize(delimiters);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(stream.size()));
}
BENCHMARK(BM_MemchrMixed);

// Alarm commands over the whole range of values, a few of them stuffed, and
// the request frame.
void BM_EncodeFrame(benchmark::State &state)
{
    constexpr int TemplateCount = 64;
    FrameTemplate templates[TemplateCount];
    Source source;
    for (int i = 0; i < TemplateCount; ++i) {
        if (i % 16 == 0) {
            templates[i] = Command::request();
            continue;
        }
        const std::uint8_t value = source.value();
        const auto comparison = std::uint8_t(source.below(2));
        templates[i] = Command::alarm(i % Protocol::AlarmCount,
                                      { value, comparison, std::uint8_t(source.below(4)) });
    }
    std::uint8_t wire[Protocol::MaxWireFrame];
    std::size_t total = 0;
    for (auto _ : state) {
        for (const auto &t : templates) {
            total += encodeFrame(t, wire);
            benchmark::DoNotOptimize(wire);
        }
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(std::int64_t(state.iterations()) * TemplateCount);
    state.SetBytesProcessed(std::int64_t(total));
}
BENCHMARK(BM_EncodeFrame);

// The console report, then a short summary in decimal units with the
// decoder's speed as a share of memchr's.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            // With repetitions, the median stands for the benchmark.
            if (run.error_occurred
                || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
                continue;
            Rates &rates = ratesOf(run.run_name.function_name);
            rates.bytes = counter(run, "bytes_per_second");
            rates.frames = std::max(counter(run, "frames/s"), counter(run, "items_per_second"));
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-26s %10s %14s\n", "summary", "GB/s", "Mframes/s");
        double memchrRate = 0;
        double decoderRate = 0;
        for (const auto &[name, rates] : results) {
            std::printf("%-26s %10.3f %14.1f\n", name.c_str(), rates.bytes / 1e9, rates.frames / 1e6);
            if (name == "BM_MemchrMixed")
                memchrRate = rates.bytes;
            else if (name == "BM_DecodeMixed")
                decoderRate = rates.bytes;
        }
        if (memchrRate > 0 && decoderRate > 0)
            std::printf("decoder/memchr ratio: %.2f\n", decoderRate / memchrRate);
    }

private:
    struct Rates
    {
        double bytes = 0;
        double frames = 0;
    };

    static double counter(const Run &run, const char *name)
    {
        const auto found = run.counters.find(name);
        return found == run.counters.end() ? 0.0 : double(found->second);
    }

    // Kept in the order the benchmarks ran.
    Rates &ratesOf(const std::string &name)
    {
        const auto known = std::find_if(results.begin(), results.end(),
                                        [&](const auto &entry) { return entry.first == name; });
        return known != results.end() ? known->second : results.emplace_back(name, Rates()).second;
    }

    std::vector<std::pair<std::string, Rates>> results;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
