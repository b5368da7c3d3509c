#include "replaydevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

ReplayDevice::ReplayDevice(QObject *parent)
    : QIODevice(parent)
{
    pacer.setSingleShot(true);
    pacer.setTimerType(Qt::PreciseTimer);
    connect(&pacer, &QTimer::timeout, this, &ReplayDevice::releaseDue);
}

bool ReplayDevice::openCapture(const QString &path)
{
    if (!capture.open(path, true))
        return false;
    hasNext = capture.next(next);
    firstMs = hasNext ? next.ms : 0;
    // Unbuffered: the reader sees each block when it is due, not before.
    return open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void ReplayDevice::play(double playSpeed)
{
    speed = playSpeed;
    clock.start();
    pacer.start(0);
}

bool ReplayDevice::due(const RawCapture::Record &record) const
{
    if (speed <= 0)
        return released.size() - readUpTo < MaxAhead;
    return double(record.ms - firstMs) <= double(clock.elapsed()) * speed;
}

void ReplayDevice::releaseDue()
{
    bool any = false;
    while (hasNext && due(next)) {
        released.append(next.bytes);
        any = true;
        hasNext = capture.next(next);
    }
    if (hasNext && speed > 0) {
        const double waitMs = std::ceil(double(next.ms - firstMs) / speed - double(clock.elapsed()));
        pacer.start(int(std::clamp(waitMs, 0.0, double(std::numeric_limits<int>::max()))));
    }
    if (any)
        emit readyRead();
    checkFinished();
}

qint64 ReplayDevice::bytesAvailable() const
{
    return released.size() - readUpTo + QIODevice::bytesAvailable();
}

qint64 ReplayDevice::readData(char *data, qint64 maxSize)
{
    const qint64 count = std::min<qint64>(maxSize, released.size() - readUpTo);
    std::memcpy(data, released.constData() + readUpTo, size_t(count));
    readUpTo += count;
    if (readUpTo == released.size()) {
        released.resize(0); // keeps its room for the next blocks
        readUpTo = 0;
        // As fast as it is read: the next blocks once these are taken.
        if (speed <= 0 && hasNext && !pacer.isActive())
            pacer.start(0);
        else
            QMetaObject::invokeMethod(this, &ReplayDevice::checkFinished, Qt::QueuedConnection);
    }
    return count;
}

qint64 ReplayDevice::writeData(const char *, qint64)
{
    return -1;
}

void ReplayDevice::checkFinished()
{
    if (done || hasNext || readUpTo < released.size())
        return;
    done = true;
    emit finished();
}
