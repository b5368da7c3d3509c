#include "logbook.h"

#include "flightkeeper.h"
#include "flightscan.h"
#include "indexupdate.h"
#include "logbookindex.h"
#include "retention.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThread>

#include <cstring>
#include <utility>

#include <QHash>
#include <QLocale>

Logbook::Logbook(const LogbookSettings &settings, QObject *parent)
    : QObject(parent), kept(settings)
{
}

Logbook::~Logbook()
{
    delete updating; // waits for the scans under way
    finish();
}

QString Logbook::filePath(const QString &file) const
{
    return QDir(kept.folder).filePath(file);
}

LogbookIndex &Logbook::index()
{
    if (!opened) {
        QDir().mkpath(kept.folder);
        opened = std::make_unique<LogbookIndex>(kept.folder);
        opened->open();
    }
    return *opened;
}

std::vector<FlightRecord> Logbook::flights()
{
    return index().flights();
}

QString Logbook::cannotWriteReason() const
{
    if (!QDir().mkpath(kept.folder))
        return tr("the folder cannot be made");
    QTemporaryFile probe(QDir(kept.folder).filePath(QStringLiteral(".probe-XXXXXX")));
    return probe.open() ? QString() : probe.errorString();
}

bool Logbook::keep(PortListener *listener, const QString &deviceName)
{
    if (flightKeeper)
        return true;
    if (const QString reason = cannotWriteReason(); !reason.isEmpty()) {
        emit message(tr("Logbook off for this run: cannot write in %1 (%2). The setting logbook/folder "
                        "names another folder.")
                             .arg(QDir::toNativeSeparators(kept.folder), reason));
        return false;
    }
    device = deviceName;
    flightKeeper = new FlightKeeper(kept.folder, this);
    connect(flightKeeper, &FlightKeeper::flightStarted, this, &Logbook::flightStarted);
    connect(flightKeeper, &FlightKeeper::flightEnded, this, &Logbook::flightEnded);
    connect(flightKeeper, &FlightKeeper::failed, this, &Logbook::message);
    flightKeeper->follow(listener);
    if (IndexUpdate *running = update())
        connect(running, &IndexUpdate::finished, this, &Logbook::keepWithinRoom);
    else
        keepWithinRoom();
    return true;
}

void Logbook::linkChanged(bool lost)
{
    if (flightKeeper)
        flightKeeper->linkChanged(lost);
}

void Logbook::finish()
{
    if (flightKeeper)
        flightKeeper->finish();
}

void Logbook::flightStarted(const QString &path)
{
    FlightRecord record;
    record.file = QFileInfo(path).fileName();
    record.bytes = -1; // never the file's: scanned if nobody ends it
    record.start = QDateTime::currentMSecsSinceEpoch();
    record.device = device;
    record.ending = FlightEnding::InProgress;
    index().put(record);
    emit flightsChanged();
}

// The figures, worked out once; a flight too short to keep goes. What was
// written before a write failed stays, whatever its length.
void Logbook::flightEnded(const QString &path, FlightEnding ending)
{
    FlightRecord record = FlightScan::figures(path);
    const bool tooShort = record.durationMs < qint64(kept.minimumSeconds) * 1000;
    if (tooShort && ending != FlightEnding::WriteFailed && !record.isDamaged()) {
        QFile::remove(path);
        index().remove(record.file);
    } else {
        if (!record.isDamaged())
            record.ending = ending;
        record.device = device;
        index().put(record);
    }
    emit flightsChanged();
    keepWithinRoom();
}

std::vector<Logbook::FolderFile> Logbook::listFolder() const
{
    std::vector<FolderFile> files;
    const QFileInfoList found = QDir(kept.folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &info : found) {
        if (!LogbookIndex::isIndexFile(info.fileName()))
            files.push_back({ info.fileName(), info.size(), info.lastModified().toMSecsSinceEpoch() });
    }
    return files;
}

bool Logbook::isBeingWritten(const QString &file) const
{
    return QFile::exists(FlightKeeper::lockPath(kept.folder, file));
}

// The lock files whose writers are gone: their flights ended unexpectedly.
// Whoever takes such a lock says so in the index, then lets it go.
QStringList Logbook::recoverUnexpectedEnds()
{
    QStringList recovered;
    const QStringList locks = QDir(kept.folder).entryList({ QStringLiteral(".*.lock") },
                                                          QDir::Files | QDir::Hidden);
    for (const QString &lockName : locks) {
        QLockFile lock(QDir(kept.folder).filePath(lockName));
        lock.setStaleLockTime(0); // stale only when its process is gone
        if (!lock.tryLock(0))
            continue;
        const QString file = lockName.mid(1).chopped(int(std::strlen(".lock")));
        if (QFile::exists(filePath(file))) {
            FlightRecord record = FlightScan::figures(filePath(file));
            if (!record.isDamaged())
                record.ending = FlightEnding::Unexpected;
            index().putScanned(record);
            recovered << file;
        }
        lock.unlock();
    }
    return recovered;
}

IndexUpdate *Logbook::update()
{
    if (updating)
        return updating;
    LogbookIndex &rows = index();
    const bool recovered = !recoverUnexpectedEnds().isEmpty();
    QHash<QString, FlightRecord> known;
    for (FlightRecord &record : rows.flights())
        known.insert(record.file, std::move(record));
    QStringList toScan;
    for (const FolderFile &file : listFolder()) {
        const auto row = known.constFind(file.name);
        const bool same = row != known.cend() && row->bytes == file.bytes && row->modified == file.modified;
        if (!same && !isBeingWritten(file.name))
            toScan << filePath(file.name);
        known.remove(file.name);
    }
    for (auto gone = known.cbegin(); gone != known.cend(); ++gone)
        rows.remove(gone.key());
    if (recovered || !known.empty())
        emit flightsChanged();
    if (toScan.isEmpty()) {
        emit updateFinished();
        return nullptr;
    }
    updating = new IndexUpdate(toScan, QThread::idealThreadCount(), this);
    connect(updating, &IndexUpdate::scanned, this, [this](const FlightRecord &record) {
        index().putScanned(record);
    });
    connect(updating, &IndexUpdate::finished, this, [this] {
        std::exchange(updating, nullptr)->deleteLater();
        emit flightsChanged();
        emit updateFinished();
    });
    updating->start();
    return updating;
}

bool Logbook::setNote(const QString &file, const QString &note)
{
    const bool done = index().setNote(file, note);
    emit flightsChanged();
    return done;
}

bool Logbook::setPinned(const QString &file, bool pinned)
{
    const bool done = index().setPinned(file, pinned);
    emit flightsChanged();
    return done;
}

QString Logbook::moveToTrash(const QString &file)
{
    if (isBeingWritten(file))
        return tr("%1 is still being written").arg(file);
    // Qt 6.4 makes a trash in the working folder when the data folder the
    // desktop's trash lives in is not there yet.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QFile flight(filePath(file));
    if (!flight.moveToTrash())
        return tr("Cannot move %1 to the trash: %2").arg(QDir::toNativeSeparators(flight.fileName()),
                                                         flight.errorString());
    index().remove(file);
    emit flightsChanged();
    return {};
}

int Logbook::keepWithinRoom()
{
    QHash<QString, FlightRecord> known;
    for (FlightRecord &record : index().flights())
        known.insert(record.file, std::move(record));
    std::vector<Retention::Flight> flights;
    for (const FolderFile &file : listFolder()) {
        const auto row = known.constFind(file.name);
        const bool indexed = row != known.cend();
        flights.push_back({ file.name, file.bytes, indexed ? row->start : file.modified,
                            indexed && row->pinned, isBeingWritten(file.name) });
    }
    int deleted = 0;
    for (const QString &file : Retention::select(flights, kept.maxBytes())) {
        if (QFile::remove(filePath(file))) {
            index().remove(file);
            ++deleted;
        }
    }
    if (deleted > 0) {
        const QString room = QLocale().toString(kept.maxMegabytes);
        emit message(deleted == 1 ? tr("Logbook: deleted the oldest flight to keep within %1 MB (logbook/maxMegabytes)")
                                            .arg(room)
                                  : tr("Logbook: deleted the %1 oldest flights to keep within %2 MB "
                                       "(logbook/maxMegabytes)")
                                            .arg(deleted)
                                            .arg(room));
        emit flightsChanged();
    }
    return deleted;
}
