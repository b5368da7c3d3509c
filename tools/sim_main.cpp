// duplink-sim: stands in for the telemetry module, so that the monitor can
// be run and tested without the hardware.

#include "moduleline.h"
#include "rawcapture.h"
#include "simulator.h"
#include "stopsignals.h"
#include "toolcommandline.h"

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

Settings parseArguments()
{
    ToolCommandLine commandLine(QStringLiteral("duplink-sim"), QStringLiteral(
            "Acts as the telemetry module of the radio-control link on a pseudo-terminal or a "
            "serial device. Prints the device to open as its first line, then one line per "
            "command received: 'request', or 'alarm N value V comparison C level L'."));
    commandLine.addDeviceOption(QStringLiteral(
            "Use this serial device (opened raw, 9600 8N1) instead of a new pseudo-terminal."));
    const QCommandLineOption link = commandLine.addOption({ QStringLiteral("link"),
            QStringLiteral("Also make a symbolic link here pointing to the device, replacing a "
                           "symbolic link already there; removed at exit."),
            QStringLiteral("path") });
    const QCommandLineOption rate = commandLine.addOption({ QStringLiteral("rate"),
            QStringLiteral("Volts frames per second (default 20, at most 1000)."),
            QStringLiteral("N"), QStringLiteral("20") });
    const QCommandLineOption burst = commandLine.addOption({ QStringLiteral("burst"),
            QStringLiteral("Send the volts frames N at a time, in one write, at the same average "
                           "rate (default 1), as an adapter that buffers does."),
            QStringLiteral("N"), QStringLiteral("1") });
    const QCommandLineOption seed = commandLine.addOption({ QStringLiteral("seed"),
            QStringLiteral("Seed of the generated data: the same seed gives the same frames."),
            QStringLiteral("N") });
    commandLine.addRunLimits(QStringLiteral("Quit after this many seconds."),
                             QStringLiteral("Quit after sending this many volts frames."));
    const QCommandLineOption flood = commandLine.addOption({ QStringLiteral("flood"),
            QStringLiteral("Send as fast as the line takes the bytes, ignoring --rate.") });
    const QCommandLineOption noise = commandLine.addOption({ QStringLiteral("noise"),
            QStringLiteral("Add line noise between frames, split the writes, and send many "
                           "values that need stuffing.") });
    const QCommandLineOption replay = commandLine.addOption({ QStringLiteral("replay"),
            QStringLiteral("Play back a capture made by duplink-record --raw at its recorded pace "
                           "instead of generating frames, from the monitor's first command on "
                           "(its request when it connects); commands are printed but not "
                           "answered. Quits at the end of the capture."),
            QStringLiteral("file") });
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
                commandLine.usageError(QStringLiteral("--replay cannot be combined with --%1")
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
                QStringLiteral("--rate wants a number of frames per second above 0, at most %1")
                        .arg(MaxRate));
    options.burst = commandLine.value(burst).toInt(&ok);
    if (!ok || options.burst < 1 || options.burst > MaxBurst)
        commandLine.usageError(QStringLiteral("--burst wants a whole number from 1 to %1").arg(MaxBurst));
    if (commandLine.isSet(seed)) {
        options.seed = commandLine.value(seed).toUInt(&ok);
        if (!ok)
            commandLine.usageError(QStringLiteral("--seed wants a whole number from 0 to 4294967295"));
    } else if (!commandLine.isSet(replay)) {
        options.seed = QRandomGenerator::global()->generate();
        // Printed so that an interesting run can be repeated.
        std::fprintf(stderr, "duplink-sim: seed %u\n", unsigned(options.seed));
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
    const Settings settings = parseArguments();

    StopSignals stopSignals;
    if (!stopSignals.isValid()) {
        std::fprintf(stderr, "duplink-sim: cannot watch for signals\n");
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
