#include "testframes.h"

#include "framecodec.h"

const QByteArray RequestFrame = hex("7E F8 00 00 00 00 00 00 00 00 7E");
const QByteArray RequestLine = "alarmset1:ffffffff,fffffff8,0,0,0\n";

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text); // passes over the blanks
}

QByteArray wireFrame(const QByteArray &payload)
{
    QByteArray wire(2 + 2 * payload.size(), '\0');
    wire.resize(qsizetype(stuffFrame(reinterpret_cast<const std::uint8_t *>(payload.constData()),
                                     std::size_t(payload.size()),
                                     reinterpret_cast<std::uint8_t *>(wire.data()))));
    return wire;
}

QByteArray voltsFrame(quint8 volt1, quint8 volt2, quint8 linkq, quint8 linkql)
{
    const char payload[] = { char(Protocol::VoltsType), char(volt1), char(volt2), char(linkq),
                             char(linkql) };
    return wireFrame(QByteArray(payload, sizeof payload));
}

QByteArray thresholdFrame(int row, quint8 value, quint8 comparison, quint8 level)
{
    const char payload[] = { char(Protocol::alarmCommand(row - 1)), char(value), char(comparison), char(level) };
    return wireFrame(QByteArray(payload, sizeof payload));
}

QList<QByteArray> sessionFrames()
{
    QList<QByteArray> frames;
    for (int i = 0; i < 20; ++i)
        frames << voltsFrame(quint8(90 + i), quint8(0x7E), quint8(200 - i), quint8(50 + i));
    frames << hex("7E FC 64 01 01 7E") << hex("7E FA 7D 5E 01 02 7E")
           << hex("7E FD 03 00 0A FF 7D 5E 7E") << hex("7E FD 01 00 05 7E");
    return frames;
}
