#include "sharesettings.h"

#include "watchparser.h"

#include <QFile>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

const QString Group = QStringLiteral("share");

} // namespace

ShareSettings ShareSettings::load(QSettings &settings)
{
    ShareSettings kept;
    settings.beginGroup(Group);
    kept.broker = settings.value(QStringLiteral("broker")).toString();
    kept.topic = settings.value(QStringLiteral("topic")).toString();
    kept.username = settings.value(QStringLiteral("username")).toString();
    kept.password = settings.value(QStringLiteral("password")).toString();
    kept.caFile = settings.value(QStringLiteral("caFile")).toString();
    kept.enabled = settings.value(QStringLiteral("enabled"), false).toBool();
    kept.keepAlive = std::clamp(settings.value(QStringLiteral("keepAlive"), 20).toInt(), MinimumKeepAlive, 65535);
    kept.queueSeconds = std::clamp(settings.value(QStringLiteral("queueSeconds"), 300).toInt(), 1, 86400);
    kept.homeAssistant = settings.value(QStringLiteral("homeAssistant"), false).toBool();
    settings.endGroup();
    return kept;
}

bool ShareSettings::save(QSettings &settings) const
{
    settings.beginGroup(Group);
    settings.setValue(QStringLiteral("broker"), broker);
    settings.setValue(QStringLiteral("topic"), topic);
    settings.setValue(QStringLiteral("username"), username);
    settings.setValue(QStringLiteral("password"), password);
    settings.setValue(QStringLiteral("caFile"), caFile);
    settings.setValue(QStringLiteral("enabled"), enabled);
    settings.setValue(QStringLiteral("keepAlive"), keepAlive);
    settings.setValue(QStringLiteral("queueSeconds"), queueSeconds);
    settings.setValue(QStringLiteral("homeAssistant"), homeAssistant);
    settings.endGroup();
    settings.sync();
    if (password.isEmpty())
        return settings.status() == QSettings::NoError;
    return settings.status() == QSettings::NoError
            && QFile::setPermissions(settings.fileName(), QFile::ReadOwner | QFile::WriteOwner);
}

BrokerAddress ShareSettings::address(QString *problem) const
{
    return BrokerAddress::fromParts(broker, topic, problem);
}

MqttClient::Options ShareSettings::connecting(const BrokerAddress &address) const
{
    MqttClient::Options options;
    options.address = address;
    options.username = username;
    options.password = password;
    options.caFile = caFile;
    options.keepAliveSeconds = std::max(keepAlive, MinimumKeepAlive);
    return options;
}

MqttClient::Options ShareSettings::sharing(const BrokerAddress &address) const
{
    MqttClient::Options options = connecting(address);
    options.clientPrefix = "duplink-share";
    options.statusTopic = address.topic("status");
    options.queueCapacity = qsizetype(std::ceil(queueSeconds * LineReportsPerSecond));
    return options;
}

MqttClient::Options ShareSettings::watching(const BrokerAddress &address) const
{
    MqttClient::Options options = connecting(address);
    options.clientPrefix = "duplink-watch";
    for (const char *leaf : WatchParser::Leaves)
        options.subscriptions.append(address.topic(leaf));
    // The broker keeps what comes while this watcher is away as long as a
    // sharer keeps what it cannot send.
    options.sessionSeconds = queueSeconds;
    return options;
}
