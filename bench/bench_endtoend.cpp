// End-to-end figures for the whole monitor: the real Window, shown, reading a
// device (the simulator's pseudo-terminal) through its own PortListener.
//
//   bench_endtoend --mode flood DEVICE      while duplink-sim --flood writes:
//       frames/s kept up with, event-loop delay and resident memory, over the
//       first million frames (the data pane fills up on the way) and then
//       over --steady seconds more (the pane is full and trims as it grows)
//   bench_endtoend --mode linerate DEVICE   while duplink-sim --rate 137 writes:
//       process CPU time as a share of one core; --fill-pane starts with a
//       full data pane, as after half an hour at line rate; --history opens
//       the flight history window too, following the reports; --no-logbook
//       keeps no flight (the logbook writes to XDG_DATA_HOME otherwise);
//       --share URL shares the session through the broker at URL as well
//   bench_endtoend --mode floor DEVICE      the same, with a bare listener on
//       the port and no window: what reading the line costs on this machine
//   bench_endtoend --mode idle              the window on a pseudo-terminal of
//       its own that stays silent: wake-ups per second
//   bench_endtoend --mode datamemory        30,000 user-data lines through the
//       listener's signal into a fresh window: resident memory growth
//
// Run with QT_QPA_PLATFORM=offscreen. Figures are printed as "e2e key value"
// lines; the window's own diagnostics go to the same stdout and are skipped
// by readers that look for the prefix.

#include "brokeraddress.h"
#include "datapane.h"
#include "dialogdriver.h"
#include "historycontrol.h"
#include "linkqualityaverage.h"
#include "logbookcontrol.h"
#include "portlistener.h"
#include "processusage.h"
#include "pseudoterminal.h"
#include "protocol.h"
#include "serialconnection.h"
#include "seriallink.h"
#include "sharecontrol.h"
#include "window.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QEventLoop>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <sys/resource.h>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// What a 9600 8N1 line carries: 960 bytes/s, a volts frame is seven bytes.
constexpr double LineRateFrames = 960.0 / 7.0;
constexpr int ProbeIntervalMs = 10;

void report(const char *key, double value)
{
    std::printf("e2e %s %.10g\n", key, value);
    std::fflush(stdout);
}

void report(const QByteArray &key, double value)
{
    report(key.constData(), value);
}

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = std::min(values.size() - 1, std::size_t(fraction * double(values.size())));
    return values[index];
}

// Every ProbeIntervalMs posts an event to itself and records how long the
// event loop took to deliver it: the delay a click or a repaint would see.
class LatencyProbe : public QObject
{
public:
    LatencyProbe()
    {
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(ProbeIntervalMs);
        connect(&ticker, &QTimer::timeout, this, &LatencyProbe::post);
        delaysMs.reserve(1 << 16);
    }

    void start()
    {
        clock.start();
        ticker.start();
    }

    // Hands over the delays recorded since the last call.
    std::vector<double> take()
    {
        std::vector<double> taken;
        taken.swap(delaysMs);
        delaysMs.reserve(1 << 16);
        return taken;
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != ProbeEvent)
            return QObject::event(event);
        delaysMs.push_back(double(clock.nsecsElapsed() - postedAt) / 1e6);
        outstanding = false;
        return true;
    }

private:
    static constexpr QEvent::Type ProbeEvent = QEvent::User;

    void post()
    {
        // One at a time: a probe still waiting is already being measured.
        if (outstanding)
            return;
        outstanding = true;
        postedAt = clock.nsecsElapsed();
        QCoreApplication::postEvent(this, new QEvent(ProbeEvent));
    }

    QTimer ticker;
    QElapsedTimer clock;
    std::vector<double> delaysMs;
    qint64 postedAt = 0;
    bool outstanding = false;
};

// Counts the paint events a widget gets: how often the window redraws.
class PaintCounter : public QObject
{
public:
    qint64 paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Times from a moment a widget is due to change to its next paint.
class PaintDelay : public QObject
{
public:
    // From `ns` on, the label is due to show `text`.
    void expect(const QString &text, qint64 ns, const QElapsedTimer *clock)
    {
        dueText = text;
        dueSinceNs = ns;
        wall = clock;
    }
    std::vector<double> takeDelays()
    {
        std::vector<double> taken;
        taken.swap(delaysMs);
        return taken;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *label = qobject_cast<QLabel *>(watched);
        if (event->type() == QEvent::Paint && dueSinceNs >= 0 && label && label->text() == dueText) {
            delaysMs.push_back(double(wall->nsecsElapsed() - dueSinceNs) / 1e6);
            dueSinceNs = -1;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer *wall = nullptr;
    QString dueText;
    qint64 dueSinceNs = -1;
    std::vector<double> delaysMs;
};

double systemCpuSeconds()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_stime.tv_sec) + double(usage.ru_stime.tv_usec) / 1e6;
}

// Times any thread of this process went to sleep and was woken: voluntary
// context switches, summed over the threads.
qint64 wakeUps()
{
    qint64 total = 0;
    const QStringList threads = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &thread : threads) {
        QFile status(QStringLiteral("/proc/self/task/%1/status").arg(thread));
        if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (line.startsWith("voluntary_ctxt_switches:"))
                total += line.mid(24).trimmed().toLongLong();
        }
    }
    return total;
}

struct Settings
{
    enum class Mode { Flood, LineRate, Floor, Idle, DataMemory } mode = Mode::Flood;
    qint64 warmupFrames = 1000;
    qint64 floodFrames = 1000000;
    double steadySeconds = 20;
    double seconds = 30;
    double timeoutSeconds = 600;
};

// Counts the volts frames the listener reports and marks the milestones of
// the run. Connected after the window's own slots, so a frame counts once
// the window has dealt with it.
class Run : public QObject
{
public:
    Run(const Settings &settings, PortListener *listener, Window *window)
        : settings(settings), window(window)
    {
        connect(listener, &PortListener::reportVolts, this, &Run::count);
        if (window) {
            if (auto *graph = window->findChild<QWidget *>(QStringLiteral("renderArea")))
                graph->installEventFilter(&graphPaints);
            if (auto *pane = window->findChild<QTextBrowser *>(QStringLiteral("dataBrowser")))
                pane->viewport()->installEventFilter(&panePaints);
            if (auto *status = window->findChild<QWidget *>(QStringLiteral("statusLabel")))
                status->installEventFilter(&statusPaints);
            if (auto *history = window->findChild<QWidget *>(QStringLiteral("historyPlot")))
                history->installEventFilter(&historyPaints);
        }
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, this, &Run::timedOut);
        deadline.start(int(settings.timeoutSeconds * 1000));
        lineRateEnd.setSingleShot(true);
        lineRateEnd.setTimerType(Qt::PreciseTimer);
        connect(&lineRateEnd, &QTimer::timeout, this, &Run::finishLineRate);
        steadyEnd.setSingleShot(true);
        steadyEnd.setTimerType(Qt::PreciseTimer);
        connect(&steadyEnd, &QTimer::timeout, this, &Run::finishSteady);
        wall.start();
    }

    int exitCode = 0;

private:
    struct Mark
    {
        qint64 frames;
        qint64 ns;
        double cpu;
        double mainThreadCpu; // the GUI thread alone, the toolkit's helpers aside
        long rssKb;
        long historyKb; // what the flight history holds, which grows by design
        qint64 graphPaints, panePaints, historyPaints;
        qint64 wakeups;
        double systemCpu; // in the kernel on our behalf
    };

    Mark mark() const
    {
        return { frames,
                 wall.nsecsElapsed(),
                 processCpuSeconds(),
                 threadCpuSeconds(),
                 residentKiB(),
                 window ? long(window->historyControl()->history().memoryUsed() / 1024) : 0,
                 graphPaints.paints,
                 panePaints.paints,
                 historyPaints.paints,
                 wakeUps(),
                 systemCpuSeconds() };
    }

    void count(char, char, char linkq, char linkql)
    {
        ++frames;
        // Every 16th report brings new averages: how long until they are
        // painted is what a user sees of the display's latency. Figures the
        // same as those shown need no paint, and are not timed.
        if (window && averages.add(quint8(linkq), quint8(linkql)))
            statusPaints.expect(QLatin1String(averages.text()), wall.nsecsElapsed(), &wall);
        if (frames < settings.warmupFrames)
            return;
        if (frames == settings.warmupFrames) {
            start = mark();
            report("rss_start_kb", double(start.rssKb));
            if (settings.mode == Settings::Mode::Flood)
                probe.start();
            else
                lineRateEnd.start(int(settings.seconds * 1000));
        } else if (settings.mode == Settings::Mode::Flood
                   && frames == settings.warmupFrames + settings.floodFrames) {
            finishPhase("flood_");
            steadyEnd.start(int(settings.steadySeconds * 1000));
        }
    }

    void finishSteady()
    {
        finishPhase("steady_");
        QCoreApplication::exit(0);
    }

    void finishPhase(const QByteArray &prefix)
    {
        const Mark end = mark();
        const double elapsed = double(end.ns - start.ns) / 1e9;
        const double rate = double(end.frames - start.frames) / elapsed;
        const std::vector<double> delays = probe.take();
        report(prefix + "frames", double(end.frames - start.frames));
        report(prefix + "seconds", elapsed);
        report(prefix + "frames_per_second", rate);
        report(prefix + "line_rate_multiple", rate / LineRateFrames);
        report(prefix + "cpu_percent", 100.0 * (end.cpu - start.cpu) / elapsed);
        report(prefix + "latency_samples", double(delays.size()));
        report(prefix + "latency_median_ms", percentile(delays, 0.50));
        report(prefix + "latency_p99_ms", percentile(delays, 0.99));
        report(prefix + "latency_max_ms", percentile(delays, 1.0));
        report(prefix + "rss_end_kb", double(end.rssKb));
        report(prefix + "rss_growth_kb", double(end.rssKb - start.rssKb));
        report(prefix + "history_growth_kb", double(end.historyKb - start.historyKb));
        reportPaints(prefix, end, elapsed);
        report(prefix + "data_pane_lines", double(dataPaneLines()));
        start = end;
    }

    void finishLineRate()
    {
        const Mark end = mark();
        const double elapsed = double(end.ns - start.ns) / 1e9;
        const QByteArray prefix = settings.mode == Settings::Mode::Floor ? "floor_" : "linerate_";
        report(prefix + "frames", double(frames - settings.warmupFrames));
        report(prefix + "seconds", elapsed);
        report(prefix + "frames_per_second", double(frames - settings.warmupFrames) / elapsed);
        report(prefix + "cpu_seconds", end.cpu - start.cpu);
        report(prefix + "cpu_percent", 100.0 * (end.cpu - start.cpu) / elapsed);
        report(prefix + "system_cpu_percent", 100.0 * (end.systemCpu - start.systemCpu) / elapsed);
        report(prefix + "main_thread_cpu_percent",
               100.0 * (end.mainThreadCpu - start.mainThreadCpu) / elapsed);
        report(prefix + "rss_growth_kb", double(end.rssKb - start.rssKb));
        report(prefix + "wakeups_per_second", double(end.wakeups - start.wakeups) / elapsed);
        if (window) {
            reportPaints(prefix, end, elapsed);
            report(prefix + "data_pane_lines", double(dataPaneLines()));
            const std::vector<double> delays = statusPaints.takeDelays();
            report(prefix + "averages_delay_median_ms", percentile(delays, 0.5));
            report(prefix + "averages_delay_max_ms", percentile(delays, 1.0));
        }
        QCoreApplication::exit(0);
    }

    void reportPaints(const QByteArray &prefix, const Mark &end, double elapsed)
    {
        report(prefix + "graph_paints_per_second", double(end.graphPaints - start.graphPaints) / elapsed);
        report(prefix + "pane_paints_per_second", double(end.panePaints - start.panePaints) / elapsed);
        report(prefix + "history_paints_per_second", double(end.historyPaints - start.historyPaints) / elapsed);
    }

    int dataPaneLines() const
    {
        const auto *pane = window ? window->findChild<DataPane *>(QStringLiteral("dataBrowser")) : nullptr;
        return pane ? pane->lineCount() : 0;
    }

    void timedOut()
    {
        std::fprintf(stderr, "bench_endtoend: timed out after %lld frames\n",
                     static_cast<long long>(frames));
        report("timed_out_frames", double(frames));
        exitCode = 1;
        QCoreApplication::exit(1);
    }

    const Settings settings;
    Window *const window;
    qint64 frames = 0;
    QElapsedTimer wall;
    Mark start = {};
    LatencyProbe probe;
    PaintCounter graphPaints;
    PaintCounter panePaints;
    PaintCounter historyPaints;
    PaintDelay statusPaints;
    LinkQualityAverage averages;
    QTimer deadline;
    QTimer lineRateEnd;
    QTimer steadyEnd;
};

// Puts as many user-data lines into the window as its pane keeps, the way
// the listener reports them.
void fillDataPane(PortListener *listener)
{
    char bytes[Protocol::MaxUserDataBytes] = { 0x01, 0x23, 0x45, 0x67, char(0x89), char(0xAB) };
    for (int i = 0; i < DataPane::MaxLines; ++i) {
        bytes[0] = char(i);
        emit listener->reportData(bytes, Protocol::MaxUserDataBytes);
    }
    QCoreApplication::processEvents();
}

// Runs the event loop for a while. (QTest::qWait polls every 10 ms, which
// would count as wake-ups of our own.)
void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The window on a line that stays silent: what it costs to wait.
int measureIdle(double seconds)
{
    PseudoTerminal line;
    if (!line.isOpen())
        return 1;
    Window window;
    DialogDriver closer(&window, DialogDriver::Reject);
    window.show();
    window.connectDevice(line.slavePath());
    runEventLoop(1000); // settled: the request is out, the first paints done
    const qint64 before = wakeUps();
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    runEventLoop(int(seconds * 1000));
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    report("idle_seconds", elapsed);
    report("idle_wakeups_per_second", double(wakeUps() - before) / elapsed);
    report("idle_cpu_percent", 100.0 * (processCpuSeconds() - cpuBefore) / elapsed);
    return 0;
}

// User-data lines into a fresh window, the pane filling to its limit and
// trimming on: what the pane's lines cost in memory.
int measureDataMemory(int lines)
{
    Window window;
    DialogDriver closer(&window, DialogDriver::Reject);
    window.show();
    QBuffer silent;
    PortListener *listener = window.listen(&silent);
    QCoreApplication::processEvents();
    const long before = residentKiB();
    char bytes[Protocol::MaxUserDataBytes] = { 0x01, 0x23, 0x45, 0x67, char(0x89), char(0xAB) };
    constexpr int LinesPerRead = 20; // what a read at the line rate might bring
    for (int i = 0; i < lines; ++i) {
        bytes[0] = char(i);
        bytes[1] = char(i >> 8);
        emit listener->reportData(bytes, Protocol::MaxUserDataBytes);
        if (i % LinesPerRead == LinesPerRead - 1)
            QCoreApplication::processEvents();
    }
    runEventLoop(200);
    const long after = residentKiB();
    report("datamemory_lines", lines);
    report("datamemory_rss_start_kb", double(before));
    report("datamemory_rss_growth_kb", double(after - before));
    report("datamemory_pane_lines", double(window.findChild<DataPane *>(QStringLiteral("dataBrowser"))->lineCount()));
    return 0;
}

int usage(const char *message)
{
    std::fprintf(stderr, "bench_endtoend: %s\n", message);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("End-to-end figures of the monitor window."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("device"), QStringLiteral("Device to read."));
    const QCommandLineOption modeOption(QStringLiteral("mode"),
            QStringLiteral("flood, linerate, floor, idle or datamemory."), QStringLiteral("mode"),
            QStringLiteral("flood"));
    const QCommandLineOption framesOption(QStringLiteral("frames"),
            QStringLiteral("Volts frames of the first flood phase."), QStringLiteral("N"),
            QStringLiteral("1000000"));
    const QCommandLineOption steadyOption(QStringLiteral("steady"),
            QStringLiteral("Seconds of flood measured after that."), QStringLiteral("S"),
            QStringLiteral("20"));
    const QCommandLineOption warmupOption(QStringLiteral("warmup"),
            QStringLiteral("Volts frames before measuring starts."), QStringLiteral("N"),
            QStringLiteral("1000"));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"),
            QStringLiteral("Seconds measured in linerate and floor modes."), QStringLiteral("S"),
            QStringLiteral("30"));
    const QCommandLineOption fillOption(QStringLiteral("fill-pane"),
            QStringLiteral("Start with a full data pane."));
    const QCommandLineOption historyOption(QStringLiteral("history"),
            QStringLiteral("Open the flight history window too."));
    const QCommandLineOption noLogbookOption(QStringLiteral("no-logbook"),
            QStringLiteral("Keep no flight in the logbook."));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
            QStringLiteral("Give up after this many seconds."), QStringLiteral("S"),
            QStringLiteral("600"));
    const QCommandLineOption shareOption(QStringLiteral("share"),
            QStringLiteral("Share the session through this broker too."), QStringLiteral("URL"));
    parser.addOptions({ modeOption, framesOption, steadyOption, warmupOption, secondsOption,
                        fillOption, historyOption, noLogbookOption, timeoutOption, shareOption });
    parser.process(app);
    const QString mode = parser.value(modeOption);
    if (mode == QLatin1String("idle"))
        return measureIdle(std::max(1.0, parser.value(secondsOption).toDouble()));
    if (mode == QLatin1String("datamemory"))
        return measureDataMemory(30000);
    if (parser.positionalArguments().size() != 1)
        return usage("give the device to read");
    const QString device = parser.positionalArguments().constFirst();

    Settings settings;
    if (mode == QLatin1String("flood"))
        settings.mode = Settings::Mode::Flood;
    else if (mode == QLatin1String("linerate"))
        settings.mode = Settings::Mode::LineRate;
    else if (mode == QLatin1String("floor"))
        settings.mode = Settings::Mode::Floor;
    else
        return usage("--mode is flood, linerate, floor, idle or datamemory");
    settings.floodFrames = std::max<qint64>(1, parser.value(framesOption).toLongLong());
    settings.steadySeconds = std::max(1.0, parser.value(steadyOption).toDouble());
    settings.warmupFrames = std::max<qint64>(1, parser.value(warmupOption).toLongLong());
    settings.seconds = std::max(1.0, parser.value(secondsOption).toDouble());
    settings.timeoutSeconds = std::max(1.0, parser.value(timeoutOption).toDouble());

    if (settings.mode == Settings::Mode::Floor) {
        // The port as the window sets it up, the listener and its timer, and
        // nothing to show the frames on.
        SerialConnection connection(device, defaultByIdFolder());
        if (!connection.link()->open())
            return usage("cannot open the device");
        connection.listener()->timer.start();
        Run run(settings, connection.listener(), nullptr);
        const int code = app.exec();
        return code != 0 ? code : run.exitCode;
    }

    Window window;
    window.logbookControl()->setKeeping(!parser.isSet(noLogbookOption));
    // The device is given on the command line instead.
    DialogDriver closer(&window, DialogDriver::Reject);
    window.show(); // returns once the port dialog is closed
    window.connectDevice(device);
    auto *listener = window.findChild<PortListener *>();
    if (!listener)
        return usage("the window has no listener");
    if (parser.isSet(fillOption))
        fillDataPane(listener);
    if (parser.isSet(historyOption))
        window.historyControl()->openWindow();
    if (parser.isSet(shareOption))
        window.shareControl()->shareTo(BrokerAddress::parse(parser.value(shareOption)));

    Run run(settings, listener, &window);
    const int code = app.exec();
    return code != 0 ? code : run.exitCode;
}
