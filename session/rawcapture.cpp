#include "rawcapture.h"

#include <QtEndian>

#include <cstring>

namespace {

void putUint64(char *at, qint64 value)
{
    qToLittleEndian<quint64>(quint64(value), at);
}

} // namespace

bool RawCapture::fail(const QString &reason)
{
    error = reason;
    return false;
}

bool RawCapture::create(const QString &path, qint64 startedAtMsSinceEpoch)
{
    file.setFileName(path);
    char header[HeaderLength];
    std::memcpy(header, Magic, MagicLength);
    putUint64(header + MagicLength, startedAtMsSinceEpoch);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(header, HeaderLength) != HeaderLength)
        return fail(tr("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

bool RawCapture::append(qint64 ms, const QByteArray &bytes)
{
    char header[RecordHeaderLength];
    putUint64(header, ms);
    qToLittleEndian<quint32>(quint32(bytes.size()), header + 8);
    if (file.write(header, RecordHeaderLength) != RecordHeaderLength
        || file.write(bytes) != bytes.size())
        return fail(tr("cannot write %1: %2").arg(file.fileName(), file.errorString()));
    return true;
}

bool RawCapture::close()
{
    const bool flushed = flush();
    file.close();
    return flushed;
}

bool RawCapture::flush()
{
    if (!file.isOpen() || file.flush())
        return true;
    // A write cut short by a full disk or a size limit gives no reason; the
    // rest, tried again, fails with one (or goes through after all).
    if (file.flush())
        return true;
    return fail(tr("cannot write %1: %2").arg(file.fileName(), file.errorString()));
}

bool RawCapture::open(const QString &path, bool playWhatIsWhole)
{
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(tr("cannot read %1: %2").arg(path, file.errorString()));
    char header[HeaderLength];
    if (file.read(header, HeaderLength) != HeaderLength
        || std::memcmp(header, Magic, MagicLength) != 0)
        return fail(tr("%1 is not a raw capture (made by duplink-record --raw)").arg(path));
    started = qint64(qFromLittleEndian<quint64>(header + MagicLength));
    if (!checkRecords(playWhatIsWhole))
        return false;
    return file.seek(HeaderLength)
            || fail(tr("cannot read %1: %2").arg(path, file.errorString()));
}

bool RawCapture::checkRecords(bool playWhatIsWhole)
{
    const qint64 size = file.size();
    // Mapped, the records' framing is checked without a call to the system
    // for each record (a seek each took most of the time); a file that cannot
    // be mapped is read a header at a time.
    uchar *mapped = size > HeaderLength ? file.map(0, size) : nullptr;
    const auto readHeader = [&](qint64 at, char *header) {
        if (!mapped)
            return file.seek(at) && file.read(header, RecordHeaderLength) == RecordHeaderLength;
        if (at + RecordHeaderLength > size)
            return false;
        std::memcpy(header, mapped + at, RecordHeaderLength);
        return true;
    };
    const bool checked = checkRecords(playWhatIsWhole, size, readHeader);
    if (mapped)
        file.unmap(mapped);
    return checked;
}

template<typename ReadHeader>
bool RawCapture::checkRecords(bool playWhatIsWhole, qint64 size, ReadHeader readHeader)
{
    qint64 at = HeaderLength;
    qint64 previousMs = 0;
    while (at < size) {
        char header[RecordHeaderLength];
        const bool headerWhole = readHeader(at, header);
        const quint32 length = headerWhole ? qFromLittleEndian<quint32>(header + 8) : 0;
        if (headerWhole) {
            const qint64 ms = qint64(qFromLittleEndian<quint64>(header));
            if (ms < previousMs || length == 0 || length > MaxRecordLength)
                return fail(tr("%1: damaged record at byte %2").arg(file.fileName(), QString::number(at)));
            previousMs = ms;
        }
        if (!headerWhole || at + RecordHeaderLength + length > size) {
            if (!playWhatIsWhole)
                return fail(tr("%1: truncated record at byte %2").arg(file.fileName(), QString::number(at)));
            cutAt = at;
            break;
        }
        at += RecordHeaderLength + length;
    }
    wholeUntil = at;
    return true;
}

bool RawCapture::next(Record &record)
{
    if (file.pos() >= wholeUntil)
        return false;
    char header[RecordHeaderLength];
    const qint64 got = file.read(header, RecordHeaderLength);
    if (got == 0)
        return false;
    if (got == RecordHeaderLength) {
        const quint32 length = qFromLittleEndian<quint32>(header + 8);
        record.ms = qint64(qFromLittleEndian<quint64>(header));
        record.bytes.resize(qsizetype(length)); // the record's room used again, when it is the only user
        if (file.read(record.bytes.data(), qint64(length)) == qint64(length))
            return true;
    }
    // The file was checked when opened; it changed, or cannot be read.
    return fail(tr("cannot read %1: %2").arg(file.fileName(), file.errorString()));
}
