#include "replaydevice.h"

#include <algorithm>
#include <cmath>
#include <limits>

ReplayDevice::ReplayDevice(QObject *parent)
    : BlockDevice(parent)
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
        return unreadBytes() < MaxAhead;
    return double(record.ms - firstMs) <= double(clock.elapsed()) * speed;
}

void ReplayDevice::releaseDue()
{
    bool any = false;
    while (hasNext && due(next)) {
        appendBlock(next.bytes.constData(), next.bytes.size(), capture.startedAt() + next.ms);
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

// As fast as it is read: the next blocks once these are taken.
void ReplayDevice::allRead()
{
    if (speed <= 0 && hasNext && !pacer.isActive())
        pacer.start(0);
    else
        QMetaObject::invokeMethod(this, &ReplayDevice::checkFinished, Qt::QueuedConnection);
}

void ReplayDevice::checkFinished()
{
    if (done || hasNext || unreadBytes() > 0)
        return;
    done = true;
    emit finished();
}
