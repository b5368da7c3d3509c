#include "decodercheck.h"

#include "framecodec.h"
#include "streammodel.h"

#include <memory>

using StreamModel::Bytes;

namespace {

// Frames one after another, each behind its length: one allocation per
// input rather than one per frame keeps the fuzzer fast.
using FrameList = std::string;

void appendFrame(FrameList &list, const std::uint8_t *payload, std::size_t length)
{
    list += char(length);
    list.append(reinterpret_cast<const char *>(payload), length);
}

std::string hex(const std::uint8_t *bytes, std::size_t length)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
        text += ' ';
    }
    return text;
}

// The frame at `index` of a list, in hex; empty if the list is shorter.
std::string frameAt(const FrameList &list, std::size_t index)
{
    std::size_t at = 0;
    for (; at < list.size() && index > 0; --index)
        at += 1 + std::uint8_t(list[at]);
    if (at >= list.size())
        return "(none)";
    return hex(reinterpret_cast<const std::uint8_t *>(list.data()) + at + 1, std::uint8_t(list[at]));
}

// Where in `list` the first difference to `other` lies, as a frame index.
std::size_t firstDifferentFrame(const FrameList &list, const FrameList &other)
{
    std::size_t index = 0;
    for (std::size_t at = 0; at < list.size(); ++index) {
        const std::size_t next = at + 1 + std::uint8_t(list[at]);
        if (list.compare(at, next - at, other, at, next - at) != 0)
            break;
        at = next;
    }
    return index;
}

struct Decoded
{
    FrameList frames;
    int pendingLength = 0;
};

// In blocks of 1 to cutByte + 1 bytes, or whole if cutByte is negative. Each
// block is copied to the end of a heap buffer, so that a read past the end of
// the block is a sanitizer report rather than a look at the next one.
Decoded decode(const std::uint8_t *bytes, std::size_t count, int cutByte)
{
    Decoded result;
    result.frames.reserve(count * 2);
    FrameDecoder decoder;
    const std::size_t largest = cutByte < 0 ? std::max<std::size_t>(count, 1) : cutByte + 1u;
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[largest]);
    // Block sizes from a small generator seeded by the byte.
    std::uint32_t state = 0x9E3779B9u ^ std::uint32_t(cutByte);
    for (std::size_t done = 0, block = 0; done < count; done += block) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        block = std::min<std::size_t>(cutByte < 0 ? count : 1 + state % largest, count - done);
        std::uint8_t *at = buffer.get() + largest - block;
        std::copy(bytes + done, bytes + done + block, at);
        decoder.decode(at, block, [&](const std::uint8_t *payload, int length) {
            appendFrame(result.frames, payload, std::size_t(length));
        });
    }
    result.pendingLength = decoder.pendingLength();
    return result;
}

std::string compare(const char *what, const Decoded &decoded, const FrameList &expected,
                    std::size_t expectedPending)
{
    if (decoded.frames != expected) {
        const std::size_t index = firstDifferentFrame(expected, decoded.frames);
        return std::string(what) + ": frame " + std::to_string(index) + " is ["
                + frameAt(decoded.frames, index) + "], expected [" + frameAt(expected, index) + "]";
    }
    if (std::size_t(decoded.pendingLength) != expectedPending)
        return std::string(what) + ": " + std::to_string(decoded.pendingLength)
                + " bytes pending, expected " + std::to_string(expectedPending);
    return {};
}

// Sorts one frame and reads every byte the listener would read for its kind.
// The frame sits at the end of a heap buffer, so that reading past the frame
// is a sanitizer report rather than a look at stale bytes.
std::string sortFrame(const Bytes &frame, std::uint8_t *bufferEnd, unsigned &sum)
{
    const std::size_t length = frame.size();
    std::uint8_t *payload = bufferEnd - length;
    std::copy(frame.begin(), frame.end(), payload);

    const FrameKind kind = frameKind(payload, int(length));
    const StreamModel::Kind expected = StreamModel::classify(frame);
    if (int(kind) != int(expected))
        return "frame [" + hex(frame.data(), length) + "] sorted as " + std::to_string(int(kind))
                + ", expected " + std::to_string(int(expected));

    switch (kind) {
    case FrameKind::Volts:
        sum += payload[1] + payload[2] + payload[3] + payload[4];
        break;
    case FrameKind::UserData:
        for (int i = 0; i < payload[1]; ++i)
            sum += payload[Protocol::UserDataHeaderLength + i];
        break;
    case FrameKind::Threshold: {
        const int index = thresholdIndex(payload);
        if (index < 0 || index >= Protocol::AlarmCount)
            return "frame [" + hex(frame.data(), length) + "] gives alarm index "
                    + std::to_string(index);
        sum += unsigned(index) + payload[1] + payload[2] + payload[3];
        break;
    }
    case FrameKind::Ignored:
        break;
    }
    return {};
}

// Stuffing a decoded frame and decoding it again gives the same frame.
std::string roundTrip(const Bytes &frame)
{
    std::uint8_t wire[2 + 2 * Protocol::MaxStoredBytes];
    const std::size_t length = stuffFrame(frame.data(), frame.size(), wire);
    FrameDecoder decoder;
    int frames = 0;
    bool same = true;
    decoder.decode(wire, length, [&](const std::uint8_t *payload, int decodedLength) {
        ++frames;
        same = same && std::size_t(decodedLength) == frame.size()
                && std::equal(frame.begin(), frame.end(), payload);
    });
    if (frames != 1 || !same)
        return "frame [" + hex(frame.data(), frame.size()) + "] does not survive stuffing and decoding";
    return {};
}

} // namespace

std::string checkDecoder(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return {};
    const std::uint8_t cutByte = data[0];
    const std::uint8_t *wire = data + 1;
    const std::size_t wireSize = size - 1;

    // The reference frames, each sorted and read as the listener would, and
    // stuffed and decoded again.
    FrameList expected;
    expected.reserve(wireSize * 2);
    std::string error;
    unsigned sum = 0;
    std::unique_ptr<std::uint8_t[]> frameBuffer(new std::uint8_t[Protocol::MaxStoredBytes]);
    std::uint8_t *const frameBufferEnd = frameBuffer.get() + Protocol::MaxStoredBytes;
    StreamModel::ReferenceDecoder reference;
    reference.decode(wire, wireSize, [&](const Bytes &frame) {
        appendFrame(expected, frame.data(), frame.size());
        if (error.empty())
            error = sortFrame(frame, frameBufferEnd, sum);
        if (error.empty())
            error = roundTrip(frame);
    });
    if (error.empty())
        error = compare("whole", decode(wire, wireSize, -1), expected, reference.pendingLength());
    if (error.empty())
        error = compare("in blocks", decode(wire, wireSize, cutByte), expected,
                        reference.pendingLength());
    // Keeps the reads above from being optimised away.
    volatile unsigned sink = sum;
    (void)sink;
    return error;
}
