#include "portlistener.h"

#include <QIODevice>

#include <cstring>

PortListener::PortListener(QIODevice *port, QObject *parent)
    : QObject(parent), port(port)
{
    timer.setInterval(TimerInterval);
    connect(&timer, &QTimer::timeout, this, &PortListener::timeToReport);
    connect(port, &QIODevice::readyRead, this, &PortListener::receive);
    connect(port, &QIODevice::bytesWritten, this, &PortListener::reportWritten);
    connect(port, &QIODevice::aboutToClose, this, &PortListener::reportClose);
}

void PortListener::resetDecoder()
{
    decoder.reset();
}

void PortListener::receive()
{
    receiveScheduled = false;
    if (receiving) {
        // A receiver ran the event loop while we were decoding; decoding now
        // would interleave two blocks in one frame, so come back afterwards.
        scheduleReceive();
        return;
    }
    if (!port->isOpen())
        return;

    char buffer[ReadBlockSize];
    const qint64 count = port->read(buffer, ReadBlockSize);
    if (count <= 0)
        return;

    emit blockRead(QByteArray::fromRawData(buffer, count)); // no copy, cheap unheard
    receiving = true;
    decoder.decode(reinterpret_cast<const std::uint8_t *>(buffer), std::size_t(count),
                   [this](const std::uint8_t *payload, int length) { dispatch(payload, length); });
    receiving = false;

    // The device signals readyRead() only for newly arrived bytes, so a
    // backlog beyond one block would otherwise wait for the module's next send.
    if (port->isOpen() && port->bytesAvailable() > 0)
        scheduleReceive();
}

void PortListener::scheduleReceive()
{
    if (receiveScheduled)
        return;
    receiveScheduled = true;
    QMetaObject::invokeMethod(this, &PortListener::receive, Qt::QueuedConnection);
}

void PortListener::dispatch(const std::uint8_t *payload, int length)
{
    switch (frameKind(payload, length)) {
    case FrameKind::Volts:
        volts = { char(payload[1]), char(payload[2]), char(payload[3]), char(payload[4]) };
        emit reportVolts(volts.volt1, volts.volt2, volts.linkq, volts.linkql);
        break;
    case FrameKind::UserData: {
        const int count = payload[1];
        std::memcpy(data, payload + Protocol::UserDataHeaderLength, std::size_t(count));
        emit reportData(data, count);
        break;
    }
    case FrameKind::Threshold:
        threshold.index = static_cast<signed char>(thresholdIndex(payload));
        threshold.value = payload[1];
        threshold.comparison = static_cast<signed char>(payload[2]);
        threshold.level = static_cast<signed char>(payload[3]);
        emit reportThreshold(&threshold);
        break;
    case FrameKind::Ignored:
        break;
    }
}

// The port's write, close and DSR events, and the timer, change nothing.
void PortListener::reportWritten(qint64) { }
void PortListener::reportClose() { }
void PortListener::reportDsr(bool) { }
void PortListener::timeToReport() { }
