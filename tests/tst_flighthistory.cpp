#include "flighthistory.h"

#include <QTest>

#include <algorithm>
#include <random>

using Column = FlightHistory::Column;
using LostLink = FlightHistory::LostLink;

namespace {

constexpr qint64 Start = 1'700'000'000'000; // a wall-clock time, in ms
constexpr qsizetype SmallChunks = 8192;     // a capacity with chunks of 64

struct Entry
{
    qint64 time;
    ReportValues values;
    bool afterLostLink;
};

// Feeds a history and keeps the same session as a plain list, the reference
// the queries are checked against.
struct Session
{
    explicit Session(qsizetype capacity) : history(capacity) {}

    void add(qint64 time, const ReportValues &values)
    {
        latest = std::max(latest, time); // a clock going back is held
        all.push_back({ latest, values, lostBefore });
        lostBefore = false;
        history.add(time, values);
    }
    void lose(qint64 from, qint64 to)
    {
        history.linkLost(from);
        if (to != FlightHistory::StillLost)
            history.linkRestored(to);
        gaps.push_back({ from, to });
        lostBefore = true;
        latest = std::max(latest, to);
    }

    // A plain scan over [from, to) of the newest size() reports, and of the
    // lost links that end after the oldest of them once any was dropped.
    Column scan(qint64 from, qint64 to, ChannelSums *sums = nullptr) const
    {
        const auto kept = all.end() - history.size();
        const auto before = [](const Entry &entry, qint64 time) { return entry.time < time; };
        const auto first = std::lower_bound(kept, all.end(), from, before);
        const auto end = std::lower_bound(kept, all.end(), to, before);
        Column column;
        column.lostLink = std::any_of(gaps.begin(), gaps.end(), [&](const LostLink &gap) {
            return gap.from < to && gap.to > from
                    && (history.droppedCount() == 0 || gap.to > history.firstTime());
        });
        column.count = end - first;
        if (column.count == 0)
            return column;
        column.first = first->values;
        column.last = (end - 1)->values;
        column.joined = first != kept && !first->afterLostLink;
        ValueRange range;
        for (auto entry = first; entry != end; ++entry) {
            range.add(entry->values);
            for (int c = 0; c < ReportChannels && sums; ++c)
                (*sums)[std::size_t(c)] += entry->values[std::size_t(c)];
        }
        column.low = range.low;
        column.high = range.high;
        return column;
    }

    FlightHistory history;
    std::vector<Entry> all;
    std::vector<LostLink> gaps;
    bool lostBefore = false;
    qint64 latest = std::numeric_limits<qint64>::min();
};

// A fixed-seed engine whose raw output is the same on every library.
struct Random
{
    explicit Random(unsigned seed) : engine(seed) {}
    qint64 below(qint64 limit) { return qint64(engine() % quint64(limit)); }
    bool chance(int perMille) { return below(1000) < perMille; }
    ReportValues values() { return { quint8(engine()), quint8(engine()), quint8(engine()), quint8(engine()) }; }
    std::mt19937_64 engine;
};

QString joined(const ReportValues &values, int channels)
{
    QStringList parts;
    for (int c = 0; c < channels; ++c)
        parts << QString::number(values[std::size_t(c)]);
    return parts.join(u',');
}

// "<count> <low>-<high> first <values> last <values>", then "joined" and
// "lost" where they hold; of the first `channels` channels.
QString describe(const Column &column, int channels)
{
    QString text = QString::number(column.count);
    if (column.count > 0)
        text += QStringLiteral(" %1-%2 first %3 last %4")
                        .arg(joined(column.low, channels), joined(column.high, channels),
                             joined(column.first, channels), joined(column.last, channels));
    if (column.joined)
        text += QLatin1String(" joined");
    if (column.lostLink)
        text += QLatin1String(" lost");
    return text;
}

// Channel 0 of each report is its value; the others are made from it, so
// the hand-made table reads channel 0 alone.
ReportValues fromOne(int value)
{
    return { quint8(value), quint8(255 - value), quint8(value / 2), quint8(value ^ 0x55) };
}

} // namespace

class tst_FlightHistory : public QObject
{
    Q_OBJECT

private slots:
    void timesAndLookups_data();
    void timesAndLookups();
    void capacity_data();
    void capacity();
    void lostLinksAndAlarms();
    void queries_data();
    void queries();
    void againstPlainScan_data();
    void againstPlainScan();
};

void tst_FlightHistory::timesAndLookups_data()
{
    QTest::addColumn<QList<qint64>>("steps"); // ms before each report, repeated
    QTest::addColumn<int>("reports");

    constexpr qint64 Hour = 3600 * 1000;
    QTest::newRow("a single report") << QList<qint64>{ 0 } << 1;
    QTest::newRow("line rate, across chunks") << QList<qint64>{ 7, 8 } << 300;
    QTest::newRow("all at one time") << QList<qint64>{ 0 } << 130;
    QTest::newRow("seconds apart") << QList<qint64>{ 1000, 2500 } << 200;
    QTest::newRow("around the 16-bit step") << QList<qint64>{ 65534, 65535, 65536, 1 } << 200;
    // 75 steps of 20 hours: past the 32-bit range of milliseconds.
    QTest::newRow("hours apart") << QList<qint64>{ 20 * Hour, 3 } << 150;
    QTest::newRow("a clock going back is held") << QList<qint64>{ 5, -3, -10, 20 } << 200;
}

void tst_FlightHistory::timesAndLookups()
{
    QFETCH(QList<qint64>, steps);
    QFETCH(int, reports);

    Session session(SmallChunks);
    Random random(7);
    qint64 time = Start;
    for (int i = 0; i < reports; ++i) {
        time += steps[i % steps.size()];
        session.add(time, random.values());
    }
    const FlightHistory &history = session.history;
    QCOMPARE(history.size(), reports);
    QCOMPARE(history.firstTime(), session.all.front().time);
    QCOMPARE(history.lastTime(), session.all.back().time);
    std::vector<qint64> times;
    for (int i = 0; i < reports; ++i) {
        times.push_back(session.all[std::size_t(i)].time);
        QCOMPARE(history.at(i).time, times.back());
        QCOMPARE(history.at(i).values, session.all[std::size_t(i)].values);
    }
    for (const qint64 reported : times) {
        for (const qint64 probe : { reported - 1, reported, reported + 1 }) {
            const auto after = std::lower_bound(times.begin(), times.end(), probe);
            QCOMPARE(history.lowerBound(probe), after - times.begin());
            // The nearest by distance, the earliest of those as near.
            const auto nearest = std::min_element(times.begin(), times.end(), [&](qint64 a, qint64 b) {
                return std::abs(a - probe) < std::abs(b - probe);
            });
            QCOMPARE(history.nearest(probe), nearest - times.begin());
        }
    }
}

void tst_FlightHistory::capacity_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("reports");
    QTest::addColumn<int>("size"); // kept at the end
    QTest::addColumn<int>("chunk"); // reports a chunk

    QTest::newRow("below") << 256 << 200 << 200 << 64;
    QTest::newRow("half full") << 256 << 128 << 128 << 64;
    QTest::newRow("exactly full") << 256 << 256 << 256 << 64;
    QTest::newRow("first full, a report into a last chunk") << 193 << 193 << 193 << 64;
    QTest::newRow("one over drops a chunk") << 256 << 257 << 193 << 64;
    QTest::newRow("many times over") << 256 << 1000 << 232 << 64;
    QTest::newRow("not a multiple of the chunk") << 200 << 201 << 137 << 64;
    QTest::newRow("raised to two chunks") << 10 << 129 << 65 << 64;
    QTest::newRow("chunks of 128 from 16,384") << 16384 << 16385 << 16257 << 128;
    QTest::newRow("larger chunks") << 40000 << 100000 << 39840 << 256;
    QTest::newRow("the largest chunks") << (1 << 25) << 100 << 100 << 65536;
}

void tst_FlightHistory::capacity()
{
    QFETCH(int, capacity);
    QFETCH(int, reports);
    QFETCH(int, size);
    QFETCH(int, chunk);

    Session session(capacity);
    FlightHistory &history = session.history;
    std::size_t memoryWhenFull = 0;
    for (int i = 0; i < reports; ++i) {
        session.add(Start + 7 * i, fromOne(i % 251));
        if (history.size() == history.capacity() && memoryWhenFull == 0)
            memoryWhenFull = history.memoryUsed();
    }
    QCOMPARE(history.size(), size);
    QCOMPARE(history.droppedCount(), reports - size);
    const Entry &oldest = session.all[std::size_t(reports - size)];
    QCOMPARE(history.firstTime(), oldest.time);
    QCOMPARE(history.at(0).values, oldest.values);
    QCOMPARE(history.at(size - 1).time, session.all.back().time);
    QCOMPARE(history.chunkSize(), chunk);
    QCOMPARE(history.statistics(history.firstTime(), history.lastTime() + 1).count, size);
    // Dropping reuses the oldest chunk: not a byte more.
    if (memoryWhenFull > 0)
        QCOMPARE(history.memoryUsed(), memoryWhenFull);
}

void tst_FlightHistory::lostLinksAndAlarms()
{
    FlightHistory history(128); // chunks of 64
    // The lost links, then the alarm changes, in [from, to).
    const auto marks = [&](qint64 from, qint64 to) {
        QStringList text;
        for (const LostLink &gap : history.lostLinks(from, to))
            text << QStringLiteral("%1-%2").arg(gap.from).arg(gap.to == FlightHistory::StillLost ? -1 : gap.to);
        for (const FlightHistory::AlarmChange &change : history.alarmChanges(from, to))
            text << QStringLiteral("%1:%2%3").arg(change.time).arg(change.row).arg(change.tripped ? '+' : '-');
        return text.join(u' ');
    };

    QCOMPARE(QList<qint64>({ history.firstTime(), history.lastTime(), history.nearest(0) }),
             QList<qint64>({ 0, 0, -1 })); // empty
    // Each mark takes room, and the ring's slots some before any report.
    std::size_t memory = history.memoryUsed();
    QVERIFY(memory > sizeof history);
    const auto grew = [&] {
        const std::size_t before = memory;
        memory = history.memoryUsed();
        return memory > before;
    };

    history.linkLost(100);
    QVERIFY(grew());
    history.linkLost(150); // already lost
    QVERIFY(history.isLinkLost());
    history.linkRestored(300);
    history.linkRestored(400); // not lost
    QVERIFY(!history.isLinkLost());
    history.addAlarmChange(310, 2, true);
    QVERIFY(grew());
    history.addAlarmChange(320, 2, false);
    history.addAlarmChange(315, 1, true); // held at the latest change's time
    for (int i = 0; i < 100; ++i) {
        if (i == 64) { // marks where the second chunk starts
            history.linkLost(1063);
            history.linkRestored(1064);
            history.addAlarmChange(1064, 3, true);
        }
        history.add(1000 + i, fromOne(i));
    }
    history.linkLost(2000);
    history.addAlarmChange(2100, 0, true);
    QCOMPARE(marks(0, 5000), QStringLiteral("100-300 1063-1064 2000--1 310:2+ 320:2- 320:1+ 1064:3+ 2100:0+"));
    QCOMPARE(marks(300, 2100), QStringLiteral("1063-1064 2000--1 310:2+ 320:2- 320:1+ 1064:3+"));
    QCOMPARE(marks(299, 2000), QStringLiteral("100-300 1063-1064 310:2+ 320:2- 320:1+ 1064:3+"));
    QCOMPARE(marks(320, 2000), QStringLiteral("1063-1064 320:2- 320:1+ 1064:3+"));

    // Past the capacity the oldest chunk goes, and with it what came before
    // the oldest report kept; a link still lost stays.
    for (int i = 0; i < 40; ++i)
        history.add(3000 + i, fromOne(i));
    QCOMPARE(history.firstTime(), 1064);
    QCOMPARE(marks(0, 5000), QStringLiteral("2000--1 1064:3+ 2100:0+"));
    for (int i = 40; i < 100; ++i)
        history.add(3000 + i, fromOne(i));
    QCOMPARE(history.firstTime(), 3028);
    QCOMPARE(marks(0, 5000), QStringLiteral("2000--1"));
}

void tst_FlightHistory::queries_data()
{
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("to");
    QTest::addColumn<QStringList>("columns"); // of channel 0, as describe() gives them
    QTest::addColumn<QString>("statistics");  // channel 0: count low-high mean newest

    QTest::newRow("all in one") << qint64(0) << qint64(100)
                                << QStringList{ "7 10-90 first 50 last 60 lost" } << "7 10-90 50 60";
    QTest::newRow("bounded by the lost links")
            << qint64(5) << qint64(95)
            << QStringList{ "3 20-80 first 20 last 40 joined", "0 lost", "3 10-90 first 10 last 60" }
            << "6 10-90 50 60";
    QTest::newRow("uneven split")
            << qint64(0) << qint64(100)
            << QStringList{ "4 20-80 first 50 last 40", "0 lost", "3 10-90 first 10 last 60 lost" }
            << "7 10-90 50 60";
    QTest::newRow("after the lost link, not joined")
            << qint64(50) << qint64(100)
            << QStringList{ "1 10-10 first 10 last 10 lost", "2 60-90 first 90 last 60 joined lost" }
            << "3 10-90 53.333333333333336 60";
    QTest::newRow("finer than the reports")
            << qint64(0) << qint64(40)
            << QStringList{ "1 50-50 first 50 last 50", "0", "1 20-20 first 20 last 20 joined", "0",
                            "1 80-80 first 80 last 80 joined", "0", "1 40-40 first 40 last 40 joined",
                            "0 lost" }
            << "4 20-80 47.5 40";
    QTest::newRow("before the first report") << qint64(-100) << qint64(0) << QStringList{ "0", "0" }
                                             << "0 0-0 0 0";
    QTest::newRow("an empty range in a lost link") << qint64(50) << qint64(50) << QStringList{ "0" } << "0 0-0 0 0";
    QTest::newRow("still lost after the last") << qint64(100) << qint64(200) << QStringList{ "0 lost" }
                                               << "0 0-0 0 0";
}

// Seven reports, 10 ms apart but for a lost link from 35 to 65 ms, then a
// link lost at 95 ms for good.
void tst_FlightHistory::queries()
{
    QFETCH(qint64, from);
    QFETCH(qint64, to);
    QFETCH(QStringList, columns);
    QFETCH(QString, statistics);

    FlightHistory history(SmallChunks);
    const int values[] = { 50, 20, 80, 40, 10, 90, 60 };
    const qint64 times[] = { 0, 10, 20, 30, 70, 80, 90 };
    for (int i = 0; i < 7; ++i) {
        if (times[i] == 70) {
            history.linkLost(35);
            history.linkRestored(65);
        }
        history.add(times[i], fromOne(values[i]));
    }
    history.linkLost(95);
    std::vector<Column> found;
    history.columns(from, to, int(columns.size()), found);
    QStringList described;
    for (const Column &column : found)
        described << describe(column, 1);
    QCOMPARE(described, columns);
    const FlightHistory::Statistics figures = history.statistics(from, to);
    QCOMPARE(QStringLiteral("%1 %2-%3 %4 %5")
                     .arg(figures.count)
                     .arg(figures.low[0])
                     .arg(figures.high[0])
                     .arg(figures.mean[0], 0, 'g', 17)
                     .arg(figures.newest[0]),
             statistics);
}

void tst_FlightHistory::againstPlainScan_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("reports");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<qint64>("longestStep"); // ms, now and then
    QTest::addColumn<int>("lostPerMille");   // chance of a lost link before a report

    // Chunks of 8192 reports, pyramids of eight levels, no drop.
    QTest::newRow("line rate") << 1u << 20000 << (1 << 20) << qint64(2000) << 0;
    // Chunks of 256, a third of them kept.
    QTest::newRow("dropping") << 2u << 60000 << 20000 << qint64(2000) << 1;
    QTest::newRow("slow, often lost") << 3u << 6000 << int(SmallChunks) << qint64(4 * 3600 * 1000) << 30;
}

void tst_FlightHistory::againstPlainScan()
{
    QFETCH(unsigned, seed);
    QFETCH(int, reports);
    QFETCH(int, capacity);
    QFETCH(qint64, longestStep);
    QFETCH(int, lostPerMille);

    Random random(seed);
    Session session(capacity);
    qint64 time = Start;
    ReportValues values = random.values();
    for (int i = 0; i < reports; ++i) {
        if (random.chance(lostPerMille)) {
            const qint64 lost = time + random.below(3000);
            time = lost + random.below(longestStep);
            session.lose(lost, time);
        }
        time += random.chance(50) ? random.below(longestStep) : 7 + random.below(2);
        // A random walk with a jump now and then, so that ranges differ.
        for (quint8 &value : values) {
            const qint64 walked = std::clamp(value + random.below(9) - 4, qint64(0), qint64(255));
            value = quint8(random.chance(10) ? random.below(256) : walked);
        }
        session.add(time, values);
    }
    if (lostPerMille > 0)
        session.lose(time + 1, FlightHistory::StillLost);
    const FlightHistory &history = session.history;
    QVERIFY(history.size() == reports || history.size() > capacity - history.chunkSize());
    QVERIFY(history.size() <= capacity);

    const qint64 first = history.firstTime();
    const qint64 span = history.lastTime() + 1 - first;
    std::vector<Column> found;
    for (int query = 0; query < 40; ++query) {
        // The whole, then zoomed parts, some reaching past either end.
        const qint64 from = query == 0 ? first : first - span / 20 + random.below(span);
        const qint64 to = query == 0 ? first + span : from + 1 + random.below(std::max(span >> random.below(16), qint64(1)));
        const int counts[] = { 1280, 1, 3, int(1 + random.below(2000)) };
        const int count = counts[query % 4];
        history.columns(from, to, count, found);
        for (int i = 0; i < count; ++i) {
            const Column expected = session.scan(from + (to - from) * i / count, from + (to - from) * (i + 1) / count);
            QCOMPARE(describe(found[std::size_t(i)], ReportChannels), describe(expected, ReportChannels));
        }
        ChannelSums sums{};
        const Column whole = session.scan(from, to, &sums);
        const FlightHistory::Statistics figures = history.statistics(from, to);
        QCOMPARE(figures.count, whole.count);
        if (whole.count == 0)
            continue;
        QCOMPARE(figures.low, whole.low);
        QCOMPARE(figures.high, whole.high);
        QCOMPARE(figures.newest, whole.last);
        for (int c = 0; c < ReportChannels; ++c)
            QCOMPARE(figures.mean[std::size_t(c)], double(sums[std::size_t(c)]) / double(whole.count));
    }
}

QTEST_APPLESS_MAIN(tst_FlightHistory)
#include "tst_flighthistory.moc"
