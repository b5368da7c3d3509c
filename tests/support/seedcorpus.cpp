#include "seedcorpus.h"

#include "framecodec.h"

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string text;
    for (int value : values)
        text += char(value);
    return text;
}

// One frame on the wire, payload stuffed, between delimiters.
std::string frame(const std::string &payload)
{
    std::uint8_t wire[2 + 2 * 64];
    const std::size_t length = stuffFrame(reinterpret_cast<const std::uint8_t *>(payload.data()),
                                          payload.size(), wire);
    return std::string(reinterpret_cast<const char *>(wire), length);
}

std::string command(const FrameTemplate &frameTemplate)
{
    std::uint8_t wire[Protocol::MaxWireFrame];
    return std::string(reinterpret_cast<const char *>(wire), encodeFrame(frameTemplate, wire));
}

} // namespace

std::vector<Seed> seedCorpus()
{
    std::vector<Seed> seeds;
    seeds.push_back({ "volts", frame(bytes({ 0xFE, 0x5A, 0x3C, 0x64, 0x32 })) });
    seeds.push_back({ "volts-padded", frame(bytes({ 0xFE, 0x5A, 0x3C, 0x64, 0x32, 0, 0, 0, 0 })) });
    seeds.push_back({ "volts-short", frame(bytes({ 0xFE, 0x01, 0x02 })) });
    for (int count = 0; count <= 7; ++count) {
        std::string payload = bytes({ 0xFD, count, 0x00 });
        for (int i = 0; i < count; ++i)
            payload += char(0x41 + i);
        seeds.push_back({ "data-count-" + std::to_string(count), frame(payload) });
    }
    seeds.push_back({ "data-count-80", frame(bytes({ 0xFD, 0x80, 0, 1, 2, 3, 4, 5, 6 })) });
    seeds.push_back({ "data-cut-short", frame(bytes({ 0xFD, 0x06, 0x00, 0x01, 0x02 })) });
    for (int type = 0xFC; type >= 0xF9; --type)
        seeds.push_back({ "threshold-" + std::to_string(0xFC - type),
                          frame(bytes({ type, 0x64, 0x01, 0x02 })) });
    seeds.push_back({ "threshold-stuffed-7e", frame(bytes({ 0xFA, 0x7E, 0x01, 0x02 })) });
    seeds.push_back({ "threshold-stuffed-7d", frame(bytes({ 0xFB, 0x7D, 0x00, 0x03 })) });
    seeds.push_back({ "threshold-out-of-range", frame(bytes({ 0xF9, 0xFF, 0x05, 0xF0 })) });
    // Value 0 and level 9 past the editors' ranges, comparison -1, value 200.
    seeds.push_back({ "threshold-edges", frame(bytes({ 0xFC, 0x00, 0x01, 0x09 }))
                                                 + frame(bytes({ 0xFB, 0x10, 0xFF, 0x02 }))
                                                 + frame(bytes({ 0xF9, 0xC8, 0x01, 0x01 })) });
    seeds.push_back({ "stuffed-everywhere",
                      frame(bytes({ 0x7E, 0x7D, 0x7E, 0x7D, 0x7E, 0x7D, 0x7E, 0x7D, 0x7E, 0x7D, 0x7E })) });
    seeds.push_back({ "overlong", frame(bytes({ 0xFE, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 })) });
    seeds.push_back({ "escape-before-delimiter", bytes({ 0x7E, 0xFB, 0x10, 0x01, 0x02, 0x7D, 0x7E,
                                                         0x41, 0x7E }) });
    seeds.push_back({ "lone-escape", bytes({ 0x7E, 0x7D, 0x41, 0x7D, 0x7D, 0x42, 0x7E }) });
    seeds.push_back({ "empty-frames", bytes({ 0x7E, 0x7E, 0x7E }) });
    seeds.push_back({ "garbage-then-volts",
                      bytes({ 0x12, 0xFE, 0x00, 0x7D }) + frame(bytes({ 0xFE, 9, 8, 7, 6 })) });
    seeds.push_back({ "unterminated", bytes({ 0x7E, 0xFE, 0x01, 0x02, 0x7D }) });
    seeds.push_back({ "request", command(Command::request()) });
    for (int alarm = 0; alarm < Protocol::AlarmCount; ++alarm)
        seeds.push_back({ "alarm-command-" + std::to_string(alarm + 1),
                          command(Command::alarm(alarm, { std::uint8_t(0x7C + alarm), 1, 2 })) });

    // Longer than one read of the listener, so a frame straddles the cut.
    std::string stream;
    for (int i = 0; stream.size() < 1100; ++i) {
        stream += frame(bytes({ 0xFE, i, 0x7E, 0x7D, i * 3 }));
        stream += frame(bytes({ 0xFD, 1 + i % 6, 0, 0x7E, i, 0x7D, 1, 2, 3 }));
        stream += frame(bytes({ 0xFC - i % 4, i, i % 2, i % 4 }));
    }
    seeds.push_back({ "mixed-long", stream });
    return seeds;
}
