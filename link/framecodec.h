#ifndef FRAMECODEC_H
#define FRAMECODEC_H

#include "protocol.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Cuts a received byte stream into unstuffed frames. The state carries over
// from one block to the next, so a frame may be split across reads. It
// starts, and starts again after reset(), by discarding bytes up to the first
// delimiter: a line joined in the middle of a frame would otherwise turn that
// frame's tail into a report of made-up values.
class FrameDecoder
{
public:
    // Calls onFrame(payload, length) for every non-empty frame, at its closing
    // delimiter and before the next byte is looked at. At most MaxStoredBytes
    // of a frame are kept; the rest is dropped.
    template <typename FrameHandler>
    void decode(const std::uint8_t *bytes, std::size_t count, FrameHandler &&onFrame);

    // Forgets a half-received frame (after the link was lost, say) and waits
    // for the next delimiter.
    void reset();

    int pendingLength() const { return frameLength; }

private:
    // Runs are copied with one fixed-size move, which may write past the
    // kept bytes; the slack behind them takes the excess, which no frame
    // reports.
    static constexpr int RunCopy = 16;

    bool hunting = true; // for the first delimiter
    std::uint8_t escapeMask = 0;
    int frameLength = 0;
    std::uint8_t frame[Protocol::MaxStoredBytes + RunCopy] = {};
};

template <typename FrameHandler>
void FrameDecoder::decode(const std::uint8_t *bytes, std::size_t count, FrameHandler &&onFrame)
{
    using namespace Protocol;
    if (hunting) {
        const auto *delimiter = static_cast<const std::uint8_t *>(std::memchr(bytes, Delimiter, count));
        if (!delimiter)
            return;
        hunting = false;
        count -= std::size_t(delimiter - bytes);
        bytes = delimiter; // it ends nothing: frameLength is 0
    }
    // Local copies: every store into the frame could alias the members, which
    // would force them back to memory on each byte.
    int length = frameLength;
    std::uint8_t mask = escapeMask;
    const std::uint8_t *const end = bytes + count;

    const auto endOrEscape = [&](std::uint8_t byte) {
        if (byte == Delimiter) {
            // A pending escape is dropped: the delimiter always ends the frame.
            if (length != 0) {
                frameLength = length; // what pendingLength() says meanwhile
                onFrame(static_cast<const std::uint8_t *>(frame), length);
            }
            length = 0;
            mask = 0;
        } else {
            mask = EscapeXor; // set, not toggled
        }
    };

    // Most bytes are neither delimiter nor escape. Find where a run of them
    // ends and store as much of it as fits with one fixed-size copy, which
    // needs RunCopy bytes to read from where the run starts.
    while (end - bytes >= RunCopy) {
        const std::uint8_t *const run = bytes;
        while (bytes != end && *bytes != Delimiter && *bytes != Escape)
            ++bytes;
        if (bytes != run) {
            std::memcpy(frame + length, run, RunCopy);
            frame[length] ^= mask; // only the first byte can follow an escape
            length = int(std::min<std::ptrdiff_t>(length + (bytes - run), MaxStoredBytes));
            mask = 0; // cleared by a dropped byte too
        }
        if (bytes == end)
            break;
        const std::uint8_t special = *bytes++;
        endOrEscape(special);
        // Repeated delimiters (an idle line) only end empty frames.
        if (special == Delimiter) {
            while (bytes != end && *bytes == Delimiter)
                ++bytes;
        }
    }

    // The last few bytes of the block, one at a time.
    for (; bytes != end; ++bytes) {
        const std::uint8_t byte = *bytes;
        if (byte == Delimiter || byte == Escape) {
            endOrEscape(byte);
        } else {
            if (length < MaxStoredBytes)
                frame[length++] = byte ^ mask;
            mask = 0;
        }
    }
    frameLength = length;
    escapeMask = mask;
}

enum class FrameKind { Ignored, Volts, UserData, Threshold };

// Sorts a decoded frame by its type. A frame shorter than its kind's layout,
// or a user-data frame whose count is outside 1..6, is Ignored rather than
// read past its end.
inline FrameKind frameKind(const std::uint8_t *payload, int length)
{
    using namespace Protocol;
    const std::uint8_t type = payload[0];
    if (type == VoltsType)
        return length >= VoltsFrameLength ? FrameKind::Volts : FrameKind::Ignored;
    if (type == UserDataType) {
        if (length < 2)
            return FrameKind::Ignored;
        const int count = payload[1];
        const bool valid = count >= 1 && count <= MaxUserDataBytes
                && length >= UserDataHeaderLength + count;
        return valid ? FrameKind::UserData : FrameKind::Ignored;
    }
    if (isThresholdType(type))
        return length >= ThresholdFrameLength ? FrameKind::Threshold : FrameKind::Ignored;
    return FrameKind::Ignored;
}

// Alarm index 0..3 of a threshold frame.
inline int thresholdIndex(const std::uint8_t *payload)
{
    return Protocol::FirstThresholdType - payload[0];
}

// Stuffs `length` payload bytes between two delimiters into `wire`, which must
// hold 2 + 2 * length bytes. Returns the number of wire bytes.
std::size_t stuffFrame(const std::uint8_t *payload, std::size_t length, std::uint8_t *wire);

// An outbound frame laid out in full: position 0 stands where the opening
// delimiter goes, position 10 where the closing one goes.
using FrameTemplate = std::array<std::uint8_t, Protocol::TemplateSize>;

// One alarm's setting, in the order both directions carry it.
struct AlarmSetting
{
    std::uint8_t value, comparison, level;
};

// The two frames the module is sent: filled in, and read back as the module
// hears them.
namespace Command {

// Asks the module for its four alarm settings.
FrameTemplate request();
// Sets alarm 0..3: the same fields, in the same order, as its threshold frame.
FrameTemplate alarm(int index, AlarmSetting setting);

struct Heard
{
    enum Kind { Request, SetAlarm, Unknown };
    Kind kind = Unknown;
    int alarm = 0; // SetAlarm: 0 for alarm 1
    AlarmSetting setting = {};
};

// A decoded command frame (Protocol::CommandLength bytes) as the module
// hears it.
Heard read(const std::uint8_t *payload);

} // namespace Command

// Encodes an outbound frame template: positions 1..9 stuffed between two
// delimiters, 11 to 20 bytes. Positions 0 and 10 are not read.
std::size_t encodeFrame(const FrameTemplate &frameTemplate,
                        std::uint8_t (&wire)[Protocol::MaxWireFrame]);

#endif
