#include "framecodec.h"

void FrameDecoder::reset()
{
    hunting = true;
    escapeMask = 0;
    frameLength = 0;
}

std::size_t stuffFrame(const std::uint8_t *payload, std::size_t length, std::uint8_t *wire)
{
    using namespace Protocol;
    std::uint8_t *out = wire;
    *out++ = Delimiter;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t byte = payload[i];
        if (byte == Delimiter || byte == Escape) {
            *out++ = Escape;
            *out++ = byte ^ EscapeXor;
        } else {
            *out++ = byte;
        }
    }
    *out++ = Delimiter;
    return std::size_t(out - wire);
}

std::size_t encodeFrame(const FrameTemplate &frameTemplate,
                        std::uint8_t (&wire)[Protocol::MaxWireFrame])
{
    return stuffFrame(frameTemplate.data() + 1, Protocol::TemplateSize - 2, wire);
}

namespace Command {

FrameTemplate request()
{
    return { Protocol::TemplateFiller, Protocol::RequestCommand };
}

FrameTemplate alarm(int index, std::uint8_t value, std::uint8_t comparison, std::uint8_t level)
{
    return { Protocol::TemplateFiller, Protocol::alarmCommand(index), value, comparison, level };
}

} // namespace Command
