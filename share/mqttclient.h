#ifndef MQTTCLIENT_H
#define MQTTCLIENT_H

#include "brokeraddress.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <memory>
#include <thread>

// A connection to an MQTT broker through libmosquitto, kept up in a thread
// of its own: libmosquitto's connect looks the host up and connects while
// the caller waits, which must never be the window. Messages go out in the
// order given, each kept until the broker has it, so that none is lost
// while the broker is away (up to the queue's capacity, oldest dropped
// first); a topic's retained value is sent again on every connection.
// After a failure it connects again after a second, doubling up to 30
// seconds; a refused connection (the broker's host is there, its port
// closed, as while a broker restarts) is tried again every second.
class MqttClient : public QObject
{
    Q_OBJECT

public:
    static constexpr int FirstRetryMs = 1000;
    static constexpr int LastRetryMs = 30000;
    static constexpr int GoodbyeMs = 1500; // for "offline" to reach the broker at the end

    struct Options
    {
        BrokerAddress address;
        QString username;
        QString password;
        QString caFile; // empty: the system's certificates
        int keepAliveSeconds = 20;
        QByteArray clientPrefix = "duplink";
        // "online" while connected and "offline" at the end, both retained;
        // "offline" is the connection's last will, for the broker to publish
        // if the program dies or its network goes. Empty: none.
        QByteArray statusTopic;
        QList<QByteArray> subscriptions;
        // Over 0: the broker keeps the subscriptions, and what comes for
        // them, for this long while the connection is away.
        int sessionSeconds = 0;
        qsizetype queueCapacity = 1000;
    };

    // What went wrong, for a message that says which.
    enum class Failure {
        None, UnknownHost, Refused, NoAnswer, Unreachable, CertificateRefused, Tls, CaFile,
        BadCredentials, NotAuthorized, BrokerRefused, Lost, Other
    };
    Q_ENUM(Failure)

    explicit MqttClient(const Options &options, QObject *parent = nullptr);
    // Says "offline" and disconnects, waiting at most GoodbyeMs; a connect
    // still under way (an address that does not answer) ends by itself.
    ~MqttClient() override;

    const Options &options() const { return settings; }

    // A message at quality of service 1, after those given before.
    void publish(const QByteArray &topic, const char *payload, qsizetype size);
    // The newest value of a retained topic, sent now and on every connection.
    void setRetained(const QByteArray &topic, const QByteArray &payload);

    bool isConnected() const { return connected; }
    // Messages not yet acknowledged by the broker.
    qsizetype queued() const;

    // The failure in words for people, naming the broker; `detail` is what
    // the system or the library said.
    static QString describe(Failure failure, const QString &broker, const QString &detail);

signals:
    void connectedChanged(bool connected);
    // A connection attempt failed or a connection was lost; another follows.
    void failed(MqttClient::Failure failure, const QString &message);
    // Messages dropped for room while the broker was away, told once it is back.
    void dropped(qint64 count);
    void messageArrived(const QByteArray &topic, const QByteArray &payload, bool retained);

public:
    struct Shared;

private:
    void takeIncoming();
    void takeState();

    const Options settings;
    std::shared_ptr<Shared> shared;
    std::thread worker;
    bool connected = false;
};

#endif
