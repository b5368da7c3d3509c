#ifndef TOOLCOMMANDLINE_H
#define TOOLCOMMANDLINE_H

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>

// The command line as the tools share it: the description, --help and
// --version, the device, --duration and --frames, and usage errors in one
// form: "PROGRAM: MESSAGE", a pointer to --help, and exit status 2.
class ToolCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(ToolCommandLine)

public:
    // Names the application `program`, at the version of this build.
    ToolCommandLine(const QString &program, const QString &description);

    // The device, either optional as --device or as the one positional
    // argument.
    void addDeviceOption(const QString &help);
    void addDeviceArgument(const QString &help);
    // Adds an option after those before it in the help, and returns it.
    QCommandLineOption addOption(const QCommandLineOption &option);
    void addRunLimits(const QString &durationHelp, const QString &framesHelp);

    // Parses the application's arguments. As QCommandLineParser::process(),
    // exits after --help, --version or a usage error.
    void process();

    bool isSet(const QCommandLineOption &option) const { return parser.isSet(option); }
    QString value(const QCommandLineOption &option) const { return parser.value(option); }
    const QCommandLineOption &framesOption() const { return frames; }
    // --device as given, or the positional argument as a serial device path.
    QString device() const;
    // The run limits, 0 when not set; a bad value is a usage error.
    qint64 durationMs() const;
    qint64 frameLimit() const;

    [[noreturn]] void usageError(const QString &message) const;

private:
    void checkPositionalArguments() const;

    QCommandLineParser parser;
    QCommandLineOption deviceOption{ QStringLiteral("device"), QString(), QStringLiteral("path") };
    QCommandLineOption duration{ QStringLiteral("duration"), QString(), QStringLiteral("seconds") };
    QCommandLineOption frames{ QStringLiteral("frames"), QString(), QStringLiteral("N") };
    bool deviceIsArgument = false;
};

#endif
