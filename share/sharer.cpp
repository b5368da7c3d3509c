#include "sharer.h"

#include "blockdevice.h"

#include <QDateTime>

Sharer::Sharer(const MqttClient::Options &options, bool homeAssistant, QObject *parent)
    : QObject(parent),
      mqtt(new MqttClient(options, this)),
      homeAssistant(homeAssistant),
      reportTopic(options.address.topic("report")),
      dataTopic(options.address.topic("data")),
      alarmsTopic(options.address.topic("alarms")),
      channelsTopic(options.address.topic("channels"))
{
    scratch.reserve(512);
    // What a session shared before this one left is not this session's.
    mqtt->setRetained(alarmsTopic, SharePayloads::alarms(rows));
    publishChannels();
}

void Sharer::addReport(char volt1, char volt2, char linkq, char linkql)
{
    const qint64 ms = clock ? clock->playedTime() : QDateTime::currentMSecsSinceEpoch();
    payloads.report(scratch, ms, ++reports, { quint8(volt1), quint8(volt2), quint8(linkq), quint8(linkql) });
    mqtt->publish(reportTopic, scratch.constData(), scratch.size());
}

void Sharer::addData(char *bytes, int length)
{
    SharePayloads::dataLine(scratch, bytes, length);
    mqtt->publish(dataTopic, scratch.constData(), scratch.size());
}

void Sharer::addThreshold(Threshold *threshold)
{
    if (threshold->index < 0 || threshold->index >= Protocol::AlarmCount)
        return;
    rows[std::size_t(threshold->index)].reported = *threshold;
    mqtt->setRetained(alarmsTopic, SharePayloads::alarms(rows));
}

void Sharer::setTripped(int index, bool tripped)
{
    rows[std::size_t(index)].tripped = tripped;
    mqtt->setRetained(alarmsTopic, SharePayloads::alarms(rows));
}

void Sharer::setChannelScale(int channel, const ChannelScale &scale)
{
    payloads.setChannelScale(channel, scale);
    publishChannels();
}

void Sharer::publishChannels()
{
    mqtt->setRetained(channelsTopic, payloads.channels());
    if (!homeAssistant)
        return;
    const auto configs = payloads.homeAssistant(mqtt->options().address);
    for (const auto &config : configs)
        mqtt->setRetained(config.first, config.second);
}
