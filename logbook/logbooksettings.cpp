#include "logbooksettings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>

namespace {

// A whole number from `least` to `most`, or the fallback with a line saying
// why.
qint64 wholeNumber(QSettings &settings, const char *key, qint64 least, qint64 most, qint64 fallback)
{
    const QVariant kept = settings.value(QLatin1String(key));
    if (!kept.isValid())
        return fallback;
    bool ok = false;
    const qint64 value = kept.toString().trimmed().toLongLong(&ok);
    if (ok && value >= least && value <= most)
        return value;
    std::fprintf(stderr, "%s\n",
                 qPrintable(LogbookSettings::tr("Setting %1 is not usable: a whole number from %2 to %3 is "
                                                "needed. %4 is used")
                                    .arg(QLatin1String(key))
                                    .arg(least)
                                    .arg(most)
                                    .arg(fallback)));
    return fallback;
}

} // namespace

LogbookSettings LogbookSettings::load(QSettings &settings)
{
    LogbookSettings loaded;
    loaded.folder = settings.value(QStringLiteral("logbook/folder")).toString();
    if (loaded.folder.isEmpty())
        loaded.folder = defaultFolder();
    loaded.keep = settings.value(QStringLiteral("logbook/keep"), true).toBool();
    loaded.minimumSeconds = int(wholeNumber(settings, "logbook/minimumSeconds", 0, MaxMinimumSeconds,
                                            DefaultMinimumSeconds));
    loaded.maxMegabytes = wholeNumber(settings, "logbook/maxMegabytes", 1, MaxMegabytes, DefaultMaxMegabytes);
    return loaded;
}

QString LogbookSettings::defaultFolder()
{
    // XDG_DATA_HOME as written, so that it holds whatever QStandardPaths
    // makes of it (tests run it in a mode that would ignore it).
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QStringLiteral("duplink/flights"));
}
