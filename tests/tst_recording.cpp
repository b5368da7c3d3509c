#include "datapane.h"
#include "linkedwindow.h"
#include "outputcapture.h"
#include "rawcapture.h"
#include "recordingcontrol.h"
#include "renderarea.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "toolprocess.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

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
    for (RawCapture::Record record; capture.next(record);)
        bytes += record.bytes;
    return bytes;
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
    OutputCapture quiet(stderr);
    QVERIFY(recording->start(fromWindow));
    QVERIFY(linked.send(stream));
    QTRY_COMPARE(child<DataPane>(linked.window, "dataBrowser")->lineCount(), 2);
    QTRY_COMPARE(rowSettings(linked.window, 3).at(2), 0x7E);
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

// What says whether the session is kept: the title, the graph's red mark,
// and the recording entries the graph's menu offers.
QStringList recordingShown(const Window &window)
{
    auto *graph = child<RenderArea>(window, "renderArea");
    const int red = redPixelsTopRight(graph);
    QStringList shown{ window.windowTitle(), red == 0 ? "no mark" : red > 20 ? "mark" : "a few red pixels" };
    for (const QAction *action : graph->actions()) {
        if (action->isVisible() && action->isEnabled() && action->text().contains(QLatin1String("ecord")))
            shown << action->text();
    }
    return shown;
}

const QStringList NotRecording{ "Torvi Duplink", "no mark", "Record to file..." };

} // namespace

// The title, the graph's mark and its menu say whether the session is kept.
void tst_Recording::recordingIsShown()
{
    LinkedWindow linked;
    auto *recording = linked.window.findChild<RecordingControl *>();
    QCOMPARE(recordingShown(linked.window), NotRecording);
    OutputCapture quiet(stderr);
    QVERIFY(recording->start(folder.filePath(QStringLiteral("shown.csv"))));
    QCOMPARE(recordingShown(linked.window), (QStringList{ "Torvi Duplink (recording)", "mark", "Stop recording" }));
    QVERIFY(child<RenderArea>(linked.window, "renderArea")->accessibleDescription().contains(QStringLiteral("Recording")));
    QVERIFY(child<QLabel>(linked.window, "statusLabel")->text().startsWith(QStringLiteral("Recording to ")));
    recording->stopAction()->trigger();
    QCOMPARE(recordingShown(linked.window), NotRecording);
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
    QCOMPARE(recordingShown(window), NotRecording);
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
    QCOMPARE(recordingShown(linked.window), NotRecording);
    QVERIFY(errors.programText().contains("Recording stopped: cannot write"));
    // The window goes on.
    QVERIFY(linked.send(voltsFrame(9, 9, 9, 9)));
    QTRY_COMPARE(child<RenderArea>(linked.window, "renderArea")->point(1, 1).y(), 255 - 9);
}

QTEST_MAIN(tst_Recording)
#include "tst_recording.moc"
