#include "historycontrol.h"
#include "linkedwindow.h"
#include "mosquittobroker.h"
#include "mqttclient.h"
#include "outputcapture.h"
#include "sharecontrol.h"
#include "sharer.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "toolprocess.h"
#include "watcher.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <csignal>

namespace {

const QString Base = QStringLiteral("field/1");

void watchUntilSubscribed(Window &window, const QString &url)
{
    window.watch(BrokerAddress::parse(url));
    QTRY_VERIFY(window.shareControl()->watcher()->client()->isConnected());
    QTest::qWait(300); // its subscriptions acknowledged
}

QString statusText(const Window &window)
{
    return child<QLabel>(window, "statusLabel")->text();
}

} // namespace

// Sharing from one window and watching from another, through a real broker,
// with mosquitto_sub and mosquitto_pub as independent clients.
class tst_ShareControl : public QObject
{
    Q_OBJECT

private slots:
    void watcherShowsTheSharedSession();
    void theLastWillMarksAKilledSharerOffline();
    void theDialogsChoiceReplacesTheCommandLine();
    void reportsSentTwiceAreShownOnce();
    void malformedMessagesAreDroppedAndCounted_data();
    void malformedMessagesAreDroppedAndCounted();

private:
    TemporarySettings settings; // before the windows read them
};

void tst_ShareControl::watcherShowsTheSharedSession()
{
    MosquittoBroker broker;
    QSettings().setValue(QStringLiteral("channels/volt1/unit"), QStringLiteral("V"));
    QSettings().setValue(QStringLiteral("channels/volt1/value2"), 10.0);
    QSettings().setValue(QStringLiteral("share/homeAssistant"), true);
    ToolProcess subscriber(QStringLiteral("mosquitto_sub"), broker.clientArguments()
                                   + QStringList{ "-v", "-t", Base + "/#", "-t", "homeassistant/#" });
    LinkedWindow shared;
    shared.window.shareControl()->shareTo(BrokerAddress::parse(broker.url(Base)));
    QTRY_VERIFY(shared.window.shareControl()->sharer()->client()->isConnected());
    QVERIFY(!statusText(shared.window).contains(QLatin1String("again"))); // only after a loss
    Window watcher;
    watchUntilSubscribed(watcher, broker.url(Base));

    QByteArray frames = wireFrame(hex("FC 6E 00 02")) + wireFrame(hex("FA C8 01 03"));
    for (int i = 0; i < 32; ++i)
        frames += voltsFrame(quint8(100 + i), 90, quint8(200 - i), 180);
    frames += wireFrame(hex("FD 03 00 0A FF 7E"));
    QVERIFY(shared.send(frames));

    const FlightHistory &history = watcher.historyControl()->history();
    QTRY_COMPARE(history.size(), 32);
    QTRY_COMPARE(statusText(watcher), statusText(shared.window));
    QVERIFY(statusText(watcher).startsWith(QLatin1Char('(')) || statusText(watcher).size() > 2);
    for (int row = 1; row <= 4; ++row) {
        QCOMPARE(rowSettings(watcher, row), rowSettings(shared.window, row));
        const auto *set = rowChild<QPushButton>(watcher, "setButton", row);
        QVERIFY(!set->isEnabled());
        QVERIFY(set->toolTip().contains(QLatin1String("another machine")));
    }
    QCOMPARE(rowChild<QSpinBox>(watcher, "valueSpinBox", 1)->toolTip(), QStringLiteral("110 means 4 V"));
    QVERIFY(watcher.windowTitle().contains(QLatin1String("watching field/1")));
    QVERIFY(child<QLabel>(shared.window, "statusLabel")->toolTip().contains(
            QStringLiteral("Sharing as field/1 on mqtt://127.0.0.1:%1: connected").arg(broker.port())));

    // The reports in order, with the station's times, which the watcher's history keeps.
    QTRY_COMPARE(subscriberLines(subscriber.out, Base + "/data"), QStringList{ "0A FF 7E" });
    const QStringList reports = subscriberLines(subscriber.out, Base + "/report");
    QCOMPARE(reports.size(), 32);
    for (int i = 0; i < 32; ++i) {
        const QJsonObject report = QJsonDocument::fromJson(reports[i].toUtf8()).object();
        QCOMPARE(report.value("volt1").toInt(), 100 + i);
        QCOMPARE(report.value("linkq").toInt(), 200 - i);
        QCOMPARE(report.value("units").toObject().value("volt1").toObject().value("unit").toString(), "V");
        QCOMPARE(history.at(i).time, qint64(report.value("ms").toDouble()));
    }
    const QJsonArray alarms = QJsonDocument::fromJson(subscriberLines(subscriber.out, Base + "/alarms").last().toUtf8()).array();
    QCOMPARE(alarms.at(0).toObject().value("value").toInt(), 110);
    QCOMPARE(alarms.at(2).toObject().value("comparison").toInt(), 1);
    QVERIFY(alarms.at(1).isNull());
    // The last kept: one made before the units came may have gone first.
    const auto lastConfig = [&subscriber] {
        const QStringList configs = subscriberLines(subscriber.out, "homeassistant/sensor/duplink_field_1/volt1/config");
        return configs.isEmpty() ? QString() : configs.last();
    };
    QTRY_VERIFY(lastConfig().contains(QLatin1String("\"device_class\":\"voltage\"")));
    QSettings().remove(QStringLiteral("channels"));
    QSettings().remove(QStringLiteral("share"));
}

// A sharer that dies leaves "offline" to the broker, within one and a half
// keep-alives; a watcher says so, with the time.
void tst_ShareControl::theLastWillMarksAKilledSharerOffline()
{
    MosquittoBroker broker;
    PseudoTerminal module;
    QSettings().setValue(QStringLiteral("share/keepAlive"), 5);
    QSettings().sync();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
    ToolProcess status(QStringLiteral("mosquitto_sub"),
                       broker.clientArguments() + QStringList{ "-v", "-t", Base + "/status" });
    ToolProcess sharer(QStringLiteral(DUPLINK_PATH),
                       { "-platform", "offscreen", "--share", broker.url(Base), module.slavePath() }, environment);
    QVERIFY2(status.waitForOutput("field/1/status online"), sharer.err);
    Window watcher;
    watchUntilSubscribed(watcher, broker.url(Base));
    QElapsedTimer sinceKill;
    sinceKill.start();
    sharer.stop(SIGKILL);
    QVERIFY(status.waitForOutput("field/1/status offline"));
    QVERIFY(sinceKill.elapsed() < 7500);
    QTRY_VERIFY(statusText(watcher).startsWith(QLatin1String("The station sharing field/1 is offline since ")));
    QSettings().remove(QStringLiteral("share"));
}

// What a station sends again after a lost connection is shown once; the
// reports of one moment (a burst) all are.
// The dialog's choice replaces the command line's: left off, sharing stops;
// switched on with no broker, it is refused and the dialog stays.
void tst_ShareControl::theDialogsChoiceReplacesTheCommandLine()
{
    MosquittoBroker broker;
    LinkedWindow shared;
    ShareControl *control = shared.window.shareControl();
    control->shareTo(BrokerAddress::parse(broker.url(Base)));
    QTRY_VERIFY(control->sharer() && control->sharer()->client()->isConnected());
    bool refused = false;
    QTimer::singleShot(0, control, [&refused] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QCheckBox *enabled = nullptr;
        for (QCheckBox *box : dialog->findChildren<QCheckBox *>())
            enabled = box->text() == QLatin1String("Share this session") ? box : enabled;
        enabled->setChecked(true); // the kept settings name no broker
        dialog->accept();
        refused = dialog->isVisible();
        enabled->setChecked(false);
        dialog->accept();
    });
    control->shareAction()->trigger();
    QVERIFY(refused);
    QVERIFY(!control->sharer());
    QVERIFY(QSettings().contains(QStringLiteral("share/enabled")));
    QVERIFY(!QSettings().value(QStringLiteral("share/enabled")).toBool());
    QSettings().remove(QStringLiteral("share"));
}

void tst_ShareControl::reportsSentTwiceAreShownOnce()
{
    MosquittoBroker broker;
    Window watcher;
    watchUntilSubscribed(watcher, broker.url(Base));
    MqttClient::Options options;
    options.address = BrokerAddress::parse(broker.url(Base));
    MqttClient station(options);
    QTRY_VERIFY(station.isConnected());
    auto report = [](int ms, int seq, int volt1) {
        const QByteArray number = seq > 0 ? ",\"seq\":" + QByteArray::number(seq) : QByteArray();
        return "{\"ms\":" + QByteArray::number(ms) + number + ",\"volt1\":" + QByteArray::number(volt1)
                + R"(,"volt2":0,"linkq":0,"linkql":0})";
    };
    const QByteArray sent[] = { report(1000, 1, 1), report(1000, 2, 2), report(1000, 1, 1), report(1000, 2, 2),
                                report(999, 3, 3), report(1000, 0, 4), report(1001, 1, 5) };
    for (const QByteArray &payload : sent)
        station.publish(options.address.topic("report"), payload.constData(), payload.size());
    const FlightHistory &history = watcher.historyControl()->history();
    QTRY_VERIFY(!history.isEmpty() && history.at(history.size() - 1).values[0] == 5);
    QList<int> shown;
    for (qsizetype i = 0; i < history.size(); ++i)
        shown << history.at(i).values[0];
    QCOMPARE(shown, QList<int>({ 1, 2, 4, 5 }));
    QCOMPARE(watcher.shareControl()->watcher()->droppedCount(), 0);
}

void tst_ShareControl::malformedMessagesAreDroppedAndCounted_data()
{
    QTest::addColumn<QString>("leaf");
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("not JSON") << "report" << QByteArray("volt1=3");
    QTest::newRow("10 MB") << "alarms" << QByteArray(10 * 1024 * 1024, '[');
    QTest::newRow("deep nesting") << "channels" << QByteArray(4000, '[') + QByteArray(4000, ']');
}

void tst_ShareControl::malformedMessagesAreDroppedAndCounted()
{
    QFETCH(QString, leaf);
    QFETCH(QByteArray, payload);
    MosquittoBroker broker;
    Window watcher;
    watchUntilSubscribed(watcher, broker.url(Base));
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(payload);
    file.close();
    OutputCapture errors(stderr);
    ToolProcess publisher(QStringLiteral("mosquitto_pub"),
                          broker.clientArguments() + QStringList{ "-t", Base + '/' + leaf, "-f", file.fileName() });
    QCOMPARE(publisher.exitCode(10000), 0);
    QTRY_COMPARE(watcher.shareControl()->watcher()->droppedCount(), 1);
    QCOMPARE(errors.programText().count('\n'), 1);
    QVERIFY(errors.programText().startsWith("duplink: Dropped a message on field/1/" + leaf.toUtf8()));
    QVERIFY(child<QLabel>(watcher, "statusLabel")->toolTip().contains(QLatin1String("1 messages")));
}

QTEST_MAIN(tst_ShareControl)
#include "tst_sharecontrol.moc"
