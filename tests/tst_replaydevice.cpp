#include "datapane.h"
#include "linkedwindow.h"
#include "outputcapture.h"
#include "rawcapture.h"
#include "renderarea.h"
#include "replaydevice.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "toolprocess.h"
#include "windowfeed.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A capture of the session's frames, one record every `stepMs`.
void writeCapture(const QString &path, int stepMs)
{
    RawCapture capture;
    QVERIFY(capture.create(path, 0));
    const QList<QByteArray> frames = sessionFrames();
    for (int i = 0; i < frames.size(); ++i)
        QVERIFY(capture.append(qint64(i) * stepMs, frames.at(i)));
    QVERIFY(capture.close());
}

// What a window shows: every slot of the graph, the data lines and the
// alarm rows.
QStringList shownState(const Window &window)
{
    QStringList state;
    const auto *graph = child<RenderArea>(window, "renderArea");
    for (int slot = 0; slot < RenderArea::Slots; ++slot) {
        state << QStringLiteral("%1 %2 %3").arg(graph->point(1, slot).y())
                         .arg(graph->point(2, slot).y()).arg(graph->point(3, slot).y());
    }
    const auto *pane = child<DataPane>(window, "dataBrowser");
    for (int i = 0; i < pane->lineCount(); ++i)
        state << pane->line(i);
    for (int row = 1; row <= 4; ++row) {
        const QList<int> settings = rowSettings(window, row);
        state << QStringLiteral("%1 %2 %3").arg(settings[0]).arg(settings[1]).arg(settings[2]);
    }
    return state;
}

// The time a recorded line (CSV) was written.
QDateTime stampOf(const QString &line)
{
    return QDateTime::fromString(line.section(QLatin1Char(','), 0, 0), Qt::ISODateWithMs);
}

} // namespace

class tst_ReplayDevice : public QObject
{
    Q_OBJECT

private slots:
    void replayShowsTheSession_data();
    void replayShowsTheSession();
    void capturesThatCannotBePlayed_data();
    void capturesThatCannotBePlayed();

private:
    TemporarySettings settings; // before the windows read them
    QTemporaryDir folder;
};

void tst_ReplayDevice::replayShowsTheSession_data()
{
    QTest::addColumn<double>("speed");
    QTest::addColumn<int>("stepMs");
    QTest::addColumn<int>("expectedMs");
    QTest::addColumn<bool>("cutShort"); // a last record cut short, which is not played

    QTest::newRow("at its pace") << 1.0 << 40 << 23 * 40 << false;
    QTest::newRow("twice as fast") << 2.0 << 80 << 23 * 40 << false;
    QTest::newRow("as fast as it goes, cut short") << 0.0 << 1000 << 0 << true;
}

// The window shows a replay as it showed the session live, at the pace
// asked for (duplink --replay --speed as well), up to where a capture cut
// short stops, and sends nothing to a module that is not there.
void tst_ReplayDevice::replayShowsTheSession()
{
    QFETCH(double, speed);
    QFETCH(int, stepMs);
    QFETCH(int, expectedMs);
    QFETCH(bool, cutShort);
    const QString path = folder.filePath(QStringLiteral("replayed.raw"));
    writeCapture(path, stepMs);
    const qint64 whole = QFileInfo(path).size();
    if (cutShort) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append) && file.write(hex("FFFFFF0000000000 07000000 7EFE01")) == 15);
    }
    // The program plays it too, recording what it shows to its standard output.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
    ToolProcess duplink(QStringLiteral(DUPLINK_PATH), { "-platform", "offscreen", "--replay", path, "--speed",
                        QString::number(speed), "--record", "/dev/stdout" }, environment);

    WindowFeed live;
    const QByteArray stream = sessionFrames().join();
    QCOMPARE(live.feed(stream.constData(), stream.size()), QString());

    Window window;
    ReplayDevice replay;
    QVERIFY(replay.openCapture(path));
    QCOMPARE(replay.truncatedAt(), cutShort ? whole : -1);
    window.showReplay(&replay, QStringLiteral("replayed.raw"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Torvi Duplink (replay of replayed.raw)"));
    QSignalSpy finished(&replay, &ReplayDevice::finished);
    QElapsedTimer clock;
    clock.start();
    OutputCapture errors(stderr);
    replay.play(speed);
    QVERIFY(finished.wait(10000));
    const qint64 tookMs = clock.elapsed();
    child<DataPane>(window, "dataBrowser")->showPendingLines();
    QCOMPARE(shownState(window), shownState(live.window()));
    QCOMPARE(child<QLabel>(window, "statusLabel")->text(),
             cutShort ? QStringLiteral("Replay over: replayed.raw stops short at byte %1").arg(whole)
                      : QStringLiteral("Replay over: replayed.raw"));

    QVERIFY2(duplink.waitForOutput("\n", sessionFrames().size() + 1), duplink.err); // and the header
    const QStringList lines = duplink.lines();
    const qint64 playedMs = stampOf(lines.at(1)).msecsTo(stampOf(lines.last()));
    const auto paced = [expectedMs](qint64 ms) { return qAbs(ms - expectedMs) <= qMax(expectedMs / 10, 200); };
    QVERIFY2(paced(tookMs) && paced(playedMs),
             qPrintable(QStringLiteral("took %1 ms, in duplink %2 ms").arg(tookMs).arg(playedMs)));

    OutputCapture output(stdout);
    QTest::mouseClick(rowChild<QPushButton>(window, "setButton", 1), Qt::LeftButton);
    QCOMPARE(output.programText(), QByteArray("alarmset1:ffffffff,fffffffc,64,1,1\n"));
    QVERIFY(child<QLabel>(window, "statusLabel")->text().contains(QStringLiteral("replay")));
}

void tst_ReplayDevice::capturesThatCannotBePlayed_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: a folder
    QTest::addColumn<QByteArray>("message");

    const QByteArray header = QByteArray("DUPLRAW1") + QByteArray(8, '\0');
    QTest::newRow("not a capture") << QByteArray("timestamp,kind\n") << QByteArray("is not a raw capture");
    QTest::newRow("unreadable") << QByteArray() << QByteArray("cannot read");
    QTest::newRow("time going back")
            << header + QByteArray::fromHex("0500000000000000 01000000 7E") + QByteArray::fromHex("0100000000000000 01000000 7E")
            << QByteArray("damaged record at byte 29");
}

// Refused before any window opens, with exit status 1.
void tst_ReplayDevice::capturesThatCannotBePlayed()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, message);
    const QString path = folder.filePath(QString::fromLatin1(QTest::currentDataTag()));
    if (content.isEmpty()) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    ToolProcess duplink(QStringLiteral(DUPLINK_PATH), { "-platform", "offscreen", "--replay", path });
    QCOMPARE(duplink.exitCode(10000), 1);
    QVERIFY2(duplink.err.contains(message), duplink.err);
}

QTEST_MAIN(tst_ReplayDevice)
#include "tst_replaydevice.moc"
