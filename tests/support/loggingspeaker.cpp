#include "loggingspeaker.h"

#include <QFile>

LoggingSpeaker::LoggingSpeaker() : speakerBefore(qgetenv("DUPLINK_SPEAKER"))
{
    qputenv("DUPLINK_SPEAKER", DUPLINK_LOGGING_SPEAKER);
    qputenv("DUPLINK_SPOKEN", folder.filePath(QStringLiteral("spoken")).toUtf8());
}

LoggingSpeaker::~LoggingSpeaker()
{
    qputenv("DUPLINK_SPEAKER", speakerBefore);
}

QStringList LoggingSpeaker::said() const
{
    QFile log(folder.filePath(QStringLiteral("spoken")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
