#ifndef INDEXUPDATE_H
#define INDEXUPDATE_H

#include "flightrecord.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <vector>

QT_BEGIN_NAMESPACE
class QThread;
QT_END_NAMESPACE

// Captures scanned for their figures on threads of their own (FlightScan),
// so that a thousand flights to read again keep no window waiting: each
// record is handed over on the owner's thread as it is done.
class IndexUpdate : public QObject
{
    Q_OBJECT

public:
    // `paths` are scanned, at most `threads` at a time.
    IndexUpdate(const QStringList &paths, int threads, QObject *parent = nullptr);
    // Stops the scans, waiting for those under way.
    ~IndexUpdate() override;

    void start();
    // Scans no more; those under way end, and then finished() comes.
    void cancel();

    int total() const { return int(paths.size()); }
    int done() const { return scannedCount; }
    bool isFinished() const { return finishedCount == int(workers.size()); }

signals:
    void scanned(const FlightRecord &record);
    void progress(int done, int total);
    void finished();

private:
    void scanOne(int index);
    void workerFinished();

    const QStringList paths;
    std::vector<QThread *> workers;
    std::atomic<bool> cancelled{ false };
    int scannedCount = 0;
    int finishedCount = 0;
};

#endif
