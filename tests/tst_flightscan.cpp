#include "flightscan.h"
#include "historybuilder.h"
#include "testflight.h"
#include "testframes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_FlightScan : public QObject
{
    Q_OBJECT

private slots:
    void figuresAgainstAPlainReading_data();
    void figuresAgainstAPlainReading();
    void damagedFilesAreNoFlights_data();
    void damagedFilesAreNoFlights();

private:
    QTemporaryDir folder;
};

Q_DECLARE_METATYPE(TestFlight)

void tst_FlightScan::figuresAgainstAPlainReading_data()
{
    QTest::addColumn<TestFlight>("flight");
    QTest::addColumn<QList<int>>("trips");
    QTest::addColumn<int>("lostLinks");

    const QByteArray alarm1Below100 = thresholdFrame(1, 100, 0);
    TestFlight flight;
    QTest::newRow("steady, no alarm settings") << flight << QList<int>{ 0, 0, 0, 0 } << 0;
    flight.reports = 1000;
    flight.dips = 2;
    QTest::newRow("no alarm settings: volt 1's dips trip nothing") << flight << QList<int>{ 0, 0, 0, 0 } << 0;
    flight.lead = alarm1Below100;
    QTest::newRow("volt 1 under alarm 1 twice") << flight << QList<int>{ 2, 0, 0, 0 } << 0;
    flight.spikes = 1;
    flight.lead += thresholdFrame(2, 50, 0) + thresholdFrame(3, 220, 1) + thresholdFrame(4, 240, 1, 3);
    QTest::newRow("alarm 3 over volt 2's spike") << flight << QList<int>{ 2, 0, 1, 0 } << 0;
    flight.silences = { { 100, 5000 }, { 200, 2900 }, { 300, 3100 } };
    QTest::newRow("silences over three seconds are lost links") << flight << QList<int>{ 2, 0, 1, 0 } << 2;
    flight.cutShort = true;
    QTest::newRow("its last record cut short") << flight << QList<int>{ 2, 0, 1, 0 } << 2;
    flight = TestFlight();
    flight.reports = 2;
    flight.stepMs = 3723000;
    QTest::newRow("an hour between two reports") << flight << QList<int>{ 0, 0, 0, 0 } << 1;
}

void tst_FlightScan::figuresAgainstAPlainReading()
{
    QFETCH(TestFlight, flight);
    QFETCH(QList<int>, trips);
    QFETCH(int, lostLinks);
    const QString path = folder.filePath(QStringLiteral("flight.raw"));
    QVERIFY(flight.write(path));

    const FlightRecord record = FlightScan::figures(path);
    QCOMPARE(record.file, QStringLiteral("flight.raw"));
    QCOMPARE(record.bytes, QFile(path).size());
    QCOMPARE(record.start, flight.start);
    QCOMPARE(record.durationMs, flight.durationMs());
    QCOMPARE(record.reports, flight.wholeReports());
    for (int c = 0; c < FlightRecord::Channels; ++c) {
        QCOMPARE(record.low[std::size_t(c)], flight.low(c));
        QCOMPARE(record.high[std::size_t(c)], flight.high(c));
        QCOMPARE(record.mean[std::size_t(c)], flight.mean(c));
    }
    QCOMPARE(QList<int>(record.trips.begin(), record.trips.end()), trips);
    QCOMPARE(record.lostLinks, lostLinks);
    QCOMPARE(record.ending, flight.cutShort ? FlightEnding::Unexpected : FlightEnding::Unknown);

    // The history a flight opens in is the one its figures come from.
    HistoryBuilder builder;
    FlightScan scan;
    QCOMPARE(scan.read(path, builder), flight.cutShort ? FlightScan::CutShort : FlightScan::Whole);
    QCOMPARE(builder.history().size(), flight.wholeReports());
    QCOMPARE(builder.history().lastTime(), flight.start + flight.timeOf(flight.wholeReports() - 1));
}

void tst_FlightScan::damagedFilesAreNoFlights_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray header = QByteArray("DUPLRAW1") + QByteArray(8, '\0');
    const QByteArray record = QByteArray(8, '\0') + hex("07 00 00 00") + voltsFrame(1, 2, 3, 4);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("flight notes: windy\n");
    QTest::newRow("header cut short") << header.left(12);
    QTest::newRow("a record of no bytes") << header + record + QByteArray(12, '\0') + record;
    QTest::newRow("a record longer than any read") << header + record + hex("00 00 00 00 00 00 00 00 01 00 10 00");
    QTest::newRow("time going back")
            << header + hex("05 00 00 00 00 00 00 00 07 00 00 00") + voltsFrame(1, 2, 3, 4) + record;
}

void tst_FlightScan::damagedFilesAreNoFlights()
{
    QFETCH(QByteArray, bytes);
    const QString path = folder.filePath(QStringLiteral("damaged.raw"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    file.close();

    const FlightRecord record = FlightScan::figures(path);
    QCOMPARE(record.ending, FlightEnding::Damaged);
    QCOMPARE(record.reports, 0);
    QCOMPARE(record.start, QFileInfo(path).lastModified().toMSecsSinceEpoch());
    HistoryBuilder builder;
    FlightScan scan;
    QCOMPARE(scan.read(path, builder), FlightScan::Damaged);
    QVERIFY(!scan.errorString().isEmpty());
    QVERIFY(builder.history().isEmpty());
}

QTEST_GUILESS_MAIN(tst_FlightScan)
#include "tst_flightscan.moc"
