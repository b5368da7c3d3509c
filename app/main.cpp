#include "window.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

namespace {

void describeArguments(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
            "main", "Monitor and configure the telemetry module of a radio-control link."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
            QStringLiteral("device"),
            QCoreApplication::translate("main",
                    "Serial device to offer in the port dialog before the ports found on this "
                    "computer, such as /dev/pts/3 or /dev/serial/by-id/...; the first is chosen."),
            QStringLiteral("[device...]"));
}

int reportUsageError(const QCommandLineParser &parser)
{
    std::fprintf(stderr, "duplink: %s\nTry 'duplink --help' for more information.\n",
                 qPrintable(parser.errorText()));
    return 2;
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

// The toolkit's own options, which QApplication takes out of the arguments
// once it starts.
struct ToolkitOption
{
    const char *name;
    enum Form { Flag, WithValue, Joined } form; // Joined: -name=value
};
constexpr ToolkitOption ToolkitOptions[] = {
    { "platform", ToolkitOption::WithValue }, { "platformpluginpath", ToolkitOption::WithValue },
    { "platformtheme", ToolkitOption::WithValue }, { "plugin", ToolkitOption::WithValue },
    { "qwindowgeometry", ToolkitOption::WithValue }, { "geometry", ToolkitOption::WithValue },
    { "qwindowicon", ToolkitOption::WithValue }, { "icon", ToolkitOption::WithValue },
    { "qwindowtitle", ToolkitOption::WithValue }, { "title", ToolkitOption::WithValue },
    { "session", ToolkitOption::WithValue }, { "display", ToolkitOption::WithValue },
    { "style", ToolkitOption::WithValue }, { "stylesheet", ToolkitOption::WithValue },
    { "style=", ToolkitOption::Joined }, { "stylesheet=", ToolkitOption::Joined },
    { "qmljsdebugger=", ToolkitOption::Joined }, { "reverse", ToolkitOption::Flag },
    { "widgetcount", ToolkitOption::Flag }, { "nograb", ToolkitOption::Flag },
    { "dograb", ToolkitOption::Flag }, { "sync", ToolkitOption::Flag },
};

const ToolkitOption *toolkitOption(QString argument)
{
    if (argument.startsWith(QLatin1String("--"))) // the toolkit takes both spellings
        argument.remove(0, 1);
    for (const ToolkitOption &option : ToolkitOptions) {
        const QString dashed = QLatin1Char('-') + QLatin1String(option.name);
        if (option.form == ToolkitOption::Joined ? argument.startsWith(dashed) : argument == dashed)
            return &option;
    }
    return nullptr;
}

// The arguments without the toolkit's options (-platform offscreen,
// -style=fusion ...), which are not ours to judge.
QStringList withoutToolkitOptions(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const ToolkitOption *option = i > 0 ? toolkitOption(argument) : nullptr;
        if (!option)
            arguments << argument;
        else if (option->form == ToolkitOption::WithValue)
            ++i; // its value goes with it
    }
    return arguments;
}

// Help, version and usage errors are answered before the GUI starts, so they
// work without a display. Returns the exit code, or -1 to carry on.
int answerWithoutGui(int argc, char *argv[])
{
    const QStringList arguments = withoutToolkitOptions(argc, argv);
    QCommandLineParser parser;
    describeArguments(parser);
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help"))) {
        // Without an application object the parser cannot know our name.
        const QString help = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                       QStringLiteral("duplink"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("duplink %s\n", DUPLINK_VERSION);
        return 0;
    }
    // Without a display the toolkit cannot start (but for -platform
    // offscreen and the like), so an error is better reported now.
    if (!parsed && !hasDisplay())
        return reportUsageError(parser);
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
    QCommandLineParser parser;
    describeArguments(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        return reportUsageError(parser);
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(app); // prints the toolkit's options too, and exits

    Window window(parser.positionalArguments());
    QObject::connect(&window, &Window::connectionAbandoned, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
