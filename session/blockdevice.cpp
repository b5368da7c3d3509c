#include "blockdevice.h"

#include <algorithm>
#include <cstring>

BlockDevice::BlockDevice(QObject *parent)
    : QIODevice(parent)
{
}

void BlockDevice::appendBlock(const char *bytes, qsizetype size, qint64 ms)
{
    released.append(bytes, size);
    blockEnds.push_back({ released.size(), ms });
}

qint64 BlockDevice::bytesAvailable() const
{
    return unreadBytes() + QIODevice::bytesAvailable();
}

qint64 BlockDevice::readData(char *data, qint64 maxSize)
{
    if (readingBlock == blockEnds.size())
        return 0;
    const BlockEnd &block = blockEnds[readingBlock];
    const qint64 count = std::min<qint64>(maxSize, block.end - readUpTo);
    std::memcpy(data, released.constData() + readUpTo, size_t(count));
    readUpTo += count;
    playedMs = block.ms;
    if (readUpTo == block.end)
        ++readingBlock;
    if (readUpTo == released.size()) {
        released.resize(0); // keeps its room for the next blocks
        blockEnds.clear();
        readingBlock = 0;
        readUpTo = 0;
        allRead();
    }
    return count;
}

qint64 BlockDevice::writeData(const char *, qint64)
{
    return -1;
}
