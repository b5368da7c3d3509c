// duplink-record: writes the telemetry module's frames down as CSV or JSON
// Lines, and optionally the raw bytes for duplink-sim --replay.

#include "recorder.h"
#include "stopsignals.h"
#include "toolcommandline.h"
#include "translations.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {

// The command line, its texts translated under this name.
struct RecorderCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(RecorderCommandLine)

public:
    static Recorder::Options parse();
};

Recorder::Options RecorderCommandLine::parse()
{
    //: The column names, "volts", "threshold", "data" and the formats' names are
    //: written as they are in every language.
    ToolCommandLine commandLine(QStringLiteral("duplink-record"), tr(
            "Records the frames of the telemetry module of the radio-control link. Opens the "
            "device at 9600 8N1, asks the module for its alarm settings and writes one line per "
            "frame: CSV under a header naming the columns timestamp, kind, volt1, volt2, linkq, "
            "linkql, alarm, value, comparison, level and data, each row filling the columns of "
            "its kind (volts, threshold or data); or with --json one JSON object per line. "
            "Timestamps are UTC, ISO 8601 with milliseconds; alarm is 0 to 3 for alarms 1 to 4; "
            "data is the user-data bytes in hex. A lost device is reopened once a second. Stops "
            "on Ctrl+C, SIGTERM, or at the limits."));
    commandLine.addDeviceArgument(
            tr("Serial device, such as ttyUSB0, /dev/pts/3 or /dev/serial/by-id/..."));
    const QCommandLineOption output = commandLine.addOption(
            { QStringList{ QStringLiteral("o"), QStringLiteral("output") },
              tr("Write the lines to this file (replaced) instead of standard output."),
              tr("file") });
    const QCommandLineOption json = commandLine.addOption(
            { QStringLiteral("json"), tr("Write JSON Lines instead of CSV.") });
    const QCommandLineOption raw = commandLine.addOption({ QStringLiteral("raw"),
            tr("Also keep the bytes received, with the time of each read, in this "
               "file (replaced), for duplink-sim --replay."),
            tr("file") });
    commandLine.addRunLimits(tr("Stop after this many seconds."),
                             tr("Stop after this many frames of any kind."));
    const QCommandLineOption noWait = commandLine.addOption({ QStringLiteral("no-wait"),
            tr("Fail at once if the device cannot be opened at start, instead of "
               "waiting for it.") });
    commandLine.process();

    Recorder::Options options;
    options.device = commandLine.device();
    options.waitForDevice = !commandLine.isSet(noWait);
    options.output = commandLine.value(output);
    options.raw = commandLine.value(raw);
    if (commandLine.isSet(json))
        options.format = RecordWriter::Format::JsonLines;
    options.durationMs = commandLine.durationMs();
    options.frameLimit = commandLine.frameLimit();
    return options;
}

} // namespace

int main(int argc, char *argv[])
{
    // A reader of our output that went away is a write error to report, not
    // a reason to die before the files are flushed.
    std::signal(SIGPIPE, SIG_IGN);

    QCoreApplication app(argc, argv);
    installTranslations(app);
    Recorder recorder(RecorderCommandLine::parse());
    if (!recorder.openOutputs())
        return 1;

    StopSignals stopSignals;
    if (!stopSignals.isValid()) {
        std::fprintf(stderr, "duplink-record: %s\n",
                     qPrintable(RecorderCommandLine::tr("cannot watch for signals")));
        return 1;
    }
    QObject::connect(&stopSignals, &StopSignals::received, &recorder, [&recorder](int) {
        recorder.stop(0);
    });
    // Queued: a start that fails at once ends the run before the loop runs.
    QObject::connect(&recorder, &Recorder::finished, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    recorder.start();
    return app.exec();
}
