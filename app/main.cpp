#include "brokeraddress.h"
#include "flightswindow.h"
#include "historycontrol.h"
#include "logbook.h"
#include "logbookcontrol.h"
#include "logbooksettings.h"
#include "replaydevice.h"
#include "sharecontrol.h"
#include "toolkitoptions.h"
#include "translations.h"
#include "usageerror.h"
#include "window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Made before any translator is installed: describeArguments() translates
// their descriptions and value names.
const QCommandLineOption RecordOption(
        QStringLiteral("record"),
        QT_TRANSLATE_NOOP("main",
                "Record the session to this file from the moment the link is up: CSV, JSON Lines "
                "(.jsonl) or a raw capture (.raw), by the file's extension."),
        //: The value of a command-line option, as in --record <file>
        QT_TRANSLATE_NOOP("main", "file"));
const QCommandLineOption ReplayOption(
        QStringLiteral("replay"),
        QT_TRANSLATE_NOOP("main",
                "Play a raw capture (made by duplink-record --raw or recorded from the window) "
                "at its recorded pace instead of opening a port."),
        QT_TRANSLATE_NOOP("main", "file"));
const QCommandLineOption SpeedOption(
        QStringLiteral("speed"),
        QT_TRANSLATE_NOOP("main",
                "With --replay: play N times faster (default 1; 0 as fast as possible)."),
        QStringLiteral("N"), QStringLiteral("1"));
const QCommandLineOption HistoryOption(
        QStringLiteral("history"),
        QT_TRANSLATE_NOOP("main",
                "Open the flight history window too (Ctrl+H): every report since the start against "
                "time; with --replay --speed 0, the whole capture at once."));
const QCommandLineOption FlightsOption(
        QStringLiteral("flights"),
        QT_TRANSLATE_NOOP("main",
                "Open the Flights window alone (Ctrl+L in the main window): the logbook of every "
                "flight kept, without a port; closing it ends the program."));
const QCommandLineOption NoLogbookOption(
        QStringLiteral("no-logbook"),
        QT_TRANSLATE_NOOP("main", "Keep no flight in the logbook during this run."));

const QCommandLineOption ShareOption(
        QStringLiteral("share"),
        QT_TRANSLATE_NOOP("main",
                "Share the session through an MQTT broker under the base topic BASE, whatever the "
                "settings say: reports, user data, alarms, channels and status (mqtts:// for TLS; "
                "user name, password and CA file from the \"Share over MQTT\" settings)."),
        //: The value of --share and --watch: a broker's address and a base topic
        QT_TRANSLATE_NOOP("main", "mqtt://HOST[:PORT]/BASE"));
const QCommandLineOption WatchOption(
        QStringLiteral("watch"),
        QT_TRANSLATE_NOOP("main",
                "Watch a session another Duplink shares through an MQTT broker, instead of opening a "
                "port; nothing is sent to its module."),
        QT_TRANSLATE_NOOP("main", "mqtt://HOST[:PORT]/BASE"));

QCommandLineOption translated(QCommandLineOption option)
{
    option.setDescription(QCoreApplication::translate("main", option.description().toUtf8()));
    option.setValueName(QCoreApplication::translate("main", option.valueName().toUtf8()));
    return option;
}

void describeArguments(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
            "main", "Monitor and configure the telemetry module of a radio-control link."));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const QCommandLineOption &option :
         { RecordOption, ReplayOption, SpeedOption, HistoryOption, FlightsOption, NoLogbookOption, ShareOption,
           WatchOption })
        parser.addOption(translated(option));
    parser.addPositionalArgument(
            //: The command line's positional argument, in the help's list of arguments
            QCoreApplication::translate("main", "device"),
            QCoreApplication::translate("main",
                    "Serial device to offer in the port dialog before the ports found on this "
                    "computer, such as /dev/pts/3 or /dev/serial/by-id/...; the first is chosen."),
            //: The positional arguments in the help's usage line: any number of devices
            QCoreApplication::translate("main", "[device...]"));
}

// What the options ask for beyond the parser's own checks; empty when they
// make sense.
QString checkOptions(const QCommandLineParser &parser)
{
    if (parser.isSet(SpeedOption) && !parser.isSet(ReplayOption))
        return QCoreApplication::translate("main", "--speed goes with --replay");
    bool ok = false;
    const double speed = parser.value(SpeedOption).toDouble(&ok);
    if (!ok || !(speed >= 0) || !std::isfinite(speed))
        return QCoreApplication::translate("main", "--speed wants a number, 0 or more");
    if (parser.isSet(ReplayOption) && !parser.positionalArguments().isEmpty())
        return QCoreApplication::translate("main", "--replay plays a file; name no device with it");
    const bool withSession = !parser.positionalArguments().isEmpty() || parser.isSet(ReplayOption)
            || parser.isSet(RecordOption) || parser.isSet(HistoryOption) || parser.isSet(ShareOption)
            || parser.isSet(WatchOption);
    if (parser.isSet(FlightsOption) && withSession)
        return QCoreApplication::translate("main", "--flights opens the logbook alone; name no device, --replay, "
                                                   "--record, --history, --share or --watch with it");
    if (parser.isSet(WatchOption)
        && (parser.isSet(ReplayOption) || parser.isSet(ShareOption) || !parser.positionalArguments().isEmpty()))
        return QCoreApplication::translate("main", "--watch shows a shared session; name no device, "
                                                   "replay or share with it");
    for (const QCommandLineOption &option : { ShareOption, WatchOption }) {
        QString problem;
        if (parser.isSet(option) && !BrokerAddress::parse(parser.value(option), &problem).isValid())
            return QStringLiteral("--%1: %2").arg(option.names().constFirst(), problem);
    }
    return {};
}

// A file to record to must be one we can write, before any window opens;
// standard output ("-") is always there.
bool canCreate(const QString &path)
{
    if (path == QLatin1String("-"))
        return true;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    std::fprintf(stderr, "duplink: %s\n",
                 qPrintable(QCoreApplication::translate("main", "cannot write %1: %2")
                                    .arg(path, file.errorString())));
    return false;
}

bool hasDisplay()
{
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" }) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

// Help, version and usage errors are answered before the GUI starts, so they
// work without a display. Returns the exit code, or -1 to carry on.
int answerWithoutGui(int argc, char *argv[])
{
    // Translators need an application object; this one, named "duplink" for
    // the usage line whatever path we were run by, goes before the GUI's.
    int nameOnlyCount = 1;
    char name[] = "duplink";
    char *nameOnly[] = { name, nullptr };
    QCoreApplication app(nameOnlyCount, nameOnly);
    installTranslations(app);

    const QStringList arguments = withoutToolkitOptions(argc, argv);
    QCommandLineParser parser;
    describeArguments(parser);
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("duplink %s\n", DUPLINK_VERSION);
        return 0;
    }
    // Without a display the toolkit cannot start (but for -platform
    // offscreen and the like), so an error is better reported now.
    if (!hasDisplay()) {
        if (!parsed)
            return reportUsageError(parser.errorText());
        if (const QString problem = checkOptions(parser); !problem.isEmpty())
            return reportUsageError(problem);
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Each diagnostic line reaches a pipe as soon as it is printed.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // Settings land in the user's config folder: duplink/duplink.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("duplink"));
    QCoreApplication::setApplicationName(QStringLiteral("duplink"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DUPLINK_VERSION));

    if (const int exitCode = answerWithoutGui(argc, argv); exitCode >= 0)
        return exitCode;

    QApplication app(argc, argv);
    installTranslations(app);
    QCommandLineParser parser;
    describeArguments(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        return reportUsageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(app); // prints the toolkit's options too, and exits
    if (const QString problem = checkOptions(parser); !problem.isEmpty())
        return reportUsageError(problem);

    if (parser.isSet(FlightsOption)) {
        QSettings settings;
        Logbook logbook(LogbookSettings::load(settings));
        FlightsWindow flights(&logbook);
        flights.show();
        return app.exec();
    }

    // A capture that cannot be played is refused before the window opens.
    ReplayDevice replay;
    const QString replayPath = parser.value(ReplayOption);
    if (!replayPath.isEmpty()) {
        if (!replay.openCapture(replayPath)) {
            std::fprintf(stderr, "duplink: %s\n", qPrintable(replay.errorString()));
            return 1;
        }
        if (replay.truncatedAt() >= 0)
            std::fprintf(stderr, "duplink: %s\n",
                         qPrintable(QCoreApplication::translate(
                                 "main", "%1 stops short at byte %2; playing what is whole")
                                            .arg(replayPath, QString::number(replay.truncatedAt()))));
    }
    const QString recordPath = parser.value(RecordOption);
    if (!recordPath.isEmpty() && !canCreate(recordPath))
        return 1;

    Window window(parser.positionalArguments());
    QObject::connect(&window, &Window::connectionAbandoned, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (!recordPath.isEmpty())
        window.recordFromLinkUp(recordPath);
    if (parser.isSet(NoLogbookOption))
        window.logbookControl()->setKeeping(false);
    if (!replayPath.isEmpty()) {
        window.showReplay(&replay, QFileInfo(replayPath).fileName());
        replay.play(parser.value(SpeedOption).toDouble());
    }
    if (parser.isSet(ShareOption))
        window.shareControl()->shareTo(BrokerAddress::parse(parser.value(ShareOption)));
    if (parser.isSet(WatchOption))
        window.watch(BrokerAddress::parse(parser.value(WatchOption)));
    window.show();
    if (parser.isSet(HistoryOption))
        window.historyControl()->openWindow();
    return app.exec();
}
