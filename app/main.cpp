#include "window.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

enum class ParseResult { Run, Error };

ParseResult parseArguments(QCommandLineParser &parser, const QStringList &arguments)
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
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "duplink: %s\nTry 'duplink --help' for more information.\n",
                     qPrintable(parser.errorText()));
        return ParseResult::Error;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(); // exits
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion(); // exits
    return ParseResult::Run;
}

} // namespace

int main(int argc, char *argv[])
{
    // Each diagnostic line reaches a pipe as soon as it is printed.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("duplink"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DUPLINK_VERSION));

    QCommandLineParser parser;
    if (parseArguments(parser, QCoreApplication::arguments()) == ParseResult::Error)
        return 2;

    Window window(parser.positionalArguments());
    QObject::connect(&window, &Window::connectionAbandoned, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
