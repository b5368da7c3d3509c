#ifndef LOGBOOKINDEX_H
#define LOGBOOKINDEX_H

#include "flightrecord.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

QT_BEGIN_NAMESPACE
class QSqlDatabase;
class QSqlQuery;
QT_END_NAMESPACE

// The logbook's index: a row per flight in an SQLite database in the flights
// folder (logbook.sqlite), so that the list shows without reading the
// captures again. The files are the truth and the index a cache of what
// they say, plus what only the index holds: the device, how a flight ended,
// its note and its pin.
//
// Several copies of Duplink share it: each has a connection of its own, the
// journal is a write-ahead log (readers never wait for a writer), and a
// writer waits up to BusyTimeoutMs for another. An index that is damaged is
// set aside (logbook.sqlite.damaged) and made anew; one that cannot be
// opened or written (held by another program past the wait, a folder that
// cannot be written) gives way to an index in memory for this run. Either
// way the files then tell what it lacks. No widgets.
class LogbookIndex
{
    Q_DECLARE_TR_FUNCTIONS(LogbookIndex)

public:
    static constexpr char FileName[] = "logbook.sqlite";
    static constexpr int BusyTimeoutMs = 5000;
    static constexpr int SchemaVersion = 1;

    enum class State { Closed, Shared, Fresh, Temporary };

    explicit LogbookIndex(const QString &folder);
    ~LogbookIndex();
    LogbookIndex(const LogbookIndex &) = delete;
    LogbookIndex &operator=(const LogbookIndex &) = delete;

    // Opens the folder's index, or what takes its place; says which.
    State open();
    State state() const { return current; }
    // Why the index is not the folder's shared one, or was made anew.
    QString problem() const { return trouble; }
    // Whether `name` is one of the index's own files, not a flight.
    static bool isIndexFile(const QString &name);

    std::vector<FlightRecord> flights() const;
    // The whole row: figures, device and ending; the note and pin stay.
    bool put(const FlightRecord &record);
    // What a scan of the file found: the device, note and pin stay, and so
    // does the ending unless the file itself says how it ended (damaged,
    // cut short); a flight no longer written is no longer in progress.
    bool putScanned(const FlightRecord &record);
    bool setEnding(const QString &file, FlightEnding ending);
    bool setNote(const QString &file, const QString &note);
    bool setPinned(const QString &file, bool pinned);
    bool remove(const QString &file);

private:
    QSqlDatabase database() const;
    State openAt(const QString &path);
    bool prepare(QString *nativeError);
    bool upsert(const FlightRecord &record, const char *onConflict);
    bool exec(QSqlQuery &query) const;

    const QString folder;
    const QString connection;
    State current = State::Closed;
    QString trouble;
};

#endif
