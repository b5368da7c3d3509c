#ifndef BLOCKDEVICE_H
#define BLOCKDEVICE_H

#include <QByteArray>
#include <QIODevice>

#include <vector>

// A read-only device whose bytes come in blocks, each with the wall-clock
// time it was received at (milliseconds since 1970-01-01 UTC). A listener
// reads it as it reads a serial port; a read ends at a block's end, as a
// read of the port did, so what a reader decodes from one read came at one
// time: playedTime(). A replayed capture and a watched session are read
// this way, and their reports keep the times they were received at.
class BlockDevice : public QIODevice
{
    Q_OBJECT

public:
    explicit BlockDevice(QObject *parent = nullptr);

    // The time of the block last read.
    qint64 playedTime() const { return playedMs; }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    // Readable from now on; the caller says so with readyRead().
    void appendBlock(const char *bytes, qsizetype size, qint64 ms);
    qsizetype unreadBytes() const { return released.size() - readUpTo; }
    // Every block appended has been read.
    virtual void allRead() { }

    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QByteArray released;
    qsizetype readUpTo = 0;
    // Where each block not yet read ends, with its time.
    struct BlockEnd
    {
        qsizetype end;
        qint64 ms;
    };
    std::vector<BlockEnd> blockEnds; // keeps its room, as released does
    std::size_t readingBlock = 0;
    qint64 playedMs = 0;
};

#endif
