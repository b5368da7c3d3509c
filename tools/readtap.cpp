#include "readtap.h"

ReadTap::ReadTap(QIODevice *source, QObject *parent)
    : QIODevice(parent), source(source)
{
    connect(source, &QIODevice::readyRead, this, &QIODevice::readyRead);
    // Unbuffered: a block is reported when the reader takes it, not when a
    // read-ahead buffer fills.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 ReadTap::bytesAvailable() const
{
    return QIODevice::bytesAvailable() + (source->isOpen() ? source->bytesAvailable() : 0);
}

qint64 ReadTap::readData(char *data, qint64 maxSize)
{
    if (!source->isOpen())
        return 0;
    const qint64 count = source->read(data, maxSize);
    if (count > 0)
        emit blockRead(QByteArray::fromRawData(data, count));
    return count;
}

qint64 ReadTap::writeData(const char *, qint64)
{
    return -1;
}
