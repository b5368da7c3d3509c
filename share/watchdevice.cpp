#include "watchdevice.h"

#include "framecodec.h"

WatchDevice::WatchDevice(QObject *parent)
    : BlockDevice(parent)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void WatchDevice::addFrame(const std::uint8_t *payload, std::size_t length, qint64 ms)
{
    std::uint8_t wire[2 + 2 * Protocol::MaxStoredBytes];
    if (length == 0 || length > std::size_t(Protocol::MaxStoredBytes))
        return;
    const std::size_t size = stuffFrame(payload, length, wire);
    appendBlock(reinterpret_cast<const char *>(wire), qsizetype(size), ms);
    added = true;
}

void WatchDevice::announce()
{
    if (!added)
        return;
    added = false;
    emit readyRead();
}
