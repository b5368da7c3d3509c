#include "runlimits.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cmath>

QString RunLimits::read(const QCommandLineParser &parser, const QCommandLineOption &duration,
                        const QCommandLineOption &frames)
{
    bool ok = false;
    if (parser.isSet(duration)) {
        const double seconds = parser.value(duration).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 1e6)
            return QStringLiteral("--duration wants a number of seconds above 0");
        durationMs = std::max<qint64>(1, std::llround(seconds * 1000));
    }
    if (parser.isSet(frames)) {
        frameLimit = parser.value(frames).toLongLong(&ok);
        if (!ok || frameLimit < 1)
            return QStringLiteral("--frames wants a whole number above 0");
    }
    return {};
}
