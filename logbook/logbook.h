#ifndef LOGBOOK_H
#define LOGBOOK_H

#include "flightrecord.h"
#include "indexupdate.h"
#include "logbooksettings.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class FlightKeeper;
class LogbookIndex;
class PortListener;

// Every flight kept, in a folder of raw captures with an index beside them:
// the keeper writes the flights of a session kept, the index lists them
// with their figures, and the room they take stays within the settings'
// bounds. What the Flights window and the main window both use. No
// widgets.
//
// The files are the truth: update() brings the index up to date with them
// (files added, changed or removed by hand, a flight a program that died
// left with its lock, a damaged index made anew), scanning what it does not
// know on threads of their own.
class Logbook : public QObject
{
    Q_OBJECT

public:
    explicit Logbook(const LogbookSettings &settings, QObject *parent = nullptr);
    ~Logbook() override;

    const LogbookSettings &settings() const { return kept; }
    QString folder() const { return kept.folder; }
    QString filePath(const QString &file) const;

    // Keeps every flight the listener reports from now on, with the
    // device's name in the index; brings the index up to date meanwhile and
    // the flights within their room. False, with a message, when the folder
    // cannot be written: no flight is kept this run.
    bool keep(PortListener *listener, const QString &device);
    void linkChanged(bool lost);
    // Ends the flight in progress (the window closes).
    void finish();
    // The keeper, once keep() has made one.
    FlightKeeper *keeper() const { return flightKeeper; }

    // Opened at first use.
    LogbookIndex &index();
    std::vector<FlightRecord> flights();
    // Starts bringing the index up to date with the folder's files; the
    // update under way, or none when nothing needs scanning.
    IndexUpdate *update();
    IndexUpdate *runningUpdate() const { return updating; }
    // Whether a copy of Duplink (this one too) is writing the file.
    bool isBeingWritten(const QString &file) const;

    bool setNote(const QString &file, const QString &note);
    bool setPinned(const QString &file, bool pinned);
    // Moves a flight's file to the desktop's trash and forgets it; why it
    // could not, or nothing.
    QString moveToTrash(const QString &file);
    // Deletes the oldest flights that are not pinned until the rest fit in
    // logbook/maxMegabytes, and says so; how many went.
    int keepWithinRoom();

signals:
    // What the user should hear of: flights deleted for room, the folder or
    // a file that cannot be written.
    void message(const QString &text);
    // The index changed: a flight started, ended, was scanned or went.
    void flightsChanged();
    void updateFinished();

private:
    struct FolderFile
    {
        QString name;
        qint64 bytes = 0;
        qint64 modified = 0;
    };

    std::vector<FolderFile> listFolder() const;
    QStringList recoverUnexpectedEnds();
    void flightStarted(const QString &path);
    void flightEnded(const QString &path, FlightEnding ending);
    QString cannotWriteReason() const;

    const LogbookSettings kept;
    std::unique_ptr<LogbookIndex> opened;
    FlightKeeper *flightKeeper = nullptr;
    QString device;
    QPointer<IndexUpdate> updating;
};

#endif
