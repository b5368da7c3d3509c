#include "streammodel.h"

namespace StreamModel {

Kind classify(const Bytes &frame)
{
    const std::size_t length = frame.size();
    switch (frame.at(0)) {
    case 0xFE:
        return length >= 5 ? Kind::Volts : Kind::Ignored;
    case 0xFD: {
        if (length < 2)
            return Kind::Ignored;
        const std::size_t count = frame[1];
        return count >= 1 && count <= 6 && length >= 3 + count ? Kind::UserData : Kind::Ignored;
    }
    case 0xFC: case 0xFB: case 0xFA: case 0xF9:
        return length >= 4 ? Kind::Threshold : Kind::Ignored;
    default:
        return Kind::Ignored;
    }
}

void Reports::add(const Bytes &frame)
{
    switch (classify(frame)) {
    case Kind::Volts:
        volts.push_back({ frame[1], frame[2], frame[3], frame[4] });
        break;
    case Kind::UserData:
        dataLines.emplace_back(frame.begin() + 3, frame.begin() + 3 + frame[1]);
        break;
    case Kind::Threshold: {
        Alarm &alarm = alarms[0xFC - frame[0]];
        alarm.reported = true;
        alarm.value = frame[1];
        alarm.level = std::int8_t(frame[3]);
        if (frame[2] == 0 || frame[2] == 1)
            alarm.comparison = frame[2];
        ++thresholdCount;
        break;
    }
    case Kind::Ignored:
        break;
    }
}

} // namespace StreamModel
