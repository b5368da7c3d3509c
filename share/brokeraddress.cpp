#include "brokeraddress.h"

#include <QUrl>

namespace {

// A topic that names one place: levels without wildcards, no empty level,
// nothing that the broker reserves ($SYS and the like).
QString topicProblem(const QString &base)
{
    if (base.isEmpty())
        return BrokerAddress::tr("a base topic is needed, as in mqtt://broker/field/1");
    if (base.contains(QLatin1Char('#')) || base.contains(QLatin1Char('+')))
        return BrokerAddress::tr("the base topic cannot hold the wildcards + or #");
    if (base.startsWith(QLatin1Char('$')))
        return BrokerAddress::tr("a base topic starting with $ is the broker's own");
    if (base.split(QLatin1Char('/')).contains(QString()))
        return BrokerAddress::tr("the base topic has an empty level (two slashes, or one at an end)");
    if (base.contains(QChar(0)) || base.toUtf8().size() > 1000)
        return BrokerAddress::tr("the base topic is not a usable topic name");
    return {};
}

} // namespace

BrokerAddress BrokerAddress::parse(const QString &text, QString *problem)
{
    const QString trimmed = text.trimmed();
    const int hostStart = trimmed.indexOf(QLatin1String("://"));
    if (hostStart < 0) {
        if (problem)
            *problem = tr("an address is written mqtt://HOST[:PORT]/BASE or mqtts://HOST[:PORT]/BASE");
        return {};
    }
    const int slash = trimmed.indexOf(QLatin1Char('/'), hostStart + 3);
    return fromParts(slash < 0 ? trimmed : trimmed.left(slash),
                     slash < 0 ? QString() : trimmed.mid(slash + 1), problem);
}

BrokerAddress BrokerAddress::fromParts(const QString &broker, const QString &base, QString *problem)
{
    auto refuse = [problem](const QString &why) {
        if (problem)
            *problem = why;
        return BrokerAddress();
    };
    QString text = broker.trimmed();
    if (!text.contains(QLatin1String("://")))
        text.prepend(QLatin1String("mqtt://"));
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts")))
        return refuse(tr("a broker is written mqtt://HOST[:PORT] or mqtts://HOST[:PORT]"));
    if (url.host().isEmpty())
        return refuse(tr("the broker's host is missing"));
    if (!url.userInfo().isEmpty())
        return refuse(tr("put the user name and password in the settings, not in the address"));
    if (!url.path().isEmpty() || url.hasQuery() || url.hasFragment())
        return refuse(tr("a broker is written mqtt://HOST[:PORT] or mqtts://HOST[:PORT]"));
    if (const QString why = topicProblem(base); !why.isEmpty())
        return refuse(why);
    BrokerAddress address;
    address.tls = scheme == QLatin1String("mqtts");
    address.port = url.port(address.tls ? TlsPort : PlainPort);
    if (address.port <= 0)
        return refuse(tr("the port must be from 1 to 65535"));
    address.host = url.host();
    address.base = base;
    if (problem)
        problem->clear();
    return address;
}

QString BrokerAddress::broker() const
{
    const QString shownHost = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return QStringLiteral("%1://%2:%3").arg(tls ? QLatin1String("mqtts") : QLatin1String("mqtt"), shownHost).arg(port);
}

QString BrokerAddress::toString() const
{
    return broker() + QLatin1Char('/') + base;
}

QByteArray BrokerAddress::topic(const char *leaf) const
{
    return base.toUtf8() + '/' + leaf;
}
