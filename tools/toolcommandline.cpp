#include "toolcommandline.h"

#include "devicepath.h"
#include "usageerror.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

ToolCommandLine::ToolCommandLine(const QString &program, const QString &description)
{
    QCoreApplication::setApplicationName(program);
    QCoreApplication::setApplicationVersion(QStringLiteral(DUPLINK_VERSION));
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addVersionOption();
}

void ToolCommandLine::addDeviceOption(const QString &help)
{
    deviceOption.setDescription(help);
    //: The value of a command-line option, as in --device <path>
    deviceOption.setValueName(tr("path"));
    parser.addOption(deviceOption);
}

void ToolCommandLine::addDeviceArgument(const QString &help)
{
    deviceIsArgument = true;
    //: The command line's positional argument, in the help's usage line and list of arguments
    parser.addPositionalArgument(tr("device"), help);
}

QCommandLineOption ToolCommandLine::addOption(const QCommandLineOption &option)
{
    parser.addOption(option);
    return option;
}

void ToolCommandLine::addRunLimits(const QString &durationHelp, const QString &framesHelp)
{
    duration.setDescription(durationHelp);
    //: The value of a command-line option, as in --duration <seconds>
    duration.setValueName(tr("seconds"));
    frames.setDescription(framesHelp);
    parser.addOptions({ duration, frames });
}

void ToolCommandLine::process()
{
    if (!parser.parse(QCoreApplication::arguments()))
        usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(); // exits
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion(); // exits
    checkPositionalArguments();
}

void ToolCommandLine::checkPositionalArguments() const
{
    const QStringList positional = parser.positionalArguments();
    if (!deviceIsArgument && !positional.isEmpty())
        usageError(tr("unexpected argument '%1'").arg(positional.first()));
    if (deviceIsArgument && positional.isEmpty())
        usageError(tr("no device given"));
    if (deviceIsArgument && (positional.size() > 1 || positional.first().isEmpty()))
        usageError(tr("one device only"));
}

QString ToolCommandLine::device() const
{
    if (deviceIsArgument)
        return serialDevicePath(parser.positionalArguments().first());
    return parser.value(deviceOption);
}

qint64 ToolCommandLine::durationMs() const
{
    if (!parser.isSet(duration))
        return 0;
    bool ok = false;
    const double seconds = parser.value(duration).toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 1e6)
        usageError(tr("--duration wants a number of seconds above 0"));
    return std::max<qint64>(1, std::llround(seconds * 1000));
}

qint64 ToolCommandLine::frameLimit() const
{
    if (!parser.isSet(frames))
        return 0;
    bool ok = false;
    const qint64 limit = parser.value(frames).toLongLong(&ok);
    if (!ok || limit < 1)
        usageError(tr("--frames wants a whole number above 0"));
    return limit;
}

void ToolCommandLine::usageError(const QString &message) const
{
    std::exit(reportUsageError(message));
}
