#ifndef REPLAYDEVICE_H
#define REPLAYDEVICE_H

#include "blockdevice.h"
#include "rawcapture.h"

#include <QElapsedTimer>
#include <QTimer>

// A raw capture played back as a read-only device: each recorded block
// becomes readable at its recorded time since the start, divided by the
// speed (0: as fast as the reader takes it), timed by the wall-clock time
// it was recorded at (playedTime()).
class ReplayDevice : public BlockDevice
{
    Q_OBJECT

public:
    explicit ReplayDevice(QObject *parent = nullptr);

    // Checks the whole capture; a capture cut short in its last record is
    // played up to the cut (truncatedAt()).
    bool openCapture(const QString &path);
    qint64 truncatedAt() const { return capture.truncatedAt(); }
    QString errorString() const { return capture.errorString(); }

    // Starts the clock: the first block is readable at once.
    void play(double speed);

signals:
    // Every block has been released and read.
    void finished();

protected:
    void allRead() override;

private:
    static constexpr qsizetype MaxAhead = 64 * 1024; // bytes released ahead of the reader at speed 0

    void releaseDue();
    bool due(const RawCapture::Record &record) const;
    void checkFinished();

    RawCapture capture;
    RawCapture::Record next;
    bool hasNext = false;
    qint64 firstMs = 0;
    double speed = 1;
    QElapsedTimer clock;
    QTimer pacer;
    bool done = false;
};

#endif
