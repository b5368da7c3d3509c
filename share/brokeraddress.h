#ifndef BROKERADDRESS_H
#define BROKERADDRESS_H

#include <QCoreApplication>
#include <QString>

// Where a session is shared: a broker and the base topic under which the
// session's topics lie, written as mqtt://HOST[:PORT]/BASE, or mqtts://
// for TLS. The base topic may have levels ("field/1") but no wildcards.
class BrokerAddress
{
    Q_DECLARE_TR_FUNCTIONS(BrokerAddress)

public:
    static constexpr int PlainPort = 1883;
    static constexpr int TlsPort = 8883;

    // An address from its text; on a mistake, `problem` says what is wrong
    // and the address is not valid.
    static BrokerAddress parse(const QString &text, QString *problem = nullptr);
    // The broker alone (mqtt://HOST[:PORT], or HOST[:PORT] for plain MQTT),
    // as the settings keep it, with the base topic apart.
    static BrokerAddress fromParts(const QString &broker, const QString &base, QString *problem = nullptr);

    bool isValid() const { return !host.isEmpty(); }
    // mqtt://HOST:PORT, the broker without the topic.
    QString broker() const;
    // The whole address: mqtt://HOST:PORT/BASE.
    QString toString() const;
    // BASE/leaf, the full name of one of the session's topics.
    QByteArray topic(const char *leaf) const;

    QString host;
    int port = 0;
    bool tls = false;
    QString base;
};

#endif
