// libFuzzer entry: a watched session's message, its first byte choosing the
// topic, read by the watch parser; whatever it accepts must be what a
// sharer could have sent.
#include "watchparser.h"

#include <cstdio>
#include <cstdlib>

namespace {

void fault(const char *what)
{
    std::fprintf(stderr, "watch parser fault: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray payload(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    QString problem;
    switch (data[0] % 5) {
    case 0:
        if (const auto report = WatchParser::report(payload, &problem);
            report && (report->ms < 0 || report->seq == 0 || report->seq < -1))
            fault("a report before 1970, or numbered below 1");
        break;
    case 1:
        if (const auto user = WatchParser::data(payload, &problem);
            user && (user->length < 1 || user->length > Protocol::MaxUserDataBytes))
            fault("user data of a length no frame carries");
        break;
    case 2:
        WatchParser::alarms(payload, &problem);
        break;
    case 3:
        if (const auto channels = WatchParser::channels(payload, &problem)) {
            for (const ChannelScale &scale : *channels) {
                if (scale.problem().field != ChannelScale::NoField)
                    fault("a channel the dialog would refuse");
            }
        }
        break;
    default:
        WatchParser::status(payload, &problem);
    }
    return 0;
}
