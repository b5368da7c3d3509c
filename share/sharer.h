#ifndef SHARER_H
#define SHARER_H

#include "mqttclient.h"
#include "sharepayloads.h"

#include <QObject>

class BlockDevice;

// Publishes a live session under its base topic: each volts report to
// BASE/report and each user-data frame to BASE/data, in order; the alarm
// rows as the module reported them, with whether each is tripped, to
// BASE/alarms, and the channels to BASE/channels, both retained;
// BASE/status says "online", and "offline" at the end or, as the broker's
// last will, when the program dies. With Home Assistant's discovery, its
// sensors for the channels with a unit. Reports are timed by the wall
// clock, or by the device a replay or a watched session is read from.
class Sharer : public QObject
{
    Q_OBJECT

public:
    Sharer(const MqttClient::Options &options, bool homeAssistant, QObject *parent = nullptr);

    MqttClient *client() const { return mqtt; }
    void timeBy(const BlockDevice *device) { clock = device; }

public slots:
    void addReport(char volt1, char volt2, char linkq, char linkql);
    void addData(char *bytes, int length);
    void addThreshold(Threshold *threshold);
    void setTripped(int index, bool tripped);
    void setChannelScale(int channel, const ChannelScale &scale);

private:
    void publishChannels();

    MqttClient *mqtt;
    const bool homeAssistant;
    const QByteArray reportTopic;
    const QByteArray dataTopic;
    const QByteArray alarmsTopic;
    const QByteArray channelsTopic;
    SharePayloads payloads;
    SharePayloads::AlarmRows rows;
    QByteArray scratch; // each report is written here, its room kept
    quint64 reports = 0;
    const BlockDevice *clock = nullptr;
};

#endif
