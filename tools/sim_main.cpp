// duplink-sim: stands in for the telemetry module, so that the monitor can
// be run and tested without the hardware.

#include "moduleline.h"
#include "rawcapture.h"
#include "simulator.h"
#include "stopsignals.h"
#include "toolcommandline.h"
#include "translations.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <csignal>
#include <cstdio>

namespace {

constexpr double MaxRate = 1000; // the pacer works in whole milliseconds
constexpr int MaxBurst = 32;      // frames per write: well within the paced backlog

struct Settings
{
    QString device;
    QString link;
    QString replay;
    Simulator::Options simulator;
};

// The command line, its texts translated under this name.
struct SimulatorCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(SimulatorCommandLine)

public:
    static Settings parse();
};

Settings SimulatorCommandLine::parse()
{
    //: 'request' and 'alarm N value V comparison C level L' are printed as they
    //: are in every language.
    ToolCommandLine commandLine(QStringLiteral("duplink-sim"), tr(
            "Acts as the telemetry module of the radio-control link on a pseudo-terminal or a "
            "serial device. Prints the device to open as its first line, then one line per "
            "command received: 'request', or 'alarm N value V comparison C level L'."));
    commandLine.addDeviceOption(tr(
            "Use this serial device (opened raw, 9600 8N1) instead of a new pseudo-terminal."));
    const QCommandLineOption link = commandLine.addOption({ QStringLiteral("link"),
            tr("Also make a symbolic link here pointing to the device, replacing a "
               "symbolic link already there; removed at exit."),
            tr("path") });
    const QCommandLineOption rate = commandLine.addOption({ QStringLiteral("rate"),
            tr("Volts frames per second (default 20, at most 1000)."),
            QStringLiteral("N"), QStringLiteral("20") });
    const QCommandLineOption burst = commandLine.addOption({ QStringLiteral("burst"),
            tr("Send the volts frames N at a time, in one write, at the same average "
               "rate (default 1), as an adapter that buffers does."),
            QStringLiteral("N"), QStringLiteral("1") });
    const QCommandLineOption seed = commandLine.addOption({ QStringLiteral("seed"),
            tr("Seed of the generated data: the same seed gives the same frames."),
            QStringLiteral("N") });
    commandLine.addRunLimits(tr("Quit after this many seconds."),
                             tr("Quit after sending this many volts frames."));
    const QCommandLineOption flood = commandLine.addOption({ QStringLiteral("flood"),
            tr("Send as fast as the line takes the bytes, ignoring --rate.") });
    const QCommandLineOption noise = commandLine.addOption({ QStringLiteral("noise"),
            tr("Add line noise between frames, split the writes, and send many "
               "values that need stuffing.") });
    const QCommandLineOption replay = commandLine.addOption({ QStringLiteral("replay"),
            tr("Play back a capture made by duplink-record --raw at its recorded pace "
               "instead of generating frames, from the monitor's first command on "
               "(its request when it connects); commands are printed but not "
               "answered. Quits at the end of the capture."),
            tr("file") });
    commandLine.process();

    Settings settings;
    settings.device = commandLine.device();
    settings.link = commandLine.value(link);
    settings.replay = commandLine.value(replay);
    if (commandLine.isSet(replay)) {
        // The capture decides what is sent and when.
        for (const QCommandLineOption *generating :
             { &rate, &burst, &seed, &commandLine.framesOption(), &flood, &noise }) {
            if (commandLine.isSet(*generating))
                commandLine.usageError(tr("--replay cannot be combined with --%1")
                                               .arg(generating->names().first()));
        }
    }
    FrameGenerator::Options &options = settings.simulator.frames;
    options.flood = commandLine.isSet(flood);
    options.noise = commandLine.isSet(noise);

    bool ok = false;
    options.rate = commandLine.value(rate).toDouble(&ok);
    if (!ok || !(options.rate > 0) || options.rate > MaxRate)
        commandLine.usageError(
                tr("--rate wants a number of frames per second above 0, at most %1")
                        .arg(MaxRate));
    options.burst = commandLine.value(burst).toInt(&ok);
    if (!ok || options.burst < 1 || options.burst > MaxBurst)
        commandLine.usageError(tr("--burst wants a whole number from 1 to %1").arg(MaxBurst));
    if (commandLine.isSet(seed)) {
        options.seed = commandLine.value(seed).toUInt(&ok);
        if (!ok)
            commandLine.usageError(tr("--seed wants a whole number from 0 to 4294967295"));
    } else if (!commandLine.isSet(replay)) {
        options.seed = QRandomGenerator::global()->generate();
        // Printed so that an interesting run can be repeated.
        std::fprintf(stderr, "duplink-sim: %s\n", qPrintable(tr("seed %1").arg(options.seed)));
    }
    settings.simulator.durationMs = commandLine.durationMs();
    options.frameLimit = commandLine.frameLimit();
    return settings;
}

} // namespace

int main(int argc, char *argv[])
{
    // Each line reaches a pipe as soon as it is printed; and a reader that
    // went away must not kill us before the link is cleaned up.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::signal(SIGPIPE, SIG_IGN);

    QCoreApplication app(argc, argv);
    installTranslations(app);
    const Settings settings = SimulatorCommandLine::parse();

    StopSignals stopSignals;
    if (!stopSignals.isValid()) {
        std::fprintf(stderr, "duplink-sim: %s\n",
                     qPrintable(SimulatorCommandLine::tr("cannot watch for signals")));
        return 1;
    }
    QObject::connect(&stopSignals, &StopSignals::received, &app,
                     [](int) { QCoreApplication::exit(0); });

    // Checked before the line is made, so a bad capture leaves nothing behind.
    Simulator::Options options = settings.simulator;
    RawCapture capture;
    if (!settings.replay.isEmpty()) {
        if (!capture.open(settings.replay)) {
            std::fprintf(stderr, "duplink-sim: %s\n", qPrintable(capture.errorString()));
            return 1;
        }
        options.replay = &capture;
    }

    ModuleLine line;
    const bool opened = settings.device.isEmpty() ? line.openPseudoTerminal()
                                                   : line.openDevice(settings.device);
    if (!opened || (!settings.link.isEmpty() && !line.makeLink(settings.link))) {
        std::fprintf(stderr, "duplink-sim: %s\n", qPrintable(line.errorString()));
        return 1;
    }
    std::printf("%s\n", qPrintable(line.devicePath()));
    std::fflush(stdout);

    Simulator simulator(line, options);
    QObject::connect(&simulator, &Simulator::finished, &app, &QCoreApplication::exit);
    simulator.start();
    return app.exec();
}
