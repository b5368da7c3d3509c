#ifndef RUNLIMITS_H
#define RUNLIMITS_H

#include <QString>

class QCommandLineOption;
class QCommandLineParser;

// The --duration and --frames options the tools share, read and checked.
struct RunLimits
{
    qint64 durationMs = 0; // 0: no limit
    qint64 frameLimit = 0; // 0: no limit

    // Returns the usage error, or an empty string when the values are good.
    QString read(const QCommandLineParser &parser, const QCommandLineOption &duration,
                 const QCommandLineOption &frames);
};

#endif
