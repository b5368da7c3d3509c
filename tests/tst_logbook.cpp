#include "flightscan.h"
#include "logbook.h"
#include "logbookindex.h"
#include "outputcapture.h"
#include "portlistener.h"
#include "retention.h"
#include "testflight.h"
#include "testframes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A folder of flights: three of the made-up flight, a minute apart.
struct FlightsFolder
{
    FlightsFolder()
    {
        settings.folder = folder.path();
        for (int i = 0; i < 3; ++i)
            written = written && add(name(i), i);
    }

    static QString name(int i) { return QStringLiteral("2023-11-14_22-1%1-20.raw").arg(i); }

    bool add(const QString &file, int minute, int reports = 400)
    {
        TestFlight flight;
        flight.start += minute * 60000;
        flight.reports = reports;
        flight.dips = minute;
        flight.lead = thresholdFrame(1, 100, 0);
        return flight.write(folder.filePath(file));
    }

    QTemporaryDir folder;
    LogbookSettings settings;
    bool written = true;
};

// The logbook's list once it is up to date with the files, by file.
QMap<QString, FlightRecord> upToDate(Logbook &logbook)
{
    QSignalSpy finished(&logbook, &Logbook::updateFinished);
    if (logbook.update() && !finished.wait(10000))
        return {};
    QMap<QString, FlightRecord> rows;
    for (const FlightRecord &record : logbook.flights())
        rows.insert(record.file, record);
    return rows;
}

// What a scan of the file says, as the index must hold it.
QString figuresOf(const FlightRecord &record)
{
    QStringList parts{ record.file, QString::number(record.bytes), QString::number(record.modified),
                       QString::number(record.start), QString::number(record.durationMs),
                       QString::number(record.reports), QString::number(record.lostLinks),
                       QString::number(int(record.ending)) };
    for (int c = 0; c < FlightRecord::Channels; ++c)
        parts << QStringLiteral("%1-%2/%3").arg(record.low[c]).arg(record.high[c]).arg(record.mean[c]);
    for (int trips : record.trips)
        parts << QString::number(trips);
    return parts.join(QLatin1Char(' '));
}

} // namespace

class tst_Logbook : public QObject
{
    Q_OBJECT

private slots:
    void indexHoldsWhatTheFilesSay();
    void filesAddedAndRemovedByHand();
    void damagedIndexIsMadeAnew();
    void twoCopiesShareTheIndex();
    void retention_data();
    void retention();
    void retentionKeepsPinnedFlightsOnDisk();
    void shortFlightsAreNotKept_data();
    void shortFlightsAreNotKept();
    void settings_data();
    void settings();
    void durations_data();
    void durations();
};

// The figures are the scan's; deleting the index loses only what the
// files cannot say.
void tst_Logbook::indexHoldsWhatTheFilesSay()
{
    FlightsFolder flights;
    QVERIFY(flights.written);
    QStringList scanned;
    for (int i = 0; i < 3; ++i)
        scanned << figuresOf(FlightScan::figures(flights.folder.filePath(FlightsFolder::name(i))));
    {
        Logbook logbook(flights.settings);
        QStringList listed;
        for (const FlightRecord &record : upToDate(logbook))
            listed << figuresOf(record);
        QCOMPARE(listed, scanned);
        QCOMPARE(logbook.index().state(), LogbookIndex::State::Shared);
        QVERIFY(logbook.setNote(FlightsFolder::name(1), QStringLiteral("gusty")));
        QVERIFY(logbook.setPinned(FlightsFolder::name(1), true));
        QCOMPARE(upToDate(logbook).value(FlightsFolder::name(1)).note, QStringLiteral("gusty"));
        QVERIFY(!logbook.update()); // nothing new to read
    }
    for (const QString &file : QDir(flights.folder.path()).entryList({ QStringLiteral("logbook.sqlite*") }))
        QVERIFY(QFile::remove(flights.folder.filePath(file)));
    Logbook rebuilt(flights.settings);
    QStringList listed;
    for (const FlightRecord &record : upToDate(rebuilt)) {
        listed << figuresOf(record);
        QVERIFY(record.note.isEmpty() && !record.pinned);
    }
    QCOMPARE(listed, scanned);
}

void tst_Logbook::filesAddedAndRemovedByHand()
{
    FlightsFolder flights;
    Logbook logbook(flights.settings);
    QCOMPARE(upToDate(logbook).size(), 3);
    QVERIFY(QFile::remove(flights.folder.filePath(FlightsFolder::name(0))));
    QVERIFY(flights.add(QStringLiteral("from-a-friend.raw"), 5));
    QVERIFY(flights.add(FlightsFolder::name(2), 2, 200)); // changed
    QFile text(flights.folder.filePath(QStringLiteral("notes.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly) && text.write("windy\n") > 0);
    text.close();

    const QMap<QString, FlightRecord> rows = upToDate(logbook);
    QCOMPARE(rows.keys(), (QStringList{ FlightsFolder::name(1), FlightsFolder::name(2), "from-a-friend.raw",
                                        "notes.txt" }));
    QCOMPARE(rows.value(FlightsFolder::name(2)).reports, 200);
    QCOMPARE(rows.value(QStringLiteral("from-a-friend.raw")).start, TestFlight::DefaultStart + 5 * 60000);
    QCOMPARE(rows.value(QStringLiteral("notes.txt")).ending, FlightEnding::Damaged);
}

void tst_Logbook::damagedIndexIsMadeAnew()
{
    FlightsFolder flights;
    QFile index(flights.folder.filePath(QLatin1String(LogbookIndex::FileName)));
    QVERIFY(index.open(QIODevice::WriteOnly) && index.write(QByteArray(8192, 'x')) == 8192);
    index.close();
    Logbook logbook(flights.settings);
    QCOMPARE(upToDate(logbook).size(), 3);
    QCOMPARE(logbook.index().state(), LogbookIndex::State::Fresh);
    QVERIFY(logbook.index().problem().contains(QStringLiteral("damaged")));
    QCOMPARE(QFileInfo(index.fileName() + QStringLiteral(".damaged")).size(), 8192);
}

// Each copy of Duplink has its own connection to the one index.
void tst_Logbook::twoCopiesShareTheIndex()
{
    FlightsFolder flights;
    Logbook first(flights.settings);
    Logbook second(flights.settings);
    QCOMPARE(upToDate(first).size(), 3);
    QVERIFY(first.setNote(FlightsFolder::name(0), QStringLiteral("first flight of the day")));
    QVERIFY(!second.update()); // the first read them already
    QCOMPARE(upToDate(second).value(FlightsFolder::name(0)).note, QStringLiteral("first flight of the day"));
    QVERIFY(second.setPinned(FlightsFolder::name(2), true));
    QVERIFY(upToDate(first).value(FlightsFolder::name(2)).pinned);
    QCOMPARE(second.index().state(), LogbookIndex::State::Shared);
}

Q_DECLARE_METATYPE(std::vector<Retention::Flight>)

void tst_Logbook::retention_data()
{
    QTest::addColumn<std::vector<Retention::Flight>>("flights");
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<QStringList>("deleted");

    // Listed out of order: the oldest start goes first.
    const std::vector<Retention::Flight> flights{ { "c", 300, 30, false, false },
                                                  { "a", 100, 10, false, false },
                                                  { "b", 200, 20, false, false } };
    QTest::newRow("within the room") << flights << qint64(600) << QStringList{};
    QTest::newRow("the oldest") << flights << qint64(599) << QStringList{ "a" };
    QTest::newRow("as many as it takes") << flights << qint64(300) << QStringList{ "a", "b" };
    auto pinned = flights;
    pinned[1].pinned = true;
    QTest::newRow("never a pinned one") << pinned << qint64(400) << QStringList{ "b" };
    QTest::newRow("the pinned one alone too big") << pinned << qint64(50) << QStringList{ "b", "c" };
    auto writing = flights;
    writing[0].inProgress = true;
    QTest::newRow("never one being written") << writing << qint64(100) << QStringList{ "a", "b" };
}

void tst_Logbook::retention()
{
    QFETCH(std::vector<Retention::Flight>, flights);
    QFETCH(qint64, budget);
    QFETCH(QStringList, deleted);
    QCOMPARE(Retention::select(flights, budget), deleted);
}

void tst_Logbook::retentionKeepsPinnedFlightsOnDisk()
{
    FlightsFolder flights;
    QVERIFY(flights.add(QStringLiteral("big-old.raw"), -10, 40000));
    QVERIFY(flights.add(QStringLiteral("big-older.raw"), -20, 40000));
    flights.settings.maxMegabytes = 1;
    Logbook logbook(flights.settings);
    QCOMPARE(upToDate(logbook).size(), 5);
    QVERIFY(logbook.setPinned(QStringLiteral("big-older.raw"), true));
    QSignalSpy message(&logbook, &Logbook::message);
    QCOMPARE(logbook.keepWithinRoom(), 1);
    QCOMPARE(message.value(0).value(0).toString(),
             QStringLiteral("Logbook: deleted the oldest flight to keep within 1 MB (logbook/maxMegabytes)"));
    QVERIFY(!QFile::exists(flights.folder.filePath(QStringLiteral("big-old.raw"))));
    QCOMPARE(upToDate(logbook).keys(), (QStringList{ FlightsFolder::name(0), FlightsFolder::name(1),
                                                     FlightsFolder::name(2), "big-older.raw" }));
    QCOMPARE(logbook.keepWithinRoom(), 0);
}

void tst_Logbook::shortFlightsAreNotKept_data()
{
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<bool>("kept");

    QTest::newRow("under the shortest") << 0 << false;
    QTest::newRow("over it") << 1100 << true;
}

void tst_Logbook::shortFlightsAreNotKept()
{
    QFETCH(int, pauseMs);
    QFETCH(bool, kept);
    QTemporaryDir folder;
    LogbookSettings settings;
    settings.folder = folder.filePath(QStringLiteral("flights"));
    settings.minimumSeconds = 1;
    QBuffer device;
    PortListener listener(&device);
    Logbook logbook(settings);
    QVERIFY(logbook.keep(&listener, QStringLiteral("/dev/ttyUSB0")));
    const auto read = [&] {
        device.setData(voltsFrame(100, 120, 200, 100));
        device.open(QIODevice::ReadOnly);
        listener.receive();
        device.close();
    };
    read();
    QTest::qWait(pauseMs);
    read();
    logbook.finish();
    const std::vector<FlightRecord> listed = logbook.flights();
    QCOMPARE(int(listed.size()), int(kept));
    QCOMPARE(QDir(settings.folder).entryList({ QStringLiteral("*.raw") }).size(), int(kept));
    if (kept) {
        QCOMPARE(listed.front().device, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(listed.front().ending, FlightEnding::Closed);
        QCOMPARE(listed.front().reports, 2);
    }
}

void tst_Logbook::settings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<qint64>("read"); // minimumSeconds or maxMegabytes as read
    QTest::addColumn<bool>("said");   // a line on standard error

    QTest::newRow("shortest, kept") << "minimumSeconds" << "30" << qint64(30) << false;
    QTest::newRow("shortest, none") << "minimumSeconds" << "0" << qint64(0) << false;
    QTest::newRow("shortest, below none") << "minimumSeconds" << "-1" << qint64(10) << true;
    QTest::newRow("shortest, over a day") << "minimumSeconds" << "86401" << qint64(10) << true;
    QTest::newRow("room, kept") << "maxMegabytes" << " 100 " << qint64(100) << false;
    QTest::newRow("room, none") << "maxMegabytes" << "0" << qint64(2048) << true;
    QTest::newRow("room, no number") << "maxMegabytes" << "lots" << qint64(2048) << true;
}

void tst_Logbook::settings()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(qint64, read);
    QFETCH(bool, said);
    QTemporaryDir folder;
    QSettings kept(folder.filePath(QStringLiteral("duplink.conf")), QSettings::IniFormat);
    kept.setValue(QStringLiteral("logbook/") + key, value);
    OutputCapture errors(stderr);
    const LogbookSettings loaded = LogbookSettings::load(kept);
    QCOMPARE(key == QLatin1String("maxMegabytes") ? loaded.maxMegabytes : qint64(loaded.minimumSeconds), read);
    QCOMPARE(errors.programText().contains(QByteArray("Setting logbook/") + key.toLatin1() + " is not usable"), said);
}

void tst_Logbook::durations_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");

    QTest::newRow("none") << qint64(-5) << "0:00";
    QTest::newRow("under a minute") << qint64(59999) << "0:59";
    QTest::newRow("an hour less a second") << qint64(3599000) << "59:59";
    QTest::newRow("an hour") << qint64(3600000) << "1:00:00";
    QTest::newRow("an hour, ten minutes and 59 s") << qint64(4259000) << "1:10:59";
    QTest::newRow("ten hours") << qint64(36000000) << "10:00:00";
}

void tst_Logbook::durations()
{
    QFETCH(qint64, ms);
    QFETCH(QString, text);
    QCOMPARE(FlightRecord::durationText(ms), text);
}

QTEST_GUILESS_MAIN(tst_Logbook)
#include "tst_logbook.moc"
