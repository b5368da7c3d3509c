#include "flightkeeper.h"
#include "flightrecord.h"
#include "flightsmodel.h"
#include "flightswindow.h"
#include "linkedwindow.h"
#include "logbook.h"
#include "logbookcontrol.h"
#include "outputcapture.h"
#include "rawcapture.h"
#include "renderarea.h"
#include "replaydevice.h"
#include "temporarysettings.h"
#include "testflight.h"
#include "testframes.h"
#include "toolprocess.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <csignal>

namespace {

std::vector<FlightRecord> flightsIn(const QString &folder)
{
    LogbookSettings settings;
    settings.folder = folder;
    Logbook logbook(settings);
    QSignalSpy finished(&logbook, &Logbook::updateFinished);
    if (logbook.update())
        finished.wait(10000);
    return logbook.flights();
}

} // namespace

class tst_LogbookControl : public QObject
{
    Q_OBJECT

private slots:
    void sessionsKept_data();
    void sessionsKept();
    void lostLinkEndsTheFlight();
    void unwritableFolderIsSaidOnce();
    void flightsEntryOpensTheWindow();
    void killedFlightIsKeptToItsLastSecond();
};

void tst_LogbookControl::sessionsKept_data()
{
    QTest::addColumn<QString>("session");
    QTest::addColumn<int>("flights");

    QTest::newRow("a link, kept till the window closes") << "link" << 1;
    QTest::newRow("logbook/keep false") << "keep false" << 0;
    QTest::newRow("--no-logbook") << "no logbook" << 0;
    QTest::newRow("a replay, never") << "replay" << 0;
}

void tst_LogbookControl::sessionsKept()
{
    QFETCH(QString, session);
    QFETCH(int, flights);
    TemporarySettings settings;
    QSettings().setValue(QStringLiteral("logbook/minimumSeconds"), 0);
    QSettings().setValue(QStringLiteral("logbook/keep"), session != QLatin1String("keep false"));
    PseudoTerminal pty;
    ReplayDevice replay;
    Window window;
    window.logbookControl()->setKeeping(window.logbookControl()->isKeeping() && session != QLatin1String("no logbook"));
    OutputCapture quiet(stdout);
    if (session == QLatin1String("replay")) {
        TestFlight flight;
        QVERIFY(flight.write(settings.path() + QStringLiteral("/replayed.raw")));
        QVERIFY(replay.openCapture(settings.path() + QStringLiteral("/replayed.raw")));
        window.showReplay(&replay, QStringLiteral("replayed.raw"));
        QSignalSpy finished(&replay, &ReplayDevice::finished);
        replay.play(0);
        QVERIFY(finished.wait(5000));
    } else {
        window.connectDevice(pty.slavePath());
        QCOMPARE(pty.read(RequestFrame.size()), RequestFrame);
        QVERIFY(pty.write(thresholdFrame(1, 100, 0) + voltsFrame(90, 120, 200, 100) + voltsFrame(95, 125, 190, 90)));
        QTRY_COMPARE(child<RenderArea>(window, "renderArea")->newestSlot(), 1);
    }
    window.close();
    const std::vector<FlightRecord> kept = flightsIn(settings.flightsFolder());
    QCOMPARE(int(kept.size()), flights);
    if (flights == 1) {
        QCOMPARE(kept.front().ending, FlightEnding::Closed);
        QCOMPARE(kept.front().device, pty.slavePath());
        QCOMPARE(kept.front().reports, 2);
        QCOMPARE(kept.front().low[0], 90);
        QCOMPARE(kept.front().trips[0], 1); // volt 1 under the module's alarm 1
    }
}

// The module's adapter pulled out: the flight ends a silence later, as lost.
void tst_LogbookControl::lostLinkEndsTheFlight()
{
    TemporarySettings settings;
    QSettings().setValue(QStringLiteral("logbook/minimumSeconds"), 0);
    OutputCapture quiet(stderr);
    LinkedWindow linked;
    QVERIFY(linked.send(voltsFrame(90, 120, 200, 100)));
    FlightKeeper *keeper = linked.window.logbookControl()->logbook()->keeper();
    QTRY_VERIFY(keeper->isFlying());
    keeper->setSilenceLimit(100, 20);
    QSignalSpy ended(keeper, &FlightKeeper::flightEnded);
    linked.pty.close();
    QVERIFY(ended.wait(5000));
    QCOMPARE(ended.at(0).at(1).value<FlightEnding>(), FlightEnding::LinkLost);
}

// One line on the status line and standard error, and the window goes on.
void tst_LogbookControl::unwritableFolderIsSaidOnce()
{
    TemporarySettings settings;
    QFile blocker(settings.path() + QStringLiteral("/not-a-folder"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings().setValue(QStringLiteral("logbook/folder"), blocker.fileName() + QStringLiteral("/flights"));
    OutputCapture errors(stderr);
    LinkedWindow linked;
    const QString said = QStringLiteral("Logbook off for this run: cannot write in %1/flights (the folder cannot be made). "
                                        "The setting logbook/folder names another folder.")
                                 .arg(blocker.fileName());
    QCOMPARE(child<QLabel>(linked.window, "statusLabel")->text(), said);
    QVERIFY(linked.send(voltsFrame(1, 2, 3, 4) + voltsFrame(5, 6, 7, 8)));
    QTRY_COMPARE(child<RenderArea>(linked.window, "renderArea")->newestSlot(), 1);
    linked.window.close();
    QCOMPARE(QString::fromUtf8(errors.programText()).count(said), 1);
}

void tst_LogbookControl::flightsEntryOpensTheWindow()
{
    TemporarySettings settings;
    LinkedWindow linked;
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    const QList<QAction *> entries = graph->actions();
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [](QAction *action) { return action->text() == QStringLiteral("Flights..."); });
    QVERIFY(entry != entries.end());
    QCOMPARE((*entry)->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    (*entry)->trigger();
    FlightsWindow *flights = linked.window.logbookControl()->window();
    QVERIFY(flights && flights->isVisible());
    QCOMPARE(flights->windowTitle(), QStringLiteral("Flights"));
    QVERIFY(!flights->testAttribute(Qt::WA_QuitOnClose));
}

// duplink killed in flight: its file holds all but the last second at most,
// and the next start lists the flight as ended unexpectedly. On a virtual X
// screen (xvfb-run), where the port dialog is answered with Enter.
void tst_LogbookControl::killedFlightIsKeptToItsLastSecond()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("No X display to answer the port dialog on (the test runs under xvfb-run)");
    constexpr qint64 FlushMs = 1000;
    constexpr qint64 SlackMs = 300; // the line, the event loop, a late timer
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    PseudoTerminal pty;
    ToolProcess duplink(QStringLiteral(DUPLINK_PATH), { pty.slavePath() }, environment);
    ToolProcess answer(QStringLiteral("xdotool"), { "search", "--sync", "--onlyvisible", "--name", "^RS232$",
                                                    "windowfocus", "--sync", "key", "--clearmodifiers", "Return" });
    QCOMPARE(answer.exitCode(15000), 0);
    QCOMPARE(pty.read(RequestFrame.size(), 10000), RequestFrame);

    QVERIFY(pty.write(thresholdFrame(1, 100, 0)));
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> sentAt;
    for (int i = 0; clock.elapsed() < 3000; ++i) {
        QVERIFY(pty.write(voltsFrame(quint8(i), quint8(i >> 8), 200, 100)));
        sentAt.push_back(clock.elapsed());
        QTest::qWait(20);
    }
    const qint64 killedAt = clock.elapsed();
    QCOMPARE(duplink.stop(SIGKILL), -1);

    const QString folder = home.filePath(QStringLiteral("data/duplink/flights"));
    const QStringList files = QDir(folder).entryList({ QStringLiteral("*.raw") });
    QCOMPARE(files.size(), 1);
    RawCapture capture;
    QVERIFY(capture.open(QDir(folder).filePath(files.at(0)), true));
    QByteArray bytes;
    for (RawCapture::Record record; capture.next(record);)
        bytes += record.bytes;
    const int kept = int(bytes.count(char(Protocol::VoltsType))); // once a report: no value reaches 0xFE
    QVERIFY(bytes.startsWith(thresholdFrame(1, 100, 0)));
    QVERIFY2(kept > 0 && sentAt[std::size_t(kept - 1)] >= killedAt - FlushMs - SlackMs,
             qPrintable(QStringLiteral("%1 reports kept, the last sent %2 ms before the kill")
                                .arg(kept).arg(killedAt - sentAt[std::size_t(std::max(kept, 1) - 1)])));

    const std::vector<FlightRecord> listed = flightsIn(folder);
    QCOMPARE(listed.size(), std::size_t(1));
    QCOMPARE(listed.front().ending, FlightEnding::Unexpected);
    QCOMPARE(listed.front().reports, kept);
    QCOMPARE(listed.front().device, pty.slavePath());
    QCOMPARE(listed.front().trips[0], 1); // volt 1 under 100 from the first report to the 100th
    TemporarySettings settings;
    LogbookSettings next;
    next.folder = folder;
    Logbook logbook(next);
    FlightsWindow window(&logbook);
    QCOMPARE(window.table()->model()->index(0, FlightsModel::Ending).data().toString(),
             QStringLiteral("ended unexpectedly"));
    QCOMPARE(QDir(folder).entryList({ QStringLiteral(".*.lock") }, QDir::Hidden | QDir::Files), QStringList());
}

QTEST_MAIN(tst_LogbookControl)
#include "tst_logbookcontrol.moc"
