#include "watcher.h"

#include <QDateTime>

#include <cstdio>

Watcher::Watcher(const MqttClient::Options &options, QObject *parent)
    : QObject(parent), mqtt(new MqttClient(options, this)), base(options.address.base.toUtf8())
{
    connect(mqtt, &MqttClient::messageArrived, this, &Watcher::take);
}

void Watcher::take(const QByteArray &topic, const QByteArray &payload, bool retained)
{
    QString problem;
    switch (WatchParser::topicOf(topic, base)) {
    case WatchParser::Topic::Report:
        if (const auto report = WatchParser::report(payload, &problem)) {
            // A message sent again after a lost connection is shown already.
            if (!isNew(*report))
                return;
            return addReport(*report);
        }
        break;
    case WatchParser::Topic::Data:
        if (const auto data = WatchParser::data(payload, &problem))
            return addData(*data);
        break;
    case WatchParser::Topic::Alarms:
        if (const auto alarms = WatchParser::alarms(payload, &problem))
            return addAlarms(*alarms);
        break;
    case WatchParser::Topic::Channels:
        if (const auto channels = WatchParser::channels(payload, &problem)) {
            for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
                emit channelScaleChanged(channel, (*channels)[std::size_t(channel - 1)]);
            return;
        }
        break;
    case WatchParser::Topic::Status:
        if (const auto status = WatchParser::status(payload, &problem)) {
            if (*status == WatchParser::Status::Online)
                emit stationOnline();
            else
                emit stationOffline(retained ? -1 : QDateTime::currentMSecsSinceEpoch());
            return;
        }
        break;
    case WatchParser::Topic::Other:
        return;
    }
    drop(topic, problem);
}

bool Watcher::isNew(const WatchParser::Report &report) const
{
    if (report.ms != newestMs)
        return report.ms > newestMs;
    // Of the same moment: the next of a burst, or one sent twice.
    return report.seq < 0 || report.seq > newestSeq;
}

void Watcher::addReport(const WatchParser::Report &report)
{
    newestMs = report.ms;
    newestSeq = report.seq;
    const std::uint8_t frame[] = { Protocol::VoltsType, report.values[0], report.values[1], report.values[2],
                                   report.values[3] };
    frames.addFrame(frame, sizeof frame, report.ms);
    frames.announce();
}

// Frames without a time of their own go with the newest report's.
void Watcher::addData(const WatchParser::Data &data)
{
    std::uint8_t frame[Protocol::UserDataHeaderLength + Protocol::MaxUserDataBytes] = {
        Protocol::UserDataType, std::uint8_t(data.length), 0
    };
    std::copy(data.bytes.begin(), data.bytes.begin() + data.length, frame + Protocol::UserDataHeaderLength);
    frames.addFrame(frame, std::size_t(Protocol::UserDataHeaderLength + data.length),
                    newestMs >= 0 ? newestMs : QDateTime::currentMSecsSinceEpoch());
    frames.announce();
}

void Watcher::addAlarms(const WatchParser::Alarms &alarms)
{
    const qint64 ms = newestMs >= 0 ? newestMs : QDateTime::currentMSecsSinceEpoch();
    for (int index = 0; index < Protocol::AlarmCount; ++index) {
        const std::optional<AlarmSetting> &row = alarms[std::size_t(index)];
        if (!row)
            continue;
        const std::uint8_t frame[] = { Protocol::alarmCommand(index), row->value, row->comparison, row->level };
        frames.addFrame(frame, sizeof frame, ms);
    }
    frames.announce();
}

void Watcher::drop(const QByteArray &topic, const QString &problem)
{
    ++dropped;
    emit droppedChanged(dropped);
    if (sinceDiagnostic.isValid() && sinceDiagnostic.elapsed() < DiagnosticIntervalMs)
        return;
    sinceDiagnostic.start();
    std::fprintf(stderr, "duplink: %s\n",
                 qPrintable(tr("Dropped a message on %1: %2 (%3 dropped so far)")
                                    .arg(QString::fromUtf8(topic), problem)
                                    .arg(dropped)));
}
