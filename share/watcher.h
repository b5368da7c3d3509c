#ifndef WATCHER_H
#define WATCHER_H

#include "mqttclient.h"
#include "watchdevice.h"
#include "watchparser.h"

#include <QElapsedTimer>
#include <QObject>

// Watches a session another Duplink shares: subscribes to its topics and
// turns each report, user-data line and alarm row into the frame the
// module sent, on a device the window's listener reads as it reads a port.
// The channels and the station's status it tells apart. A message that is
// not what a sharer publishes is dropped and counted, with a line on
// standard error (at most one a second).
class Watcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int DiagnosticIntervalMs = 1000;

    Watcher(const MqttClient::Options &options, QObject *parent = nullptr);

    MqttClient *client() const { return mqtt; }
    WatchDevice *device() { return &frames; }
    qint64 droppedCount() const { return dropped; }

signals:
    void channelScaleChanged(int channel, const ChannelScale &scale);
    // The station's own status: offline since `sinceMs` (ms since 1970
    // UTC), or -1 when it was offline before the watcher heard of it.
    void stationOnline();
    void stationOffline(qint64 sinceMs);
    void droppedChanged(qint64 count);

private:
    void take(const QByteArray &topic, const QByteArray &payload, bool retained);
    bool isNew(const WatchParser::Report &report) const;
    void addReport(const WatchParser::Report &report);
    void addData(const WatchParser::Data &data);
    void addAlarms(const WatchParser::Alarms &alarms);
    void drop(const QByteArray &topic, const QString &problem);

    MqttClient *mqtt;
    const QByteArray base;
    WatchDevice frames;
    qint64 newestMs = -1;
    qint64 newestSeq = -1;
    qint64 dropped = 0;
    QElapsedTimer sinceDiagnostic;
};

#endif
