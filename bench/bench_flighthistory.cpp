// The flight history over a day of reports at the line's full rate: its
// memory, the time to add a report while filling and once the oldest are
// being dropped, and the time to redraw the whole session or a zoomed part
// at 1280 pixels wide. Run a Release build; each figure is printed with its
// budget beside it. An argument names a PNG file for the whole session's
// picture.

#include "flighthistory.h"

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Column = FlightHistory::Column;

constexpr int Width = 1280;
constexpr int Height = 400;
constexpr qint64 Start = 1'700'000'000'000;
constexpr qint64 ExtraReports = 2'000'000; // past the capacity
constexpr int MemorySamples = 20;
constexpr qint64 MeanBatch = 1 << 16;
constexpr int Repetitions = 15;
constexpr double MaxBytesPerReport = 8;
constexpr double MaxMemorySpread = 0.05;
constexpr double MaxRedrawMs = 16;

double nanoseconds(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::nano>(end - start).count();
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

// A made-up flight: two batteries sagging slowly with noise, a link quality
// wandering, the link lost for half a minute every twenty minutes and an
// alarm row tripping now and then. A cheap generator, so that adding is what
// is timed.
class Flight
{
public:
    explicit Flight(FlightHistory &history) : history(history) {}

    void addNext()
    {
        const qint64 n = reports++;
        const qint64 time = Start + (n * 175) / 24 + lostTime; // 137.14 a second
        if (n % LostEvery == LostEvery - 1) {
            history.linkLost(time);
            lostTime += LostFor;
            history.linkRestored(time + LostFor);
        }
        if (n % AlarmEvery == 0)
            history.addAlarmChange(time, int(n / AlarmEvery % 4), n / AlarmEvery % 8 < 4);
        const quint32 noise = next();
        history.add(time, { quint8(200 - (n >> 16) % 60 + (noise & 7)),
                            quint8(150 - (n >> 17) % 40 + (noise >> 3 & 15)), walk(noise >> 8),
                            quint8(noise >> 16) });
    }

private:
    static constexpr qint64 LostEvery = 20 * 60 * 137;
    static constexpr qint64 LostFor = 30'000;
    static constexpr qint64 AlarmEvery = 60 * 137;

    quint32 next()
    {
        state = state * 1664525u + 1013904223u;
        return state;
    }
    quint8 walk(quint32 noise)
    {
        quality = std::clamp(quality + int(noise % 7) - 3, 0, 255);
        return quint8(quality);
    }

    FlightHistory &history;
    qint64 reports = 0;
    qint64 lostTime = 0;
    quint32 state = 20240611u;
    int quality = 180;
};

// Single timed intervals: the worst, and how many went over each of a few
// limits.
struct Intervals
{
    static constexpr double Limits[] = { 1e3, 1e4, 1e5, 1e6 }; // ns
    double worstNs = 0;
    qint64 over[4] = {};

    void add(double ns)
    {
        worstNs = std::max(worstNs, ns);
        for (int i = 0; i < 4; ++i)
            over[i] += ns > Limits[i];
    }
    QString overText() const
    {
        return QStringLiteral("%1 %2 %3 %4").arg(over[0], 7).arg(over[1], 5).arg(over[2], 5).arg(over[3], 5);
    }
};

struct AddWorsts
{
    Intervals filling;
    Intervals fillingEmpty; // timed right after each add: the machine's own
    Intervals atCapacity;
    Intervals atCapacityEmpty;
    std::vector<double> startingChunk; // ns
    std::vector<double> droppingChunk;
};

struct Memory
{
    qint64 reports = 0;
    double storeBytes = 0; // a report
    double residentBytes = 0;
    double storeSpread = 0;
    double residentSpread = 0;
};

// Times one add, then an empty interval for the machine's jitter (interrupts,
// other processes) at the same moment.
double timedAdd(Flight &flight, Intervals &empty)
{
    const Clock::time_point start = Clock::now();
    flight.addNext();
    const Clock::time_point end = Clock::now();
    empty.add(nanoseconds(end, Clock::now()));
    return nanoseconds(start, end);
}

// Fills a history to capacity and on past it, timing each add singly and
// sampling memory.
Memory fillTimingEach(AddWorsts &worsts)
{
    const qint64 residentAtStart = residentBytes();
    FlightHistory history;
    Flight flight(history);
    while (history.size() < history.capacity()) {
        const bool startsChunk = history.size() % history.chunkSize() == 0;
        const double ns = timedAdd(flight, worsts.fillingEmpty);
        worsts.filling.add(ns);
        if (startsChunk)
            worsts.startingChunk.push_back(ns);
    }
    Memory memory;
    memory.reports = history.size();
    memory.storeBytes = double(history.memoryUsed()) / double(memory.reports);
    memory.residentBytes = double(residentBytes() - residentAtStart) / double(memory.reports);
    std::vector<double> store;
    std::vector<double> resident;
    for (qint64 i = 0; i < ExtraReports; ++i) {
        const qsizetype before = history.size();
        const double ns = timedAdd(flight, worsts.atCapacityEmpty);
        worsts.atCapacity.add(ns);
        if (history.size() < before)
            worsts.droppingChunk.push_back(ns);
        if (i % (ExtraReports / MemorySamples) == 0) {
            store.push_back(double(history.memoryUsed()));
            resident.push_back(double(residentBytes() - residentAtStart));
        }
    }
    const auto spread = [](const std::vector<double> &samples) {
        const auto [lowest, highest] = std::minmax_element(samples.begin(), samples.end());
        return (*highest - *lowest) / *lowest;
    };
    memory.storeSpread = spread(store);
    memory.residentSpread = spread(resident);
    return memory;
}

// The mean add, from batches timed whole: filling, then past the capacity.
std::pair<double, double> meanAdds()
{
    FlightHistory history;
    Flight flight(history);
    double fillingNs = 0;
    qint64 filled = 0;
    while (history.size() + MeanBatch <= history.capacity()) {
        const Clock::time_point start = Clock::now();
        for (qint64 i = 0; i < MeanBatch; ++i)
            flight.addNext();
        fillingNs += nanoseconds(start, Clock::now());
        filled += MeanBatch;
    }
    while (history.size() < history.capacity())
        flight.addNext();
    const Clock::time_point start = Clock::now();
    for (qint64 i = 0; i < ExtraReports; ++i)
        flight.addNext();
    return { fillingNs / double(filled), nanoseconds(start, Clock::now()) / double(ExtraReports) };
}

int yOf(quint8 value)
{
    return Height - 1 - value * (Height - 1) / 255;
}

// As the history window will: lost links shaded, then per channel one
// vertical span a column, reaching to the previous column's last value where
// the trace goes on, and a line across columns with no report. Spans and
// shading are opaque rectangle fills: the raster engine hands a blended fill
// of many rows to its thread pool, which costs more than the fill itself.
void draw(QPainter &painter, const std::vector<Column> &columns)
{
    painter.fillRect(0, 0, Width, Height, Qt::white);
    for (int x = 0; x < Width; ++x) {
        int end = x;
        while (end < Width && columns[std::size_t(end)].lostLink)
            ++end;
        if (end > x)
            painter.fillRect(x, 0, end - x, Height, QColor(232, 232, 232));
        x = end;
    }
    static const QColor colours[3] = { Qt::red, Qt::blue, Qt::darkGreen };
    for (std::size_t c = 0; c < 3; ++c) {
        painter.setPen(colours[c]);
        int previous = -1;
        for (int x = 0; x < Width; ++x) {
            const Column &column = columns[std::size_t(x)];
            if (column.count == 0)
                continue;
            int top = yOf(column.high[c]);
            int bottom = yOf(column.low[c]);
            if (column.joined && previous >= 0) {
                const int from = yOf(columns[std::size_t(previous)].last[c]);
                if (previous == x - 1) {
                    top = std::min(top, from);
                    bottom = std::max(bottom, from);
                } else {
                    painter.drawLine(previous, from, x, yOf(column.first[c]));
                }
            }
            painter.fillRect(x, top, 1, bottom - top + 1, colours[c]);
            previous = x;
        }
    }
}

struct View
{
    const char *name;
    qint64 from;
    qint64 to;
};

struct Timing
{
    double medianMs;
    double worstMs;
};

Timing timeRepeated(const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < Repetitions; ++i) {
        const Clock::time_point start = Clock::now();
        run();
        times.push_back(nanoseconds(start, Clock::now()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return { times[times.size() / 2], times.back() };
}

const char *verdict(bool within)
{
    return within ? "within" : "OVER";
}

void printRow(const char *figure, double value, const char *unit, const char *budget, const char *judged = "")
{
    std::printf("%-50s %10.2f %-3s %-10s %s\n", figure, value, unit, budget, judged);
}

void printMemoryAndAdds(const Memory &memory, const AddWorsts &worsts, std::pair<double, double> means)
{
    std::printf("%-50s %14s %-10s\n", "figure", "measured", "budget");
    printRow("memory a report at capacity, the store's count", memory.storeBytes, "B", "<= 8 B",
             verdict(memory.storeBytes <= MaxBytesPerReport));
    printRow("memory a report at capacity, resident growth", memory.residentBytes, "B", "<= 8 B",
             verdict(memory.residentBytes <= MaxBytesPerReport));
    printRow("memory spread past capacity, the store's count", memory.storeSpread * 100, "%", "<= 5 %",
             verdict(memory.storeSpread <= MaxMemorySpread));
    printRow("memory spread past capacity, resident", memory.residentSpread * 100, "%", "<= 5 %",
             verdict(memory.residentSpread <= MaxMemorySpread));
    printRow("add, mean while filling", means.first, "ns", "constant");
    printRow("add, mean at capacity (dropping)", means.second, "ns", "constant");
    const auto medianAndWorst = [](std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return QStringLiteral("%1 / %2").arg(times[times.size() / 2] / 1000, 0, 'f', 1).arg(times.back() / 1000, 0, 'f', 1);
    };
    std::printf("%-50s %14s %-10s\n", "add starting a chunk, median / worst (us)",
                qPrintable(medianAndWorst(worsts.startingChunk)), "no pause");
    std::printf("%-50s %14s %-10s\n", "add dropping a chunk, median / worst (us)",
                qPrintable(medianAndWorst(worsts.droppingChunk)), "no pause");
    printRow("add, worst single while filling", worsts.filling.worstNs / 1000, "us", "no pause");
    printRow("add, worst single at capacity", worsts.atCapacity.worstNs / 1000, "us", "no pause");
    printRow("empty timed interval alongside, worst", worsts.atCapacityEmpty.worstNs / 1000, "us",
             "(jitter)");
    std::printf("\nsingle intervals over %27s\n", "1 us  10 us 100 us   1 ms");
    const auto printOver = [](const char *name, const Intervals &intervals) {
        std::printf("  %-34s %s\n", name, qPrintable(intervals.overText()));
    };
    printOver("adds while filling", worsts.filling);
    printOver("empty ones alongside", worsts.fillingEmpty);
    printOver("adds at capacity", worsts.atCapacity);
    printOver("empty ones alongside", worsts.atCapacityEmpty);
}

// The redraws of the views; returns the worst.
double printRedraws(const FlightHistory &history, const char *imagePath)
{
    const qint64 first = history.firstTime();
    const qint64 end = history.lastTime() + 1;
    const qint64 middle = first + (end - first) / 2;
    const FlightHistory::LostLink lost = history.lostLinks(middle, end).front();
    const View views[] = {
        { "whole session (about a day)", first, end },
        { "last 6 h", end - 6 * 3600'000, end },
        { "last hour", end - 3600'000, end },
        { "last 10 min", end - 600'000, end },
        { "last minute", end - 60'000, end },
        { "last 10 s (1,371 reports)", end - 10'000, end },
        { "last second (137 reports)", end - 1000, end },
        { "an hour mid-session", middle, middle + 3600'000 },
        { "2 min around a lost link", lost.from - 45'000, lost.to + 45'000 },
    };
    std::printf("\nredraw at %d columns: column query, statistics, spans drawn into a %dx%d image; "
                "medians of %d runs, and the worst redraw\n",
                Width, Width, Height, Repetitions);
    std::printf("%-30s %9s %9s %9s %9s  %s\n", "view (ms)", "query", "draw", "redraw", "worst", "budget");
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    std::vector<Column> columns;
    double worstRedraw = 0;
    for (const View &view : views) {
        const Timing query = timeRepeated([&] { history.columns(view.from, view.to, Width, columns); });
        const Timing drawing = timeRepeated([&] {
            QPainter painter(&image);
            draw(painter, columns);
        });
        const Timing redraw = timeRepeated([&] {
            history.columns(view.from, view.to, Width, columns);
            history.statistics(view.from, view.to);
            QPainter painter(&image);
            draw(painter, columns);
        });
        worstRedraw = std::max(worstRedraw, redraw.worstMs);
        std::printf("%-30s %9.3f %9.3f %9.3f %9.3f  <= %.0f ms %s\n", view.name, query.medianMs,
                    drawing.medianMs, redraw.medianMs, redraw.worstMs, MaxRedrawMs,
                    verdict(redraw.worstMs <= MaxRedrawMs));
        if (imagePath && &view == views)
            image.save(QString::fromLocal8Bit(imagePath));
    }
    const Timing statistics = timeRepeated([&] { history.statistics(first, end); });
    std::printf("%-30s %9.3f %9s %9s %9.3f  (in the redraw)\n", "statistics, whole session",
                statistics.medianMs, "", "", statistics.worstMs);
    return worstRedraw;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    // Memory first, while nothing freed lies in the heap to be reused.
    AddWorsts worsts;
    const Memory memory = fillTimingEach(worsts);
    const std::pair<double, double> means = meanAdds();
    std::printf("Flight history: %lld reports at capacity (a day at the line's rate), then %lld more, "
                "dropping the oldest\n\n",
                static_cast<long long>(memory.reports), static_cast<long long>(ExtraReports));
    printMemoryAndAdds(memory, worsts, means);

    FlightHistory history;
    Flight flight(history);
    for (qint64 i = 0; i < memory.reports + ExtraReports; ++i)
        flight.addNext();
    const double worstRedraw = printRedraws(history, argc > 1 ? argv[1] : nullptr);
    const bool within = memory.storeBytes <= MaxBytesPerReport && memory.residentBytes <= MaxBytesPerReport
            && memory.residentSpread <= MaxMemorySpread && worstRedraw <= MaxRedrawMs;
    return within ? 0 : 1;
}
