// End-to-end figures for the whole monitor: the real Window, shown, reading a
// device (the simulator's pseudo-terminal) through its own PortListener.
//
//   bench_endtoend --mode flood DEVICE      while duplink-sim --flood writes:
//       frames/s kept up with, event-loop delay and resident memory, over the
//       first million frames (the data pane fills up on the way) and then
//       over --steady seconds more (the pane is full and trims as it grows)
//   bench_endtoend --mode linerate DEVICE   while duplink-sim --rate 137 writes:
//       process CPU time as a share of one core; --fill-pane starts with a
//       full data pane, as after half an hour at line rate
//   bench_endtoend --mode floor DEVICE      the same, with a bare listener on
//       the port and no window: what reading the line costs on this machine
//
// Run with QT_QPA_PLATFORM=offscreen. Figures are printed as "e2e key value"
// lines; the window's own diagnostics go to the same stdout and are skipped
// by readers that look for the prefix.

#include "datapane.h"
#include "dialogdriver.h"
#include "portlistener.h"
#include "processusage.h"
#include "protocol.h"
#include "window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEvent>
#include <QSerialPort>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
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

struct Settings
{
    enum class Mode { Flood, LineRate, Floor } mode = Mode::Flood;
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
        qint64 graphPaints, panePaints;
    };

    Mark mark() const
    {
        return { frames,
                 wall.nsecsElapsed(),
                 processCpuSeconds(),
                 threadCpuSeconds(),
                 residentKiB(),
                 graphPaints.paints,
                 panePaints.paints };
    }

    void count(char, char, char, char)
    {
        ++frames;
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
        reportPaints(prefix, end, elapsed);
        report(prefix + "data_pane_blocks", double(dataPaneBlocks()));
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
        report(prefix + "main_thread_cpu_percent",
               100.0 * (end.mainThreadCpu - start.mainThreadCpu) / elapsed);
        report(prefix + "rss_growth_kb", double(end.rssKb - start.rssKb));
        if (window) {
            reportPaints(prefix, end, elapsed);
            report(prefix + "data_pane_blocks", double(dataPaneBlocks()));
        }
        QCoreApplication::exit(0);
    }

    void reportPaints(const QByteArray &prefix, const Mark &end, double elapsed)
    {
        report(prefix + "graph_paints_per_second", double(end.graphPaints - start.graphPaints) / elapsed);
        report(prefix + "pane_paints_per_second", double(end.panePaints - start.panePaints) / elapsed);
    }

    int dataPaneBlocks() const
    {
        const auto *pane = window ? window->findChild<QTextBrowser *>(QStringLiteral("dataBrowser"))
                                  : nullptr;
        return pane ? pane->document()->blockCount() : 0;
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
            QStringLiteral("flood, linerate or floor."), QStringLiteral("mode"),
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
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
            QStringLiteral("Give up after this many seconds."), QStringLiteral("S"),
            QStringLiteral("600"));
    parser.addOptions({ modeOption, framesOption, steadyOption, warmupOption, secondsOption,
                        fillOption, timeoutOption });
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        return usage("give the device to read");
    const QString device = parser.positionalArguments().constFirst();

    Settings settings;
    const QString mode = parser.value(modeOption);
    if (mode == QLatin1String("flood"))
        settings.mode = Settings::Mode::Flood;
    else if (mode == QLatin1String("linerate"))
        settings.mode = Settings::Mode::LineRate;
    else if (mode == QLatin1String("floor"))
        settings.mode = Settings::Mode::Floor;
    else
        return usage("--mode is flood, linerate or floor");
    settings.floodFrames = std::max<qint64>(1, parser.value(framesOption).toLongLong());
    settings.steadySeconds = std::max(1.0, parser.value(steadyOption).toDouble());
    settings.warmupFrames = std::max<qint64>(1, parser.value(warmupOption).toLongLong());
    settings.seconds = std::max(1.0, parser.value(secondsOption).toDouble());
    settings.timeoutSeconds = std::max(1.0, parser.value(timeoutOption).toDouble());

    if (settings.mode == Settings::Mode::Floor) {
        // The port as the window sets it up, the listener and its timer, and
        // nothing to show the frames on.
        QSerialPort port(device);
        if (!port.open(QIODevice::ReadWrite))
            return usage("cannot open the device");
        port.setBaudRate(Protocol::BaudRate);
        PortListener listener(&port);
        QObject::connect(&port, &QIODevice::readyRead, &listener, &PortListener::receive);
        listener.timer.start();
        Run run(settings, &listener, nullptr);
        const int code = app.exec();
        return code != 0 ? code : run.exitCode;
    }

    Window window;
    // The device is given on the command line instead.
    DialogDriver closer(&window, DialogDriver::Reject);
    window.show(); // returns once the port dialog is closed
    window.connectDevice(device);
    auto *listener = window.findChild<PortListener *>();
    if (!listener)
        return usage("the window has no listener");
    if (parser.isSet(fillOption))
        fillDataPane(listener);

    Run run(settings, listener, &window);
    const int code = app.exec();
    return code != 0 ? code : run.exitCode;
}
