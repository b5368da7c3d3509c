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

FrameTemplate alarm(int index, AlarmSetting setting)
{
    return { Protocol::TemplateFiller, Protocol::alarmCommand(index), setting.value,
             setting.comparison, setting.level };
}

Heard read(const std::uint8_t *payload)
{
    using namespace Protocol;
    if (payload[0] == RequestCommand)
        return { Heard::Request };
    if (isThresholdType(payload[0]))
        return { Heard::SetAlarm, thresholdIndex(payload), { payload[1], payload[2], payload[3] } };
    return {};
}

} // namespace Command
