#ifndef RAWCAPTURE_H
#define RAWCAPTURE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>

// The bytes received from the module, kept with the time each block was
// read, so that a session can be played back at its own pace. Written by
// duplink-record --raw and by the window's recording, played by
// duplink-sim --replay and duplink --replay.
//
// The file, all integers little-endian:
//   header: the 8 bytes "DUPLRAW1", then a uint64: the wall-clock time the
//           recording started, in milliseconds since 1970-01-01 UTC;
//   then one record per block read, to the end of the file:
//           uint64 milliseconds since the recording started (never less than
//           the record before), uint32 length (1 to MaxRecordLength), and
//           that many bytes as they came off the line.
class RawCapture
{
    Q_DECLARE_TR_FUNCTIONS(RawCapture)

public:
    struct Record
    {
        qint64 ms = 0;
        QByteArray bytes;
    };

    // Writing: truncates `path` and writes the header.
    bool create(const QString &path, qint64 startedAtMsSinceEpoch);
    bool append(qint64 ms, const QByteArray &bytes);
    bool flush();
    bool close();

    // Reading: checks the header and every record's framing up front, so a
    // damaged file is refused before anything is played. A file cut short
    // in its last record is refused too, unless `playWhatIsWhole`: then the
    // records before the cut are played and truncatedAt() says where.
    bool open(const QString &path, bool playWhatIsWhole = false);
    qint64 truncatedAt() const { return cutAt; }
    // When the recording started, in milliseconds since 1970-01-01 UTC.
    qint64 startedAt() const { return started; }
    // The next record; false at the end of the file or on a read error
    // (errorString() is then set).
    bool next(Record &record);

    QString errorString() const { return error; }

private:
    static constexpr char Magic[] = "DUPLRAW1";
    static constexpr int MagicLength = 8;
    static constexpr int HeaderLength = MagicLength + 8;
    static constexpr int RecordHeaderLength = 8 + 4;
    static constexpr quint32 MaxRecordLength = 1 << 20;

    bool fail(const QString &reason);
    bool checkRecords(bool playWhatIsWhole);
    template<typename ReadHeader>
    bool checkRecords(bool playWhatIsWhole, qint64 size, ReadHeader readHeader);

    QFile file;
    QString error;
    qint64 wholeUntil = 0; // where the last whole record ends
    qint64 cutAt = -1;     // where a record was cut short, or -1
    qint64 started = 0;
};

#endif
