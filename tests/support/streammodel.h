#ifndef STREAMMODEL_H
#define STREAMMODEL_H

#include <cstddef>
#include <cstdint>
#include <vector>

// A plain byte-at-a-time model of the inbound line format and of what the
// listener reports for it, written apart from the production decoder so the
// two can be checked against each other on arbitrary input.
namespace StreamModel {

using Bytes = std::vector<std::uint8_t>;

class ReferenceDecoder
{
public:
    // Calls onFrame(frame) for every non-empty frame completed by `bytes`.
    template <typename FrameHandler>
    void decode(const std::uint8_t *bytes, std::size_t count, FrameHandler &&onFrame);
    // Appends every non-empty frame completed by `bytes` to `frames`.
    void decode(const std::uint8_t *bytes, std::size_t count, std::vector<Bytes> &frames)
    {
        decode(bytes, count, [&](const Bytes &done) { frames.push_back(done); });
    }
    std::size_t pendingLength() const { return frame.size(); }

private:
    Bytes frame;
    bool escaped = false;
    bool synchronised = false; // a delimiter has been seen
};

template <typename FrameHandler>
void ReferenceDecoder::decode(const std::uint8_t *bytes, std::size_t count, FrameHandler &&onFrame)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = bytes[i];
        // Nothing counts before the first delimiter.
        if (!synchronised && byte != 0x7E)
            continue;
        if (byte == 0x7E) {
            synchronised = true;
            if (!frame.empty())
                onFrame(static_cast<const Bytes &>(frame));
            frame.clear();
            escaped = false;
        } else if (byte == 0x7D) {
            escaped = true;
        } else {
            if (frame.size() < 11)
                frame.push_back(escaped ? byte ^ 0x20 : byte);
            escaped = false;
        }
    }
}

enum class Kind { Ignored, Volts, UserData, Threshold };

// What the listener makes of one frame; frames too short for their layout
// are not reported.
Kind classify(const Bytes &frame);

// The reports a stream gives, reduced to what the window keeps of them.
struct Reports
{
    struct Volts { std::uint8_t volt1, volt2, linkq, linkql; };
    struct Alarm
    {
        bool reported = false;
        std::uint8_t value = 0;
        std::int8_t level = 0;
        // The last comparison that names one (0 "less", 1 "great"), or -1:
        // the window keeps its choice on any other.
        int comparison = -1;
    };

    std::vector<Volts> volts;
    std::vector<Bytes> dataLines;
    Alarm alarms[4];
    std::size_t thresholdCount = 0;

    void add(const Bytes &frame);
};

} // namespace StreamModel

#endif
