#ifndef LOGBOOKSETTINGS_H
#define LOGBOOKSETTINGS_H

#include <QCoreApplication>
#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// What the user decides of the logbook, kept in the settings under
// logbook/: whether flights are kept, where, the shortest one kept, and how
// much room they may take. A value edited by hand into nonsense is named in
// one line on standard error, and its default used.
struct LogbookSettings
{
    Q_DECLARE_TR_FUNCTIONS(LogbookSettings)

public:
    static constexpr int DefaultMinimumSeconds = 10;
    static constexpr qint64 DefaultMaxMegabytes = 2048;
    static constexpr qint64 BytesPerMegabyte = 1024 * 1024;
    static constexpr int MaxMinimumSeconds = 24 * 3600;
    static constexpr qint64 MaxMegabytes = qint64(1) << 30; // a petabyte

    QString folder;
    bool keep = true;
    int minimumSeconds = DefaultMinimumSeconds;
    qint64 maxMegabytes = DefaultMaxMegabytes;

    qint64 maxBytes() const { return maxMegabytes * BytesPerMegabyte; }

    static LogbookSettings load(QSettings &settings);
    // duplink/flights in $XDG_DATA_HOME, or where the platform keeps a
    // user's data (~/.local/share on Linux).
    static QString defaultFolder();
};

#endif
