#ifndef SHARESETTINGS_H
#define SHARESETTINGS_H

#include "brokeraddress.h"
#include "mqttclient.h"

#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// How the session is shared, as kept under share/ in the settings: the
// broker (mqtt://HOST:PORT, mqtts:// for TLS), the base topic, the user
// name and password, the CA file for TLS (empty: the system's), whether to
// share, the keep-alive, how long a broker may be away without losing
// reports, and Home Assistant's discovery. A watcher connects the same way.
struct ShareSettings
{
    // What a 9600-baud line carries: 960 bytes a second, seven a report.
    static constexpr double LineReportsPerSecond = 960.0 / 7.0;
    static constexpr int MinimumKeepAlive = 5; // the library's least

    QString broker;
    QString topic;
    QString username;
    QString password;
    QString caFile;
    bool enabled = false;
    int keepAlive = 20;
    int queueSeconds = 300;
    bool homeAssistant = false;

    static ShareSettings load(QSettings &settings);
    // Keeps them; a file that holds a password is then made readable and
    // writable by its owner alone. False when that could not be done.
    bool save(QSettings &settings) const;

    BrokerAddress address(QString *problem = nullptr) const;
    // How a sharer (statusTopic set) or a watcher (subscriptions set)
    // connects to `address`.
    MqttClient::Options sharing(const BrokerAddress &address) const;
    MqttClient::Options watching(const BrokerAddress &address) const;

private:
    MqttClient::Options connecting(const BrokerAddress &address) const;
};

#endif
