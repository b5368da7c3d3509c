#include "flightkeeper.h"
#include "portlistener.h"
#include "rawcapture.h"
#include "testframes.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

constexpr qint64 SilenceLimitMs = 150;
constexpr int CheckMs = 20;

// A listener fed from memory, a read at a time, as from a port.
struct Feed
{
    void read(const QByteArray &bytes)
    {
        device.setData(bytes);
        device.open(QIODevice::ReadOnly);
        while (device.bytesAvailable() > 0)
            listener.receive();
        device.close();
    }

    QBuffer device;
    PortListener listener{ &device };
};

QByteArray reports(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += voltsFrame(quint8(100 + i), 2, 3, 4);
    return bytes;
}

QStringList flightFiles(const QString &folder)
{
    return QDir(folder).entryList({ QStringLiteral("*.raw") }, QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class tst_FlightKeeper : public QObject
{
    Q_OBJECT

private slots:
    void flightsStartAndEnd_data();
    void flightsStartAndEnd();
    void captureHoldsTheSessionFromItsFirstReport();
    void aNameTakenGetsANumber();
    void fullDiskEndsTheFlightKeepingWhatWasWritten();
};

void tst_FlightKeeper::flightsStartAndEnd_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<FlightEnding>>("endings");

    using E = FlightEnding;
    // r: a read of reports, t: of alarm settings alone, p: a pause under the
    // silence limit, w: over it, l: the link lost, u: restored, c: closed.
    QTest::newRow("one flight, closed") << "r r c" << QList<E>{ E::Closed };
    QTest::newRow("no report, no flight") << "t w t c" << QList<E>{};
    QTest::newRow("pauses under the limit") << "r p r p r c" << QList<E>{ E::Closed };
    QTest::newRow("a silence ends it, a report starts the next") << "r w r c" << QList<E>{ E::Silent, E::Closed };
    QTest::newRow("the link lost") << "r l w c" << QList<E>{ E::LinkLost };
    QTest::newRow("the link back, the module silent") << "r l u w c" << QList<E>{ E::Silent };
    QTest::newRow("nothing kept after closing") << "r c r" << QList<E>{ E::Closed };
}

void tst_FlightKeeper::flightsStartAndEnd()
{
    QFETCH(QString, steps);
    QFETCH(QList<FlightEnding>, endings);
    QTemporaryDir folder;
    Feed feed;
    FlightKeeper keeper(folder.path());
    keeper.setSilenceLimit(SilenceLimitMs, CheckMs);
    keeper.follow(&feed.listener);
    QSignalSpy started(&keeper, &FlightKeeper::flightStarted);
    QList<FlightEnding> ended;
    connect(&keeper, &FlightKeeper::flightEnded, this, [&](const QString &path, FlightEnding ending) {
        ended << ending;
        QVERIFY(QFile::exists(path));
        QVERIFY(QFile::exists(FlightKeeper::lockPath(folder.path(), QFileInfo(path).fileName())));
    });
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        const QChar kind = step.at(0);
        if (kind == QLatin1Char('r'))
            feed.read(reports(5));
        else if (kind == QLatin1Char('t'))
            feed.read(thresholdFrame(1, 100, 0));
        else if (kind == QLatin1Char('p') || kind == QLatin1Char('w'))
            QTest::qWait(kind == QLatin1Char('p') ? int(SilenceLimitMs / 3) : int(SilenceLimitMs * 2));
        else if (kind == QLatin1Char('l') || kind == QLatin1Char('u'))
            keeper.linkChanged(kind == QLatin1Char('l'));
        else
            keeper.finish();
    }
    QCOMPARE(ended, endings);
    QCOMPARE(started.size(), endings.size());
    const QStringList files = flightFiles(folder.path());
    QCOMPARE(files.size(), endings.size());
    for (const QString &file : files)
        QVERIFY2(QRegularExpression(QStringLiteral(R"(^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d(-\d+)?\.raw$)")).match(file).hasMatch(),
                 qPrintable(file));
    QCOMPARE(QDir(folder.path()).entryList({ QStringLiteral(".*.lock") }, QDir::Files | QDir::Hidden), QStringList());
}

// The alarm settings the module reported before the flight, then every read
// from the one with the first report on, each at its time.
void tst_FlightKeeper::captureHoldsTheSessionFromItsFirstReport()
{
    QTemporaryDir folder;
    Feed feed;
    FlightKeeper keeper(folder.path());
    keeper.follow(&feed.listener);
    feed.read(thresholdFrame(3, 200, 1, 2) + hex("7E FD 01 00 05 7E") + thresholdFrame(1, 100, 0));
    const QByteArray first = hex("7E FD 01 00 05 7E") + reports(3);
    feed.read(first);
    feed.read(reports(2));
    keeper.finish();
    QCOMPARE(flightFiles(folder.path()).value(0).size(), qsizetype(23)); // its start alone names it: no number

    RawCapture capture;
    QVERIFY(capture.open(QDir(folder.path()).filePath(flightFiles(folder.path()).value(0))));
    QList<QByteArray> records;
    for (RawCapture::Record record; capture.next(record);) {
        QCOMPARE(record.ms, qint64(0)); // all read within a millisecond or so
        records << record.bytes;
    }
    QCOMPARE(records, (QList<QByteArray>{ thresholdFrame(1, 100, 0) + thresholdFrame(3, 200, 1, 2) + first, reports(2) }));
}

// Another flight of the same second, here or by another copy of Duplink.
void tst_FlightKeeper::aNameTakenGetsANumber()
{
    QTemporaryDir folder;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int s = 0; s < 3; ++s) { // whichever second the report comes in
        QFile taken(folder.filePath(now.addSecs(s).toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + ".raw"));
        QVERIFY(taken.open(QIODevice::WriteOnly));
    }
    Feed feed;
    FlightKeeper keeper(folder.path());
    keeper.follow(&feed.listener);
    feed.read(reports(1));
    QVERIFY(keeper.flightPath().endsWith(QStringLiteral("-2.raw")));
    QVERIFY(flightFiles(folder.path()).contains(QFileInfo(keeper.flightPath()).fileName().chopped(6) + ".raw"));
}

// Written up to the limit, the flight ends there with a message, and no
// other starts.
void tst_FlightKeeper::fullDiskEndsTheFlightKeepingWhatWasWritten()
{
    constexpr rlim_t Limit = 4096;
    QTemporaryDir folder;
    Feed feed;
    FlightKeeper keeper(folder.path());
    keeper.follow(&feed.listener);
    QSignalSpy ended(&keeper, &FlightKeeper::flightEnded);
    QSignalSpy failed(&keeper, &FlightKeeper::failed);
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
    rlimit limited = before;
    limited.rlim_cur = Limit;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    for (int i = 0; i < 100; ++i)
        feed.read(reports(10));
    const bool failedInTime = failed.wait(3000);
    setrlimit(RLIMIT_FSIZE, &before);
    QVERIFY(failedInTime);
    QVERIFY2(failed.at(0).at(0).toString().contains(QStringLiteral("File too large")), qPrintable(failed.at(0).at(0).toString()));
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.at(0).at(1).value<FlightEnding>(), FlightEnding::WriteFailed);
    const QString path = ended.at(0).at(0).toString();
    QCOMPARE(QFileInfo(path).size(), qint64(Limit));
    RawCapture capture;
    QVERIFY(capture.open(path, true));
    int records = 0;
    for (RawCapture::Record record; capture.next(record);)
        ++records;
    QVERIFY(records >= int(Limit - 16) / (12 + 10 * 7));
    feed.read(reports(1));
    QVERIFY(!keeper.isFlying());
    QCOMPARE(flightFiles(folder.path()).size(), 1);
}

QTEST_GUILESS_MAIN(tst_FlightKeeper)
#include "tst_flightkeeper.moc"
