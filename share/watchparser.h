#ifndef WATCHPARSER_H
#define WATCHPARSER_H

#include "channelscale.h"
#include "framecodec.h"

#include <QByteArray>
#include <QCoreApplication>

#include <array>
#include <optional>

// Reads the messages of a shared session, one topic's payload at a time.
// Whatever is not what a sharer publishes (not JSON, the wrong types,
// values outside 0 to 255, too large, too deeply nested) is refused with a
// reason, never half-read.
class WatchParser
{
    Q_DECLARE_TR_FUNCTIONS(WatchParser)

public:
    // Larger payloads are refused unread: a sharer's largest, the channels,
    // is well under a kilobyte.
    static constexpr qsizetype MaxPayload = 16 * 1024;

    enum class Topic { Report, Data, Alarms, Channels, Status, Other };
    static constexpr const char *Leaves[] = { "report", "data", "alarms", "channels", "status" };

    struct Report
    {
        qint64 ms = 0;
        qint64 seq = -1; // the report's number in its session; -1: not given
        std::array<quint8, 4> values = {}; // volt1, volt2, linkq, linkql
    };
    struct Data
    {
        std::array<quint8, Protocol::MaxUserDataBytes> bytes = {};
        int length = 0;
    };
    using Alarms = std::array<std::optional<AlarmSetting>, Protocol::AlarmCount>;
    using Channels = std::array<ChannelScale, ChannelScale::ChannelCount>;
    enum class Status { Online, Offline };

    // Which of the session's topics under `base` this is.
    static Topic topicOf(const QByteArray &topic, const QByteArray &base);

    // Each gives the payload's content, or nothing with `problem` set.
    static std::optional<Report> report(const QByteArray &payload, QString *problem);
    static std::optional<Data> data(const QByteArray &payload, QString *problem);
    static std::optional<Alarms> alarms(const QByteArray &payload, QString *problem);
    static std::optional<Channels> channels(const QByteArray &payload, QString *problem);
    static std::optional<Status> status(const QByteArray &payload, QString *problem);
};

#endif
