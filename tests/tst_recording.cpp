#include "datapane.h"
#include "linkedwindow.h"
#include "outputcapture.h"
#include "rawcapture.h"
#include "recordingcontrol.h"
#include "renderarea.h"
#include "replaydevice.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "toolprocess.h"
#include "windowfeed.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A session's worth of every frame kind, stuffed bytes included.
QList<QByteArray> sessionFrames()
{
    QList<QByteArray> frames;
    for (int i = 0; i < 20; ++i)
        frames << voltsFrame(quint8(90 + i), quint8(0x7E), quint8(200 - i), quint8(50 + i));
    frames << hex("7E FC 64 01 01 7E") << hex("7E FA 7D 5E 01 02 7E")
           << hex("7E FD 03 00 0A FF 7D 5E 7E") << hex("7E FD 01 00 05 7E");
    return frames;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// The lines as they are but for their times, which differ from run to run.
QByteArray withoutTimestamps(QByteArray text)
{
    static const QRegularExpression stamp(
            QStringLiteral(R"((^|\n)(\{"timestamp":")?\d{4}-\d\d-\d\dT[\d:.]+Z"?,)"));
    return QString::fromLatin1(text).replace(stamp, QStringLiteral("\\1")).toLatin1();
}

// The bytes a raw capture holds, end to end.
QByteArray capturedBytes(const QString &path)
{
    RawCapture capture;
    if (!capture.open(path))
        return capture.errorString().toLatin1();
    QByteArray bytes;
    RawCapture::Record record;
    while (capture.next(record))
        bytes += record.bytes;
    return bytes;
}

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

// What a window shows: every slot of the graph, the status line, the data
// lines and the alarm rows.
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

class tst_Recording : public QObject
{
    Q_OBJECT

private slots:
    void recordsAsTheRecorderDoes_data();
    void recordsAsTheRecorderDoes();
    void recordingIsShown();
    void recordsFromTheMomentTheLinkIsUp();
    void writeErrorEndsOnlyTheRecording();
    void replayShowsTheSession_data();
    void replayShowsTheSession();
    void cutShortCapturePlaysWhatIsWhole();
    void capturesThatCannotBePlayed_data();
    void capturesThatCannotBePlayed();

private:
    TemporarySettings settings; // before the windows read them
    QTemporaryDir folder;
};

void tst_Recording::recordsAsTheRecorderDoes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("recorderOptions");

    QTest::newRow("CSV") << "session.csv" << QStringList{ "-o" };
    QTest::newRow("JSON Lines") << "session.jsonl" << QStringList{ "--json", "-o" };
    QTest::newRow("raw") << "session.raw" << QStringList{ "-o", "/dev/null", "--raw" };
}

// The window writes what duplink-record writes for the same frames.
void tst_Recording::recordsAsTheRecorderDoes()
{
    QFETCH(QString, file);
    QFETCH(QStringList, recorderOptions);
    const QByteArray stream = sessionFrames().join();
    const int lines = int(sessionFrames().size());

    LinkedWindow linked;
    auto *recording = linked.window.findChild<RecordingControl *>();
    const QString fromWindow = folder.filePath(QStringLiteral("window-") + file);
    {
        OutputCapture quiet(stderr);
        QVERIFY(recording->start(fromWindow));
    }
    QVERIFY(linked.send(stream));
    QTRY_COMPARE(child<DataPane>(linked.window, "dataBrowser")->lineCount(), 2);
    QTRY_COMPARE(rowSettings(linked.window, 3).at(2), 0x7E);
    OutputCapture quiet(stderr);
    recording->finish();

    PseudoTerminal pty;
    const QString fromRecorder = folder.filePath(QStringLiteral("recorder-") + file);
    ToolProcess recorder(QStringLiteral(DUPLINK_RECORD_PATH),
                         QStringList{ pty.slavePath(), "--frames", QString::number(lines) }
                                 + recorderOptions + QStringList{ fromRecorder });
    QCOMPARE(pty.read(RequestFrame.size(), 10000), RequestFrame);
    QVERIFY(pty.write(stream));
    QCOMPARE(recorder.exitCode(10000), 0);

    if (file.endsWith(QLatin1String(".raw"))) {
        QCOMPARE(capturedBytes(fromWindow), stream);
        QCOMPARE(capturedBytes(fromRecorder), stream);
    } else {
        const QByteArray written = readAll(fromWindow);
        QCOMPARE(written.count('\n'), lines + (file.endsWith(QLatin1String(".csv")) ? 1 : 0));
        QCOMPARE(withoutTimestamps(written), withoutTimestamps(readAll(fromRecorder)));
    }
}

namespace {

int redPixelsTopRight(QWidget *graph)
{
    const QImage image = graph->grab().toImage();
    int red = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = image.width() - 40; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            red += pixel.red() > 150 && pixel.green() < 60 && pixel.blue() < 60;
        }
    }
    return red;
}

QStringList actionTexts(const QWidget *widget)
{
    QStringList texts;
    for (const QAction *action : widget->actions()) {
        if (action->isVisible() && !action->isSeparator())
            texts << action->text();
    }
    return texts;
}

} // namespace

// The title, the graph's mark and its menu say whether the session is kept.
void tst_Recording::recordingIsShown()
{
    LinkedWindow linked;
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    auto *recording = linked.window.findChild<RecordingControl *>();
    QVERIFY(actionTexts(graph).contains(QStringLiteral("Record to file...")));
    QCOMPARE(redPixelsTopRight(graph), 0);
    OutputCapture quiet(stderr);
    QVERIFY(recording->start(folder.filePath(QStringLiteral("shown.csv"))));
    QCOMPARE(linked.window.windowTitle(), QStringLiteral("Torvi Duplink (recording)"));
    QVERIFY(redPixelsTopRight(graph) > 20);
    QVERIFY(graph->accessibleDescription().contains(QStringLiteral("Recording")));
    QVERIFY(actionTexts(graph).contains(QStringLiteral("Stop recording")));
    QVERIFY(!actionTexts(graph).contains(QStringLiteral("Record to file...")));
    QVERIFY(child<QLabel>(linked.window, "statusLabel")->text().startsWith(QStringLiteral("Recording to ")));
    recording->stopAction()->trigger();
    QCOMPARE(linked.window.windowTitle(), QStringLiteral("Torvi Duplink"));
    QCOMPARE(redPixelsTopRight(graph), 0);
    QVERIFY(child<QLabel>(linked.window, "statusLabel")->text().startsWith(QStringLiteral("Recording stopped: ")));
}

// duplink --record: nothing is written before the device opens, everything
// after; closing the window writes out what waits for the next flush.
void tst_Recording::recordsFromTheMomentTheLinkIsUp()
{
    const QString device = folder.filePath(QStringLiteral("late-module"));
    const QString path = folder.filePath(QStringLiteral("from-link-up.csv"));
    Window window;
    window.recordFromLinkUp(path);
    OutputCapture quiet(stdout);
    OutputCapture errors(stderr);
    window.connectDevice(device);
    QCOMPARE(window.windowTitle(), QStringLiteral("Torvi Duplink"));
    QVERIFY(!QFile::exists(path));

    PseudoTerminal pty;
    QVERIFY(QFile::link(pty.slavePath(), device));
    QCOMPARE(pty.read(RequestFrame.size(), 3000), RequestFrame);
    QTRY_COMPARE(window.windowTitle(), QStringLiteral("Torvi Duplink (recording)"));
    QVERIFY(pty.write(voltsFrame(1, 2, 3, 4) + voltsFrame(5, 6, 7, 8)));
    QTRY_COMPARE(child<RenderArea>(window, "renderArea")->newestSlot(), 1);
    QVERIFY(readAll(path).count('\n') < 3); // written a second at a time
    window.close();
    QCOMPARE(withoutTimestamps(readAll(path)).split('\n').mid(1),
             QByteArrayList({ "volts,1,2,3,4,,,,,", "volts,5,6,7,8,,,,,", "" }));
}

// A full disk ends the recording, says why, and nothing else.
void tst_Recording::writeErrorEndsOnlyTheRecording()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("No /dev/full here");
    LinkedWindow linked;
    auto *recording = linked.window.findChild<RecordingControl *>();
    auto *status = child<QLabel>(linked.window, "statusLabel");
    OutputCapture errors(stderr);
    // A header that cannot be written is refused at once.
    QVERIFY(!recording->start(QStringLiteral("/dev/full")));
    QVERIFY(recording->errorString().contains(QStringLiteral("/dev/full")));

    // A raw capture's blocks are written a second at a time.
    const QString full = folder.filePath(QStringLiteral("full.raw"));
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), full));
    QVERIFY(recording->start(full));
    QVERIFY(linked.send(voltsFrame(1, 2, 3, 4)));
    QTRY_VERIFY_WITH_TIMEOUT(status->text().startsWith(QStringLiteral("Recording stopped: cannot write")), 5000);
    QVERIFY(!recording->isRecording());
    QCOMPARE(linked.window.windowTitle(), QStringLiteral("Torvi Duplink"));
    QVERIFY(errors.programText().contains("Recording stopped: cannot write"));
    // The window goes on.
    QVERIFY(linked.send(voltsFrame(9, 9, 9, 9)));
    QTRY_COMPARE(child<RenderArea>(linked.window, "renderArea")->point(1, 1).y(), 255 - 9);
}

void tst_Recording::replayShowsTheSession_data()
{
    QTest::addColumn<double>("speed");
    QTest::addColumn<int>("stepMs");
    QTest::addColumn<int>("expectedMs");

    QTest::newRow("at its pace") << 1.0 << 40 << 23 * 40;
    QTest::newRow("twice as fast") << 2.0 << 80 << 23 * 40;
    QTest::newRow("as fast as it goes") << 0.0 << 1000 << 0;
}

// The window shows a replay as it showed the session live, at the pace
// asked for, and sends nothing to a module that is not there.
void tst_Recording::replayShowsTheSession()
{
    QFETCH(double, speed);
    QFETCH(int, stepMs);
    QFETCH(int, expectedMs);
    const QString path = folder.filePath(QStringLiteral("replayed.raw"));
    writeCapture(path, stepMs);

    WindowFeed live;
    const QByteArray stream = sessionFrames().join();
    QCOMPARE(live.feed(stream.constData(), stream.size()), QString());

    Window window;
    ReplayDevice replay;
    QVERIFY(replay.openCapture(path));
    window.showReplay(&replay, QStringLiteral("replayed.raw"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Torvi Duplink (replay of replayed.raw)"));
    QSignalSpy finished(&replay, &ReplayDevice::finished);
    QElapsedTimer clock;
    clock.start();
    OutputCapture errors(stderr);
    replay.play(speed);
    QVERIFY(finished.wait(10000));
    const qint64 tookMs = clock.elapsed();
    QVERIFY2(qAbs(tookMs - expectedMs) <= qMax(expectedMs / 10, 200),
             qPrintable(QStringLiteral("took %1 ms").arg(tookMs)));
    child<DataPane>(window, "dataBrowser")->showPendingLines();
    QCOMPARE(shownState(window), shownState(live.window()));
    QCOMPARE(child<QLabel>(window, "statusLabel")->text(), QStringLiteral("Replay over: replayed.raw"));

    OutputCapture output(stdout);
    QTest::mouseClick(rowChild<QPushButton>(window, "setButton", 1), Qt::LeftButton);
    QCOMPARE(output.programText(), QByteArray("alarmset1:ffffffff,fffffffc,64,1,1\n"));
    QVERIFY(child<QLabel>(window, "statusLabel")->text().contains(QStringLiteral("replay")));
}

void tst_Recording::cutShortCapturePlaysWhatIsWhole()
{
    const QString path = folder.filePath(QStringLiteral("cut.raw"));
    writeCapture(path, 1);
    const qint64 whole = QFileInfo(path).size();
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append) && file.write(QByteArray::fromHex("6400000000000000 07000000 7EFE01")) == 15);
    }
    Window window;
    ReplayDevice replay;
    QVERIFY(replay.openCapture(path));
    QCOMPARE(replay.truncatedAt(), whole);
    window.showReplay(&replay, QStringLiteral("cut.raw"));
    QSignalSpy finished(&replay, &ReplayDevice::finished);
    OutputCapture errors(stderr);
    replay.play(0);
    QVERIFY(finished.wait(5000));
    child<DataPane>(window, "dataBrowser")->showPendingLines();
    QCOMPARE(child<DataPane>(window, "dataBrowser")->lastLine(), QStringLiteral("05 "));
    QCOMPARE(child<QLabel>(window, "statusLabel")->text(),
             QStringLiteral("Replay over: cut.raw stops short at byte %1").arg(whole));
}

void tst_Recording::capturesThatCannotBePlayed_data()
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
void tst_Recording::capturesThatCannotBePlayed()
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

QTEST_MAIN(tst_Recording)
#include "tst_recording.moc"
