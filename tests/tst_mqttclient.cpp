#include "mosquittobroker.h"
#include "mqttclient.h"
#include "testcertificates.h"
#include "toolprocess.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

MqttClient::Options sharing(const QString &url)
{
    MqttClient::Options options;
    options.address = BrokerAddress::parse(url);
    options.statusTopic = options.address.topic("status");
    options.keepAliveSeconds = 5;
    options.queueCapacity = 5000;
    return options;
}

QStringList numbered(int from, int to)
{
    QStringList numbers;
    for (int n = from; n < to; ++n)
        numbers << QString::number(n);
    return numbers;
}

void publishNumbers(MqttClient &client, int from, int to)
{
    for (int n = from; n < to; ++n) {
        const QByteArray text = QByteArray::number(n);
        client.publish(client.options().address.topic("report"), text.constData(), text.size());
    }
}

// A subscriber of its own, its session kept by the broker while it is away.
ToolProcess subscriber(const MosquittoBroker &broker, const QString &topic, int count)
{
    return ToolProcess(QStringLiteral("mosquitto_sub"),
                       broker.clientArguments() + QStringList{ "-V", "mqttv5", "-q", "1", "-c", "-i",
                                                               "tst-sub", "-x", "600", "-v", "-t", topic,
                                                               "-C", QString::number(count) });
}

} // namespace

// The client against a real broker, with mosquitto_sub as the other end.
class tst_MqttClient : public QObject
{
    Q_OBJECT

private slots:
    void everyMessageInOrderAndTheStatus();
    void connectingNeverHoldsUpTheEventLoop_data();
    void connectingNeverHoldsUpTheEventLoop();
    void failuresSayWhich_data();
    void failuresSayWhich();
    void nothingLostWhileTheBrokerIsAway();
    void pastTheQueueTheOldestGoAndAreCountedOnce();
};

void tst_MqttClient::everyMessageInOrderAndTheStatus()
{
    MosquittoBroker broker;
    ToolProcess status(QStringLiteral("mosquitto_sub"),
                       broker.clientArguments() + QStringList{ "-v", "-t", "field/1/status" });
    ToolProcess reports = subscriber(broker, QStringLiteral("field/1/report"), 2000);
    QTest::qWait(300); // subscribed
    {
        MqttClient client(sharing(broker.url(QStringLiteral("field/1"))));
        QSignalSpy connected(&client, &MqttClient::connectedChanged);
        QVERIFY(connected.wait(5000));
        publishNumbers(client, 0, 2000);
        QCOMPARE(reports.exitCode(10000), 0);
        QCOMPARE(subscriberLines(reports.out, QStringLiteral("field/1/report")), numbered(0, 2000));
        QVERIFY(status.waitForOutput("field/1/status online"));
    }
    QVERIFY(status.waitForOutput("field/1/status offline"));
}

void tst_MqttClient::connectingNeverHoldsUpTheEventLoop_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("failure");
    QTest::newRow("an address that does not answer") << "mqtt://10.255.255.1/field/1" << -1;
    QTest::newRow("a port that refuses") << "" << int(MqttClient::Failure::Refused);
}

// The window's thread goes on ticking while the client connects, and
// while it is torn down in the middle of a connect.
void tst_MqttClient::connectingNeverHoldsUpTheEventLoop()
{
    QFETCH(QString, url);
    QFETCH(int, failure);
    QTimer ticker;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });
    ticker.start(10);
    sinceTick.start();
    {
        MosquittoBroker closed;
        closed.stop();
        MqttClient client(sharing(url.isEmpty() ? closed.url(QStringLiteral("field/1")) : url));
        QSignalSpy failed(&client, &MqttClient::failed);
        QTest::qWait(1500);
        if (failure >= 0) {
            QVERIFY(!failed.isEmpty());
            QCOMPARE(failed.first().at(0).value<MqttClient::Failure>(), MqttClient::Failure(failure));
        }
        sinceTick.restart();
    }
    QTest::qWait(50);
    // A wait on the network on this thread stalls it for seconds; a loaded
    // machine's scheduling alone, for a tenth of one.
    QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
}

void tst_MqttClient::failuresSayWhich_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("caFile");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("words");

    QTest::newRow("unknown host") << "mqtt" << "no-such-host.invalid" << "secret" << ""
                                  << int(MqttClient::Failure::UnknownHost) << "the host name is not known";
    QTest::newRow("wrong password") << "mqtt" << "127.0.0.1" << "wrong" << ""
                                    << int(MqttClient::Failure::BadCredentials) << "refused the user name or password";
    QTest::newRow("certificate of another authority") << "mqtts" << "127.0.0.1" << "secret" << "other-ca.pem"
                                    << int(MqttClient::Failure::CertificateRefused) << "Refused the certificate";
    QTest::newRow("certificate not among the system's") << "mqtts" << "127.0.0.1" << "secret" << ""
                                    << int(MqttClient::Failure::CertificateRefused) << "Refused the certificate";
    QTest::newRow("no CA file") << "mqtts" << "127.0.0.1" << "secret" << "missing.pem"
                                << int(MqttClient::Failure::CaFile) << "Cannot read the CA file";
    QTest::newRow("TLS, the right authority") << "mqtts" << "127.0.0.1" << "secret" << "ca.pem"
                                              << int(MqttClient::Failure::None) << "";
}

void tst_MqttClient::failuresSayWhich()
{
    QFETCH(QString, scheme);
    QFETCH(QString, host);
    QFETCH(QString, password);
    QFETCH(QString, caFile);
    QFETCH(int, failure);
    QFETCH(QString, words);

    QTemporaryDir keys;
    QVERIFY(makeTestCertificates(keys.path()));
    QProcess::execute(QStringLiteral("mosquitto_passwd"),
                      { "-c", "-b", keys.filePath("passwords"), "pilot", "secret" });
    const bool tls = scheme == QLatin1String("mqtts");
    QStringList config{ "password_file " + keys.filePath("passwords") };
    if (tls)
        config << "certfile " + keys.filePath("server.pem") << "keyfile " + keys.filePath("server.key");
    MosquittoBroker broker(config);
    QVERIFY2(broker.isRunning(), qPrintable(broker.log()));
    MqttClient::Options options = sharing(broker.url(QStringLiteral("field/1"), tls).replace("127.0.0.1", host));
    options.username = QStringLiteral("pilot");
    options.password = password;
    options.caFile = caFile.isEmpty() ? QString() : keys.filePath(caFile);
    MqttClient client(options);
    QSignalSpy failed(&client, &MqttClient::failed);
    QSignalSpy connected(&client, &MqttClient::connectedChanged);
    if (failure == int(MqttClient::Failure::None)) {
        QVERIFY(connected.wait(5000));
        return;
    }
    QVERIFY(failed.wait(10000));
    QCOMPARE(failed.first().at(0).value<MqttClient::Failure>(), MqttClient::Failure(failure));
    const QString message = failed.first().at(1).toString();
    QVERIFY2(message.contains(words), qPrintable(message));
    QVERIFY2(!message.contains(QLatin1String("wrong")) && !message.contains(QLatin1String("secret")),
             qPrintable(message));
    QVERIFY(connected.isEmpty());
}

// Sent while the broker is stopped, the messages wait; once it is back they
// all arrive, in order, after those sent before.
void tst_MqttClient::nothingLostWhileTheBrokerIsAway()
{
    MosquittoBroker broker;
    // Room for what the broker sends the subscriber again after its restart.
    ToolProcess reports = subscriber(broker, QStringLiteral("field/1/report"), 1200);
    MqttClient client(sharing(broker.url(QStringLiteral("field/1"))));
    QSignalSpy connected(&client, &MqttClient::connectedChanged);
    QVERIFY(connected.wait(5000));
    QTest::qWait(300);
    publishNumbers(client, 0, 200);
    QTRY_COMPARE(client.queued(), 0);
    broker.stop();
    QTRY_COMPARE(client.isConnected(), false);
    publishNumbers(client, 200, 600);
    QTest::qWait(1500);
    QElapsedTimer away;
    away.start();
    QVERIFY(broker.start());
    QTRY_VERIFY_WITH_TIMEOUT(client.isConnected(), 3000);
    QVERIFY2(away.elapsed() < 2000, qPrintable(QString::number(away.elapsed())));
    // At least once: what the stopped broker had not seen the subscriber
    // acknowledge, it sends again (a report's number tells a watcher).
    const auto firstSeen = [&reports] {
        QStringList seen;
        for (const QString &line : subscriberLines(reports.out, QStringLiteral("field/1/report")))
            if (!seen.contains(line))
                seen << line;
        return seen;
    };
    QTRY_COMPARE_WITH_TIMEOUT(firstSeen(), numbered(0, 600), 20000);
}

void tst_MqttClient::pastTheQueueTheOldestGoAndAreCountedOnce()
{
    MosquittoBroker broker;
    ToolProcess reports = subscriber(broker, QStringLiteral("field/1/report"), 50);
    QTest::qWait(300);
    broker.stop();
    MqttClient::Options options = sharing(broker.url(QStringLiteral("field/1")));
    options.queueCapacity = 50;
    MqttClient client(options);
    QSignalSpy dropped(&client, &MqttClient::dropped);
    publishNumbers(client, 0, 120);
    QCOMPARE(client.queued(), 50);
    QVERIFY(broker.start());
    QCOMPARE(reports.exitCode(20000), 0);
    QCOMPARE(subscriberLines(reports.out, QStringLiteral("field/1/report")), numbered(70, 120));
    QCOMPARE(dropped.size(), 1);
    QCOMPARE(dropped.first().at(0).toLongLong(), 70);
}

QTEST_GUILESS_MAIN(tst_MqttClient)
#include "tst_mqttclient.moc"
