#include "brokeraddress.h"
#include "outgoingqueue.h"
#include "sharepayloads.h"
#include "sharesettings.h"
#include "temporarysettings.h"

#include <QFile>
#include <QSettings>
#include <QTest>

// What sharing computes without a broker: addresses, the queue, the payloads, the settings.
class tst_ShareEngines : public QObject
{
    Q_OBJECT

private slots:
    void addresses_data();
    void addresses();
    void queue_data();
    void queue();
    void payloads_data();
    void payloads();
    void settingsHoldingAPasswordAreTheOwnersAlone();

private:
    TemporarySettings settings;
};

void tst_ShareEngines::addresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // empty: refused
    QTest::addColumn<QString>("problem");
    QTest::newRow("plain") << "mqtt://broker.local/field/1" << "mqtt://broker.local:1883/field/1" << "";
    QTest::newRow("TLS and port") << "mqtts://10.0.0.2:9883/a" << "mqtts://10.0.0.2:9883/a" << "";
    QTest::newRow("TLS, its port") << "mqtts://h/a/b/c" << "mqtts://h:8883/a/b/c" << "";
    QTest::newRow("IPv6") << "mqtt://[::1]:1884/x" << "mqtt://[::1]:1884/x" << "";
    QTest::newRow("no scheme") << "broker/field" << "" << "an address is written";
    QTest::newRow("other scheme") << "http://h/x" << "" << "a broker is written";
    QTest::newRow("no topic") << "mqtt://h" << "" << "a base topic is needed";
    QTest::newRow("empty topic") << "mqtt://h/" << "" << "a base topic is needed";
    QTest::newRow("wildcard") << "mqtt://h/field/#" << "" << "wildcards";
    QTest::newRow("plus") << "mqtt://h/+/1" << "" << "wildcards";
    QTest::newRow("empty level") << "mqtt://h/a//b" << "" << "empty level";
    QTest::newRow("trailing slash") << "mqtt://h/a/" << "" << "empty level";
    QTest::newRow("broker's own") << "mqtt://h/$SYS/x" << "" << "broker's own";
    QTest::newRow("credentials") << "mqtt://u:p@h/a" << "" << "user name and password";
    QTest::newRow("port zero") << "mqtt://h:0/a" << "" << "port";
    QTest::newRow("no host") << "mqtt://:1883/a" << "" << "host is missing";
    QTest::newRow("query") << "mqtt://h?x=1/a" << "" << "a broker is written";
}

void tst_ShareEngines::addresses()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, problem);
    QString why = QStringLiteral("unchanged");
    const BrokerAddress address = BrokerAddress::parse(text, &why);
    QCOMPARE(address.isValid() ? address.toString() : QString(), shown);
    QVERIFY2(problem.isEmpty() ? why.isEmpty() : why.contains(problem), qPrintable(why));
    if (address.isValid())
        QCOMPARE(address.topic("status"), address.base.toUtf8() + "/status");
}

void tst_ShareEngines::queue_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("steps"); // p: push the next number; s: send one; a N: acknowledge up to N; r: resend
    QTest::addColumn<QString>("queued"); // what is queued then, in order
    QTest::addColumn<int>("inFlight");
    QTest::addColumn<int>("dropped");
    QTest::newRow("in order") << 10 << "p p p" << "1 2 3" << 0 << 0;
    QTest::newRow("sent, acknowledged") << 10 << "p p p s s a1" << "2 3" << 1 << 0;
    QTest::newRow("full: the oldest go") << 3 << "p p p p p" << "3 4 5" << 0 << 2;
    QTest::newRow("resent after a loss") << 10 << "p p p s s r s" << "1 2 3" << 1 << 0;
    QTest::newRow("dropped while in flight, acknowledged late") << 2 << "p p s p p a1" << "3 4" << 0 << 2;
    QTest::newRow("grows past its first room") << 500 << QString("p ").repeated(200) + "s a150"
                                               << "" << 0 << 0;
    QTest::newRow("ring wraps") << 4 << "p p p p s s a2 p p s" << "3 4 5 6" << 1 << 0;
}

void tst_ShareEngines::queue()
{
    QFETCH(int, capacity);
    QFETCH(QString, steps);
    QFETCH(QString, queued);
    QFETCH(int, inFlight);
    QFETCH(int, dropped);
    OutgoingQueue queue(capacity);
    int pushed = 0;
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("p")) {
            const QByteArray payload = QByteArray::number(++pushed);
            queue.push("t", payload.constData(), payload.size());
        } else if (step == QLatin1String("s")) {
            QVERIFY(queue.takeNext());
        } else if (step == QLatin1String("r")) {
            queue.resendInFlight();
        } else {
            queue.acknowledge(step.mid(1).toULongLong());
        }
    }
    QStringList left;
    queue.resendInFlight();
    while (const OutgoingQueue::Message *message = queue.takeNext())
        left << QString::fromUtf8(message->payload);
    if (queued.isEmpty())
        QCOMPARE(left.size(), 50);
    else
        QCOMPARE(left.join(QLatin1Char(' ')), queued);
    queue.resendInFlight();
    for (int i = 0; i < inFlight; ++i)
        queue.takeNext();
    QCOMPARE(queue.inFlight(), inFlight);
    QCOMPARE(queue.takeDropped(), dropped);
    QCOMPARE(queue.takeDropped(), 0);
}

void tst_ShareEngines::payloads_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("raw") << "" << QByteArray(R"({"ms":1700000000123,"seq":7,"volt1":0,"volt2":96,"linkq":255,"linkql":180})")
                         << QByteArray("0A FF 7E");
    QTest::newRow("volt 1 in volts")
            << "V"
            << QByteArray(R"({"ms":1700000000123,"seq":7,"volt1":0,"volt2":96,"linkq":255,"linkql":180,)"
                          R"("units":{"volt1":{"name":"RX battery","unit":"V","value":0.5}}})")
            << QByteArray("0A FF 7E");
}

void tst_ShareEngines::payloads()
{
    QFETCH(QString, unit);
    QFETCH(QByteArray, report);
    QFETCH(QByteArray, data);
    SharePayloads payloads;
    ChannelScale scale = ChannelScale::defaults(ChannelScale::Volt1);
    scale.name = QStringLiteral("RX battery");
    scale.unit = unit;
    scale.value1 = 0.5;
    scale.decimals = 2;
    payloads.setChannelScale(1, scale);
    QByteArray out;
    payloads.report(out, 1700000000123, 7, { 0, 96, 255, 180 });
    QCOMPARE(out, report);
    const char bytes[] = { 0x0A, char(0xFF), 0x7E };
    SharePayloads::dataLine(out, bytes, 3);
    QCOMPARE(out, data);

    SharePayloads::AlarmRows rows;
    rows[1] = { Threshold{ 1, 200, 1, 3 }, true };
    QCOMPARE(SharePayloads::alarms(rows),
             QByteArray(R"([null,{"comparison":1,"level":3,"tripped":true,"value":200},null,null])"));
    QVERIFY(payloads.channels().contains(R"("volt1":{"decimals":2,"name":"RX battery","raw1":0,"raw2":255,)"
                                         R"("unit":")" + unit.toUtf8() + R"(","value1":0.5,"value2":255})"));
    const auto discovery = payloads.homeAssistant(BrokerAddress::parse(QStringLiteral("mqtt://h/field/1")));
    QCOMPARE(discovery.size(), 3);
    QCOMPARE(discovery[0].first, QByteArray("homeassistant/sensor/duplink_field_1/volt1/config"));
    QCOMPARE(discovery[0].second.contains(R"("device_class":"voltage")"), !unit.isEmpty());
    QCOMPARE(discovery[0].second.isEmpty(), unit.isEmpty());
    QVERIFY(discovery[1].second.isEmpty());
}

void tst_ShareEngines::settingsHoldingAPasswordAreTheOwnersAlone()
{
    QCoreApplication::setOrganizationName(QStringLiteral("duplink"));
    QSettings file;
    ShareSettings kept;
    kept.broker = QStringLiteral("mqtts://h:8884");
    kept.topic = QStringLiteral("field/2");
    kept.password = QStringLiteral("secret");
    kept.keepAlive = 1; // below the least the library takes
    QVERIFY(kept.save(file));
    QCOMPARE(QFile::permissions(file.fileName()) & 0x0FFF, 0x0600); // rw-------
    // Written again for something else, the file stays its owner's.
    QSettings().setValue(QStringLiteral("graph/showAlarmThresholds"), true);
    QSettings().sync();
    QCOMPARE(QFile::permissions(file.fileName()) & 0x0FFF, 0x0600); // rw-------
    const ShareSettings read = ShareSettings::load(file);
    QCOMPARE(read.address().toString(), QStringLiteral("mqtts://h:8884/field/2"));
    QCOMPARE(read.password, QStringLiteral("secret"));
    QCOMPARE(read.sharing(read.address()).keepAliveSeconds, ShareSettings::MinimumKeepAlive);
    QCOMPARE(read.sharing(read.address()).queueCapacity, 41143);
    QCOMPARE(read.watching(read.address()).subscriptions.size(), 5);
    QCOMPARE(read.watching(read.address()).sessionSeconds, 300);
}

QTEST_GUILESS_MAIN(tst_ShareEngines)
#include "tst_shareengines.moc"
