#include "datapane.h"
#include "framecodec.h"
#include "linkedwindow.h"
#include "portlistener.h"
#include "processusage.h"
#include "pseudoterminal.h"
#include "renderarea.h"
#include "streammodel.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "windowfeed.h"
#include "window.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

// The default is the full soak; the sanitizer run may ask for less.
qint64 floodBytes()
{
    bool ok = false;
    const qint64 bytes = qEnvironmentVariable("DUPLINK_SOAK_BYTES").toLongLong(&ok);
    return ok && bytes > 0 ? bytes : 10'000'000;
}

// What the window must end up showing, from the reference model, counted
// as the stream is generated rather than kept.
struct Expected
{
    void add(const QByteArray &wire)
    {
        frames.clear();
        decoder.decode(reinterpret_cast<const std::uint8_t *>(wire.constData()),
                       std::size_t(wire.size()), frames);
        for (const StreamModel::Bytes &frame : frames) {
            switch (StreamModel::classify(frame)) {
            case StreamModel::Kind::Volts:
                ++volts;
                break;
            case StreamModel::Kind::UserData:
                ++dataLines;
                break;
            case StreamModel::Kind::Threshold:
                ++thresholds;
                break;
            case StreamModel::Kind::Ignored:
                break;
            }
        }
    }

    StreamModel::ReferenceDecoder decoder;
    std::vector<StreamModel::Bytes> frames;
    qint64 volts = 0, dataLines = 0, thresholds = 0;
};

// Random noise with valid frames of every kind mixed in: some with stuffed
// values, some cut short or with counts the window must ignore.
class StreamGenerator
{
public:
    explicit StreamGenerator(std::uint32_t seed) : random(seed) { }

    QByteArray segment(qsizetype size)
    {
        QByteArray bytes;
        while (bytes.size() < size)
            bytes += piece();
        return bytes;
    }

    int below(int bound) { return int(random() % std::uint32_t(bound)); }

private:
    char anyByte() { return char(below(256)); }
    // A value that needs stuffing one time in four.
    char value() { return below(4) == 0 ? char(below(2) ? 0x7D : 0x7E) : anyByte(); }

    QByteArray piece()
    {
        const int pick = below(100);
        QByteArray payload;
        if (pick < 40) {
            QByteArray noise;
            for (int i = below(48) + 1; i > 0; --i)
                noise += anyByte();
            return noise;
        }
        if (pick < 70) {
            payload = QByteArray(1, char(Protocol::VoltsType));
            for (int i = 0; i < 4; ++i)
                payload += value();
        } else if (pick < 85) {
            // Counts 0 and 7 now and then: frames to be ignored.
            const int count = below(8);
            payload = QByteArray(1, char(Protocol::UserDataType)) + char(count) + anyByte();
            for (int i = 0; i < count; ++i)
                payload += value();
        } else {
            payload = QByteArray(1, char(Protocol::alarmCommand(below(Protocol::AlarmCount))));
            payload += value();
            payload += char(below(3));
            payload += char(below(5));
        }
        if (below(20) == 0)
            payload.truncate(below(int(payload.size())) + 1);
        return wireFrame(payload);
    }

    std::mt19937 random;
};

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT

private slots:
    void floodThroughPseudoTerminal();

private:
    TemporarySettings settings; // before the window reads them
};

void tst_Soak::floodThroughPseudoTerminal()
{
    const qint64 total = floodBytes();
    LinkedWindow linked;
    PseudoTerminal &pty = linked.pty;
    Window &window = linked.window;
    auto *listener = window.findChild<PortListener *>();
    auto *graph = window.findChild<RenderArea *>(QStringLiteral("renderArea"));
    auto *dataPane = window.findChild<DataPane *>(QStringLiteral("dataBrowser"));
    QVERIFY(listener && graph && dataPane);

    qint64 volts = 0, dataLines = 0, thresholds = 0;
    connect(listener, &PortListener::reportVolts, this, [&] { ++volts; });
    connect(listener, &PortListener::reportData, this, [&] { ++dataLines; });
    connect(listener, &PortListener::reportThreshold, this, [&] { ++thresholds; });

    // Zero-interval timers posted while the bytes pour in must fire as soon
    // as the event loop comes round, within a second at worst: the window
    // must not hold the loop while it works through a backlog.
    QList<qint64> answers; // milliseconds from post to fire, -1 until fired
    QObject probes; // destroyed first, cancelling any timer not yet fired
    auto postProbe = [&] {
        const qsizetype index = answers.size();
        answers << -1;
        QElapsedTimer posted;
        posted.start();
        QTimer::singleShot(0, &probes, [&answers, index, posted] { answers[index] = posted.elapsed(); });
    };

    const qint64 startKiB = residentKiB();
    std::printf("soak: %lld bytes, resident at start %lld KiB\n", total, startKiB);
    QElapsedTimer clock;
    clock.start();

    StreamGenerator generator(20240611u);
    Expected expected;
    qint64 sent = 0;
    qint64 nextProbe = 1 << 20;
    while (sent < total) {
        const QByteArray segment = generator.segment(std::min<qint64>(64 * 1024, total - sent));
        expected.add(segment);
        for (qsizetype done = 0; done < segment.size();) {
            const qsizetype write = std::min<qsizetype>(generator.below(4096) + 1, segment.size() - done);
            QVERIFY2(pty.write(segment.mid(done, write)), "the window stopped reading");
            done += write;
        }
        sent += segment.size();
        if (sent >= nextProbe) {
            postProbe();
            nextProbe += 1 << 20;
        }
    }
    postProbe();

    // Known frames after the noise, behind a delimiter that ends whatever
    // the noise left half done.
    const QByteArray knownData = QByteArray::fromHex("01 7E 7D 80 FF 02");
    const QByteArray tail = QByteArray(1, char(Protocol::Delimiter))
            + wireFrame(QByteArray::fromHex("FE 7E 10 C8 33"))
            + wireFrame(QByteArray::fromHex("FA 7D 01 02"))
            + wireFrame(QByteArray::fromHex("FD 06 00") + knownData);
    expected.add(tail);
    QVERIFY(pty.write(tail));
    sent += tail.size();
    QTRY_COMPARE_WITH_TIMEOUT(volts + dataLines + thresholds,
                              expected.volts + expected.dataLines + expected.thresholds, 60000);
    const qint64 floodMs = clock.elapsed();
    QTRY_VERIFY(!answers.contains(-1));
    const qint64 slowestAnswer = *std::max_element(answers.begin(), answers.end());

    const qint64 endKiB = residentKiB();
    std::printf("soak: %lld bytes in %lld ms, %lld volts, %lld data and %lld threshold reports\n",
                sent, floodMs, volts, dataLines, thresholds);
    std::printf("soak: resident after the flood %lld KiB, growth %lld KiB; slowest of %lld "
                "answers %lld ms\n", endKiB, endKiB - startKiB, qint64(answers.size()), slowestAnswer);

    // Every frame the model finds, no more, and none lost in the noise.
    QCOMPARE(volts, expected.volts);
    QCOMPARE(dataLines, expected.dataLines);
    QCOMPARE(thresholds, expected.thresholds);

    QCOMPARE(graph->newestSlot(), int((volts - 1) % RenderArea::Slots));
    const int head = graph->newestSlot();
    QCOMPARE(graph->point(1, head), QPoint(head, 255 - 0x7E));
    QCOMPARE(graph->point(2, head), QPoint(head, 255 - 0x10));
    QCOMPARE(graph->point(3, head), QPoint(head, 255 - 0xC8));

    QCOMPARE(rowSettings(window, 3), (QList<int>{ 2, 1, 0x7D })); // level, comparison, value

    const QString lastLine = QStringLiteral("01 7E 7D 80 FF 02 ");
    QTRY_COMPARE(dataPane->lastLine(), lastLine);
    QCOMPARE(checkKeptLines(*dataPane, dataLines, lastLine), QString());

    QVERIFY2(slowestAnswer < 1000, qPrintable(QStringLiteral("slowest answer %1 ms").arg(slowestAnswer)));
    QVERIFY2(endKiB - startKiB < 64 * 1024,
             qPrintable(QStringLiteral("resident memory grew by %1 KiB").arg(endKiB - startKiB)));
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
