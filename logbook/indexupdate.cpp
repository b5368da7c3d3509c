#include "indexupdate.h"

#include "flightscan.h"

#include <QThread>

#include <algorithm>

IndexUpdate::IndexUpdate(const QStringList &paths, int threads, QObject *parent)
    : QObject(parent), paths(paths)
{
    const int count = std::clamp(threads, 1, std::max(1, int(paths.size())));
    for (int first = 0; first < count; ++first) {
        QThread *worker = QThread::create([this, first, count] {
            for (int i = first; i < int(this->paths.size()) && !cancelled; i += count)
                scanOne(i);
        });
        connect(worker, &QThread::finished, this, &IndexUpdate::workerFinished);
        workers.push_back(worker);
    }
}

IndexUpdate::~IndexUpdate()
{
    cancel();
    for (QThread *worker : workers) {
        worker->wait();
        delete worker;
    }
}

void IndexUpdate::start()
{
    for (QThread *worker : workers)
        worker->start(QThread::LowPriority);
}

void IndexUpdate::cancel()
{
    cancelled = true;
}

// On a worker's thread; the record goes to the owner's.
void IndexUpdate::scanOne(int index)
{
    const FlightRecord record = FlightScan::figures(paths[index]);
    QMetaObject::invokeMethod(
            this,
            [this, record] {
                ++scannedCount;
                emit scanned(record);
                emit progress(scannedCount, total());
            },
            Qt::QueuedConnection);
}

void IndexUpdate::workerFinished()
{
    if (++finishedCount == int(workers.size()))
        emit finished();
}
