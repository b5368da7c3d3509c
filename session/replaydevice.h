#ifndef REPLAYDEVICE_H
#define REPLAYDEVICE_H

#include "rawcapture.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QIODevice>
#include <QTimer>

// A raw capture played back as a read-only device: each recorded block
// becomes readable at its recorded time since the start, divided by the
// speed (0: as fast as the reader takes it). A listener reads it as it
// reads a serial port.
class ReplayDevice : public QIODevice
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

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

signals:
    // Every block has been released and read.
    void finished();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

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
    QByteArray released;
    qsizetype readUpTo = 0;
    bool done = false;
};

#endif
