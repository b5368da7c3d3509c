#include "logbookindex.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <cstdio>

namespace {

// SQLite's result codes of a file that is no database, or a damaged one.
const QStringList DamagedCodes{ QStringLiteral("11"), QStringLiteral("26") };
const QString MemoryOnly = QStringLiteral(":memory:");

QString newConnectionName()
{
    static std::atomic<int> made{ 0 };
    return QStringLiteral("duplink-logbook-%1").arg(++made);
}

// The columns after the file, in the order the queries bind them.
const char *const FigureColumns =
        "bytes, modified, start, duration, reports, device, low1, high1, mean1, low2, high2, mean2, "
        "low3, high3, mean3, trips1, trips2, trips3, trips4, lost_links, ending";

} // namespace

LogbookIndex::LogbookIndex(const QString &folder)
    : folder(folder), connection(newConnectionName())
{
}

LogbookIndex::~LogbookIndex()
{
    if (QSqlDatabase::contains(connection)) {
        database().close();
        QSqlDatabase::removeDatabase(connection);
    }
}

QSqlDatabase LogbookIndex::database() const
{
    return QSqlDatabase::database(connection, false);
}

bool LogbookIndex::isIndexFile(const QString &name)
{
    return name.startsWith(QLatin1String(FileName));
}

LogbookIndex::State LogbookIndex::open()
{
    if (current != State::Closed)
        return current;
    const QString path = QDir(folder).filePath(QLatin1String(FileName));
    current = openAt(path);
    if (current == State::Fresh) {
        // Set aside, not deleted: the notes and pins are in there.
        const QString aside = path + QLatin1String(".damaged");
        QFile::remove(aside);
        QFile::rename(path, aside);
        for (const char *journal : { "-wal", "-shm" })
            QFile::remove(path + QLatin1String(journal));
        trouble = tr("The logbook's index %1 was damaged; it is kept as %2 and made anew from the flights' files")
                          .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(aside));
        const State again = openAt(path);
        current = again == State::Shared ? State::Fresh : again;
    }
    if (current == State::Temporary && trouble.isEmpty())
        trouble = tr("Cannot use the logbook's index %1: its list is made from the files for this run")
                          .arg(QDir::toNativeSeparators(path));
    if (!trouble.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(trouble));
    return current;
}

// Shared when the file opened and has the table; Fresh when the file is
// damaged (the caller sets it aside); Temporary when only memory would do.
LogbookIndex::State LogbookIndex::openAt(const QString &path)
{
    if (QSqlDatabase::contains(connection)) {
        database().close();
        QSqlDatabase::removeDatabase(connection);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    QString code;
    if (db.open() && prepare(&code))
        return path == MemoryOnly ? State::Temporary : State::Shared;
    if (path != MemoryOnly && DamagedCodes.contains(code))
        return State::Fresh;
    if (path == MemoryOnly)
        return State::Closed;
    trouble = tr("Cannot use the logbook's index %1 (%2): its list is made from the files for this run")
                      .arg(QDir::toNativeSeparators(path), db.lastError().text());
    return openAt(MemoryOnly);
}

bool LogbookIndex::prepare(QString *nativeError)
{
    QSqlDatabase db = database();
    QSqlQuery query(db);
    const auto run = [&](const QString &statement) {
        if (query.exec(statement))
            return true;
        *nativeError = query.lastError().nativeErrorCode();
        return false;
    };
    if (!run(QStringLiteral("PRAGMA quick_check(1)")) || !query.next()
        || query.value(0).toString() != QLatin1String("ok")) {
        if (nativeError->isEmpty())
            *nativeError = DamagedCodes.constFirst();
        return false;
    }
    if (!run(QStringLiteral("PRAGMA journal_mode=WAL")) || !run(QStringLiteral("PRAGMA synchronous=NORMAL"))
        || !run(QStringLiteral("PRAGMA user_version")) || !query.next())
        return false;
    const int version = query.value(0).toInt();
    if (version != SchemaVersion && !run(QStringLiteral("DROP TABLE IF EXISTS flights")))
        return false;
    return run(QStringLiteral("CREATE TABLE IF NOT EXISTS flights (file TEXT PRIMARY KEY, bytes INTEGER, "
                              "modified INTEGER, start INTEGER, duration INTEGER, reports INTEGER, device TEXT, "
                              "low1 INTEGER, high1 INTEGER, mean1 REAL, low2 INTEGER, high2 INTEGER, mean2 REAL, "
                              "low3 INTEGER, high3 INTEGER, mean3 REAL, trips1 INTEGER, trips2 INTEGER, "
                              "trips3 INTEGER, trips4 INTEGER, lost_links INTEGER, ending INTEGER, "
                              "note TEXT NOT NULL DEFAULT '', pinned INTEGER NOT NULL DEFAULT 0)"))
            && run(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion));
}

bool LogbookIndex::exec(QSqlQuery &query) const
{
    if (query.exec())
        return true;
    std::fprintf(stderr, "%s\n",
                 qPrintable(tr("The logbook's index: %1").arg(query.lastError().text())));
    return false;
}

std::vector<FlightRecord> LogbookIndex::flights() const
{
    std::vector<FlightRecord> found;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT file, %1, note, pinned FROM flights").arg(QLatin1String(FigureColumns)));
    if (!exec(query))
        return found;
    while (query.next()) {
        FlightRecord record;
        int column = 0;
        const auto next = [&] { return query.value(column++); };
        record.file = next().toString();
        record.bytes = next().toLongLong();
        record.modified = next().toLongLong();
        record.start = next().toLongLong();
        record.durationMs = next().toLongLong();
        record.reports = next().toLongLong();
        record.device = next().toString();
        for (std::size_t c = 0; c < std::size_t(FlightRecord::Channels); ++c) {
            record.low[c] = next().toInt();
            record.high[c] = next().toInt();
            record.mean[c] = next().toDouble();
        }
        for (int &trips : record.trips)
            trips = next().toInt();
        record.lostLinks = next().toInt();
        record.ending = FlightEnding(next().toInt());
        record.note = next().toString();
        record.pinned = next().toBool();
        found.push_back(record);
    }
    return found;
}

bool LogbookIndex::upsert(const FlightRecord &record, const char *onConflict)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("INSERT INTO flights (file, %1) VALUES (?%2) ON CONFLICT(file) DO UPDATE SET %3")
                          .arg(QLatin1String(FigureColumns), QStringLiteral(", ?").repeated(21),
                               QLatin1String(onConflict)));
    query.addBindValue(record.file);
    for (const QVariant &value : { QVariant(record.bytes), QVariant(record.modified), QVariant(record.start),
                                   QVariant(record.durationMs), QVariant(record.reports), QVariant(record.device) })
        query.addBindValue(value);
    for (std::size_t c = 0; c < std::size_t(FlightRecord::Channels); ++c) {
        query.addBindValue(record.low[c]);
        query.addBindValue(record.high[c]);
        query.addBindValue(record.mean[c]);
    }
    for (const int trips : record.trips)
        query.addBindValue(trips);
    query.addBindValue(record.lostLinks);
    query.addBindValue(int(record.ending));
    return exec(query);
}

namespace {

const char *const ScannedColumns =
        "bytes = excluded.bytes, modified = excluded.modified, start = excluded.start, "
        "duration = excluded.duration, reports = excluded.reports, low1 = excluded.low1, "
        "high1 = excluded.high1, mean1 = excluded.mean1, low2 = excluded.low2, high2 = excluded.high2, "
        "mean2 = excluded.mean2, low3 = excluded.low3, high3 = excluded.high3, mean3 = excluded.mean3, "
        "trips1 = excluded.trips1, trips2 = excluded.trips2, trips3 = excluded.trips3, "
        "trips4 = excluded.trips4, lost_links = excluded.lost_links";

} // namespace

bool LogbookIndex::put(const FlightRecord &record)
{
    static const QByteArray update =
            QByteArray(ScannedColumns) + ", device = excluded.device, ending = excluded.ending";
    return upsert(record, update.constData());
}

bool LogbookIndex::putScanned(const FlightRecord &record)
{
    static const QByteArray update = QByteArray(ScannedColumns)
            + ", ending = CASE WHEN excluded.ending <> 0 THEN excluded.ending WHEN ending = "
            + QByteArray::number(int(FlightEnding::InProgress)) + " THEN 0 ELSE ending END";
    return upsert(record, update.constData());
}

bool LogbookIndex::setEnding(const QString &file, FlightEnding ending)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("UPDATE flights SET ending = ? WHERE file = ?"));
    query.addBindValue(int(ending));
    query.addBindValue(file);
    return exec(query);
}

bool LogbookIndex::setNote(const QString &file, const QString &note)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("UPDATE flights SET note = ? WHERE file = ?"));
    query.addBindValue(note);
    query.addBindValue(file);
    return exec(query);
}

bool LogbookIndex::setPinned(const QString &file, bool pinned)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("UPDATE flights SET pinned = ? WHERE file = ?"));
    query.addBindValue(pinned ? 1 : 0);
    query.addBindValue(file);
    return exec(query);
}

bool LogbookIndex::remove(const QString &file)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("DELETE FROM flights WHERE file = ?"));
    query.addBindValue(file);
    return exec(query);
}
