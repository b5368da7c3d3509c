#include "alarmcallouts.h"
#include "alarmrow.h"
#include "alarmrows.h"
#include "dialogdriver.h"
#include "linkedwindow.h"
#include "loggingspeaker.h"
#include "notificationservice.h"
#include "outputcapture.h"
#include "portlistener.h"
#include "renderarea.h"
#include "speechspeaker.h"
#include "temporarysettings.h"
#include "testframes.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextToSpeech>

// The window's alarms away from the window: the words, the notifications
// on a session bus of the test's own, and speech through the real engine
// into a sound server of the test's own (CTest runs it under
// dbus-run-session and tests/with-sound.sh).
class tst_AlarmAnnouncer : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }
    void words_data();
    void words();
    void notifiedWhileAway();
    void spokenThroughTheEntries();
    void speakingHoldsNothingUp();

private:
    TemporarySettings settings;
};

namespace {

// Counts the graph's paints and the longest time between two of them.
class PaintWatch : public QObject
{
public:
    qint64 longestGap = 0;
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            if (since.isValid())
                longestGap = qMax(longestGap, since.restart());
            else
                since.start();
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer since;
};

} // namespace

void tst_AlarmAnnouncer::words_data()
{
    QTest::addColumn<QStringList>("kept"); // settings, "key=value"
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("comparison");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("tripped");
    QTest::addColumn<QString>("words");

    const QStringList volts = { "channels/volt1/name=RX battery", "channels/volt1/unit=V",
                                "channels/volt1/value2=10", "channels/volt1/decimals=2" };
    QTest::newRow("raw, below") << QStringList() << 1 << 0 << 100 << true << "Alarm 1: volt 1 below 100";
    QTest::newRow("raw, above") << QStringList() << 3 << 1 << 120 << true << "Alarm 3: volt 2 above 120";
    QTest::newRow("cleared") << QStringList() << 4 << 1 << 120 << false << "Alarm 4 clear";
    QTest::newRow("volts, no trailing zeros") << volts << 2 << 0 << 51 << true
                                              << "Alarm 2: RX battery below 2 volts";
    QTest::newRow("volts, decimals") << volts << 1 << 0 << 117 << true
                                     << "Alarm 1: RX battery below 4.59 volts";
    QTest::newRow("volts, one trailing zero") << volts << 1 << 0 << 23 << true
                                              << "Alarm 1: RX battery below 0.9 volts";
    QTest::newRow("a whole number keeps its zeros") << QStringList{ "channels/volt2/unit=%" } << 3 << 0 << 20
                                                    << true << "Alarm 3: volt 2 below 20 percent";
    QTest::newRow("a unit without words") << QStringList{ "channels/volt2/unit=bar", "channels/volt2/value2=25.5",
                                                          "channels/volt2/decimals=1" }
                                          << 4 << 1 << 117 << true << "Alarm 4: volt 2 above 11.7 bar";
}

void tst_AlarmAnnouncer::words()
{
    QFETCH(QStringList, kept);
    QFETCH(int, row);
    QFETCH(int, comparison);
    QFETCH(int, value);
    QFETCH(bool, tripped);
    QFETCH(QString, words);
    for (const QString &setting : kept)
        QSettings().setValue(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    Window window;
    setRowCondition(window, row, comparison, value);
    AlarmRow *alarm = window.findChild<AlarmRows *>()->row(row - 1);
    alarm->showTripped(true);
    alarm->showTripped(tripped);
    QCOMPARE(alarm->callout(), words);
}

// Notified while the window is not the active one, critical while tripped,
// the entry's choice kept; nothing while it is active, but a critical
// notification closed when its row clears.
void tst_AlarmAnnouncer::notifiedWhileAway()
{
    NotificationService service;
    if (!service.isRegistered())
        QSKIP("no session bus of the test's own: run through ctest, which starts one");
    Window().findChild<QAction *>(QStringLiteral("notifyAlarmsAction"))->trigger();
    LinkedWindow linked;
    setRowCondition(linked.window, 1, 1, 100);
    for (int quiet : { 3, 4 })
        setRowCondition(linked.window, quiet, 1, 254); // volt 2 stays 0
    QVERIFY(linked.send(voltsFrame(150, 0, 0, 0)));
    QTRY_COMPARE(service.calls.size(), 1);
    QCOMPARE(service.calls[0].summary, QStringLiteral("Alarm 1: volt 1 above 100"));
    QCOMPARE(service.calls[0].urgency, 2);

    DialogDriver closeDialog(&linked.window, DialogDriver::Reject); // it has its link
    linked.window.show();
    linked.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&linked.window));
    setRowCondition(linked.window, 3, 0, 100);
    setRowCondition(linked.window, 1, 1, 200);
    QTRY_VERIFY(rowChild<QLabel>(linked.window, "alarmLabel", 3)->accessibleDescription().contains("below"));
    QTRY_COMPARE(service.closed, QList<quint32>{ service.calls[0].id });
    QCOMPARE(service.calls.size(), 1);

    QWidget elsewhere; // and away again
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    setRowCondition(linked.window, 4, 0, 254);
    QTRY_COMPARE(service.calls.size(), 2);
    QCOMPARE(service.calls[1].summary, QStringLiteral("Alarm 4: volt 2 below 254"));
}

// Without a speaking program the entry is disabled and says what to install.
// Through the real entries and settings, with a speaking program that writes
// down what it is asked to say: switched on, the rows already tripped are
// read, again after the kept interval; Ctrl+M silences them, and switched
// off nothing more is said.
void tst_AlarmAnnouncer::spokenThroughTheEntries()
{
    {
        const QByteArray program = qgetenv("DUPLINK_SPEAKER");
        qputenv("DUPLINK_SPEAKER", "/nonexistent/duplink-speak");
        Window without;
        qputenv("DUPLINK_SPEAKER", program);
        const auto *speak = without.findChild<QAction *>(QStringLiteral("speakAlarmsAction"));
        QVERIFY(!speak->isEnabled() && speak->toolTip().contains(SpeechSpeaker::EnginePackage));
    }
    if (QTextToSpeech::availableEngines().isEmpty())
        QSKIP("no speech engine installed (qt6-speech-flite-plugin provides one)");
    LoggingSpeaker speaker;
    QSettings().setValue(QLatin1String(AlarmCallouts::RepeatSecondsKey), 1);
    LinkedWindow linked;
    DialogDriver closeDialog(&linked.window, DialogDriver::Reject); // it has its link
    linked.window.show();
    linked.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&linked.window));
    auto *speak = linked.window.findChild<QAction *>(QStringLiteral("speakAlarmsAction"));
    setRowCondition(linked.window, 1, 1, 100);
    QVERIFY(linked.send(voltsFrame(150, 0, 0, 0)));
    QTRY_VERIFY(rowChild<QLabel>(linked.window, "alarmLabel", 1)->accessibleDescription().contains("above"));
    const QString callout = QStringLiteral("Alarm 1: volt 1 above 100");
    const auto saidAfterASecond = [&](int times) {
        QTest::qWait(1200);
        return speaker.said().count(callout) == times;
    };
    speak->trigger();
    QVERIFY(speak->isChecked()); // off at first
    QTRY_COMPARE(speaker.said().count(callout), 2);
    QTest::keyClick(&linked.window, Qt::Key_M, Qt::ControlModifier);
    QVERIFY(saidAfterASecond(2));
    speak->trigger();
    speak->trigger();
    QTRY_COMPARE(speaker.said().count(callout), 3);
    speak->trigger();
    QVERIFY(saidAfterASecond(3));
}

// A callout read while the line brings 137 reports a second: every report
// arrives, and the graph is repainted as often as without it.
void tst_AlarmAnnouncer::speakingHoldsNothingUp()
{
    if (!SpeechSpeaker::engineInstalled())
        QSKIP("no speech engine installed (qt6-speech-flite-plugin provides one)");
    {
        OutputCapture errors(stderr);
        SpeechSpeaker probe;
        QSignalSpy finished(&probe, &Speaker::finished);
        probe.say(QStringLiteral("Duplink"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        if (!errors.programText().isEmpty())
            QSKIP(qPrintable(QStringLiteral("the speech engine cannot play here (run through ctest, "
                                            "which gives it a sound server): ") + errors.programText()));
    }
    QSettings().setValue(QStringLiteral("alarms/speak"), true);
    OutputCapture errors(stderr);
    LinkedWindow linked;
    setRowCondition(linked.window, 1, 1, 100);
    DialogDriver closeDialog(&linked.window, DialogDriver::Reject); // it has its link
    linked.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&linked.window));
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    PaintWatch watch;
    graph->installEventFilter(&watch);
    QSignalSpy reports(linked.window.findChild<PortListener *>(), &PortListener::reportVolts);

    constexpr int Reports = 137 * 3; // three seconds: the callout takes two and a half
    QElapsedTimer clock;
    clock.start();
    for (int sent = 0; sent < Reports; QTest::qWait(1)) {
        for (; sent < Reports && clock.elapsed() * 137 / 1000 >= sent; ++sent)
            QVERIFY(linked.send(voltsFrame(quint8(150 + sent % 50), 0, 0, 0)));
    }
    QTRY_COMPARE(reports.size(), Reports);
    QVERIFY2(errors.programText().isEmpty(), errors.programText());
    QVERIFY2(watch.longestGap < Window::RefreshInterval + 50,
             qPrintable(QStringLiteral("%1 ms between two paints, %2 paints").arg(watch.longestGap).arg(watch.paints)));
}

QTEST_MAIN(tst_AlarmAnnouncer)
#include "tst_alarmannouncer.moc"
