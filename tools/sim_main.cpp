// duplink-sim: stands in for the telemetry module, so that the monitor can
// be run and tested without the hardware.

#include "moduleline.h"
#include "rawcapture.h"
#include "runlimits.h"
#include "simulator.h"
#include "stopsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <optional>

namespace {

constexpr double MaxRate = 1000; // the pacer works in whole milliseconds

struct Settings
{
    QString device;
    QString link;
    QString replay;
    Simulator::Options simulator;
};

int usageError(const QString &message)
{
    std::fprintf(stderr, "duplink-sim: %s\nTry 'duplink-sim --help' for more information.\n",
                 qPrintable(message));
    return 2;
}

std::optional<Settings> parseArguments(QCommandLineParser &parser, int &exitCode)
{
    parser.setApplicationDescription(QStringLiteral(
            "Acts as the telemetry module of the radio-control link on a pseudo-terminal or a "
            "serial device. Prints the device to open as its first line, then one line per "
            "command received: 'request', or 'alarm N value V comparison C level L'."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption device(QStringLiteral("device"),
            QStringLiteral("Use this serial device (opened raw, 9600 8N1) instead of a new "
                           "pseudo-terminal."),
            QStringLiteral("path"));
    const QCommandLineOption link(QStringLiteral("link"),
            QStringLiteral("Also make a symbolic link here pointing to the device, replacing a "
                           "symbolic link already there; removed at exit."),
            QStringLiteral("path"));
    const QCommandLineOption rate(QStringLiteral("rate"),
            QStringLiteral("Volts frames per second (default 20, at most 1000)."),
            QStringLiteral("N"), QStringLiteral("20"));
    const QCommandLineOption seed(QStringLiteral("seed"),
            QStringLiteral("Seed of the generated data: the same seed gives the same frames."),
            QStringLiteral("N"));
    const QCommandLineOption duration(QStringLiteral("duration"),
            QStringLiteral("Quit after this many seconds."), QStringLiteral("seconds"));
    const QCommandLineOption frames(QStringLiteral("frames"),
            QStringLiteral("Quit after sending this many volts frames."), QStringLiteral("N"));
    const QCommandLineOption flood(QStringLiteral("flood"),
            QStringLiteral("Send as fast as the line takes the bytes, ignoring --rate."));
    const QCommandLineOption noise(QStringLiteral("noise"),
            QStringLiteral("Add line noise between frames, split the writes, and send many "
                           "values that need stuffing."));
    const QCommandLineOption replay(QStringLiteral("replay"),
            QStringLiteral("Play back a capture made by duplink-record --raw at its recorded pace "
                           "instead of generating frames, from the monitor's first command on "
                           "(its request when it connects); commands are printed but not "
                           "answered. Quits at the end of the capture."),
            QStringLiteral("file"));
    parser.addOptions({ device, link, rate, seed, duration, frames, flood, noise, replay });

    exitCode = 2;
    if (!parser.parse(QCoreApplication::arguments())) {
        usageError(parser.errorText());
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(); // exits
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion(); // exits
    if (!parser.positionalArguments().isEmpty()) {
        usageError(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
        return std::nullopt;
    }

    Settings settings;
    settings.device = parser.value(device);
    settings.link = parser.value(link);
    settings.replay = parser.value(replay);
    if (parser.isSet(replay)) {
        // The capture decides what is sent and when.
        for (const QCommandLineOption *generating : { &rate, &seed, &frames, &flood, &noise }) {
            if (parser.isSet(*generating)) {
                usageError(QStringLiteral("--replay cannot be combined with --%1")
                                   .arg(generating->names().first()));
                return std::nullopt;
            }
        }
    }
    FrameGenerator::Options &options = settings.simulator.frames;
    options.flood = parser.isSet(flood);
    options.noise = parser.isSet(noise);

    bool ok = false;
    options.rate = parser.value(rate).toDouble(&ok);
    if (!ok || !(options.rate > 0) || options.rate > MaxRate) {
        usageError(QStringLiteral("--rate wants a number of frames per second above 0, at most %1")
                           .arg(MaxRate));
        return std::nullopt;
    }
    if (parser.isSet(seed)) {
        options.seed = parser.value(seed).toUInt(&ok);
        if (!ok) {
            usageError(QStringLiteral("--seed wants a whole number from 0 to 4294967295"));
            return std::nullopt;
        }
    } else if (!parser.isSet(replay)) {
        options.seed = QRandomGenerator::global()->generate();
        // Printed so that an interesting run can be repeated.
        std::fprintf(stderr, "duplink-sim: seed %u\n", unsigned(options.seed));
    }
    RunLimits limits;
    if (const QString error = limits.read(parser, duration, frames); !error.isEmpty()) {
        usageError(error);
        return std::nullopt;
    }
    settings.simulator.durationMs = limits.durationMs;
    options.frameLimit = limits.frameLimit;
    exitCode = 0;
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
    QCoreApplication::setApplicationName(QStringLiteral("duplink-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DUPLINK_VERSION));

    QCommandLineParser parser;
    int exitCode = 0;
    const std::optional<Settings> settings = parseArguments(parser, exitCode);
    if (!settings)
        return exitCode;

    StopSignals stopSignals;
    if (!stopSignals.isValid()) {
        std::fprintf(stderr, "duplink-sim: cannot watch for signals\n");
        return 1;
    }
    QObject::connect(&stopSignals, &StopSignals::received, &app,
                     [](int) { QCoreApplication::exit(0); });

    // Checked before the line is made, so a bad capture leaves nothing behind.
    Simulator::Options options = settings->simulator;
    RawCapture capture;
    if (!settings->replay.isEmpty()) {
        if (!capture.open(settings->replay)) {
            std::fprintf(stderr, "duplink-sim: %s\n", qPrintable(capture.errorString()));
            return 1;
        }
        options.replay = &capture;
    }

    ModuleLine line;
    const bool opened = settings->device.isEmpty() ? line.openPseudoTerminal()
                                                   : line.openDevice(settings->device);
    if (!opened || (!settings->link.isEmpty() && !line.makeLink(settings->link))) {
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
