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
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Duplink = QStringLiteral(DUPLINK_PATH);
const QString Sim = QStringLiteral(DUPLINK_SIM_PATH);

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
    const QList<QByteArray> frames = sessionFrames();
    RawCapture capture;
    QVERIFY(capture.create(path, 0));
    for (int i = 0; i < frames.size(); ++i)
        QVERIFY(capture.append(qint64(i) * stepMs, frames.at(i)));
    QVERIFY(capture.close());
    const qint64 whole = QFile(path).size();
    if (cutShort) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append) && file.write(hex("FFFFFF0000000000 07000000 7EFE01")) == 15);
    }
    // The program plays it too, recording what it shows to its standard
    // output ("-", which once also left a file of that name behind).
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
    const bool dashFileBefore = QFileInfo::exists(QStringLiteral("-"));
    ToolProcess duplink(Duplink, { "-platform", "offscreen", "--replay", path, "--speed", QString::number(speed),
                                   "--record", "-" }, environment);

    WindowFeed live;
    const QByteArray stream = frames.join();
    QCOMPARE(live.feed(stream.constData(), stream.size()), QString());

    Window window;
    ReplayDevice replay;
    QVERIFY(replay.openCapture(path));
    QCOMPARE(replay.truncatedAt(), cutShort ? whole : -1);
    window.showReplay(&replay, QStringLiteral("replayed.raw"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Torvi Duplink (replay of replayed.raw)"));
    QSignalSpy finished(&replay, &ReplayDevice::finished);
    OutputCapture errors(stderr);
    replay.play(speed);
    QVERIFY(finished.wait(10000));
    child<DataPane>(window, "dataBrowser")->showPendingLines();
    QCOMPARE(shownState(window), shownState(live.window()));
    QCOMPARE(child<QLabel>(window, "statusLabel")->text(),
             cutShort ? QStringLiteral("Replay over: replayed.raw stops short at byte %1").arg(whole)
                      : QStringLiteral("Replay over: replayed.raw"));

    // The pace, from the times duplink recorded the first and the last frame.
    QVERIFY2(duplink.waitForOutput("\n", frames.size() + 1), duplink.err); // and the header
    const QStringList lines = duplink.lines();
    const auto stamp = [](const QString &line) { return QDateTime::fromString(line.left(24), Qt::ISODateWithMs); };
    const qint64 playedMs = stamp(lines.at(1)).msecsTo(stamp(lines.last()));
    QVERIFY2(qAbs(playedMs - expectedMs) <= qMax(expectedMs / 10, 200), qPrintable(QString::number(playedMs)));
    QVERIFY(dashFileBefore || !QFileInfo::exists(QStringLiteral("-")));

    OutputCapture output(stdout);
    QTest::mouseClick(rowChild<QPushButton>(window, "setButton", 1), Qt::LeftButton);
    QCOMPARE(output.programText(), QByteArray("alarmset1:ffffffff,fffffffc,64,1,1\n"));
    QVERIFY(child<QLabel>(window, "statusLabel")->text().contains(QStringLiteral("replay")));
}

void tst_ReplayDevice::capturesThatCannotBePlayed_data()
{
    QTest::addColumn<QStringList>("program"); // and its first arguments
    QTest::addColumn<QByteArray>("content");  // empty: a folder
    QTest::addColumn<QString>("message");     // %1: the capture

    const QStringList duplink{ Duplink, "-platform", "offscreen" };
    const QByteArray record = hex("0500000000000000 01000000 7E");
    const QByteArray header = QByteArray("DUPLRAW1") + QByteArray(8, '\0');
    QTest::newRow("not a capture") << duplink << QByteArray("timestamp,kind\n")
                                   << "duplink: %1 is not a raw capture (made by duplink-record --raw)";
    QTest::newRow("unreadable") << duplink << QByteArray() << "duplink: cannot read %1: ";
    QTest::newRow("time going back") << duplink << header + record + hex("0100000000000000 01000000 7E")
                                     << "duplink: %1: damaged record at byte 29";
    QTest::newRow("not a capture, simulator") << QStringList{ Sim } << QByteArray("DUPLINK\n")
            << "duplink-sim: %1 is not a raw capture (made by duplink-record --raw)";
    // The monitor plays what is whole; the simulator refuses.
    QTest::newRow("cut short, simulator") << QStringList{ Sim } << header + record + hex("0A00000000000000 07000000 7EFE")
                                          << "duplink-sim: %1: truncated record at byte 29";
}

// Refused before any window opens or any line is made, with exit status 1.
void tst_ReplayDevice::capturesThatCannotBePlayed()
{
    QFETCH(QStringList, program);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = content.isEmpty() ? folder.path() : folder.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QFile file(path);
    QVERIFY(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush()));
    ToolProcess child(program.takeFirst(), program << "--replay" << path);
    QCOMPARE(child.exitCode(10000), 1);
    QVERIFY2(child.err.contains(message.arg(path).toLocal8Bit()), child.err);
}

QTEST_MAIN(tst_ReplayDevice)
#include "tst_replaydevice.moc"
