#include "sessionlog.h"

#include "portlistener.h"

#include <QDateTime>

SessionLog::Format SessionLog::formatFor(const QString &path)
{
    if (path.endsWith(QLatin1String(".jsonl"), Qt::CaseInsensitive))
        return Format::JsonLines;
    if (path.endsWith(QLatin1String(".raw"), Qt::CaseInsensitive))
        return Format::Raw;
    return Format::Csv;
}

SessionLog::SessionLog(PortListener *listener, QObject *parent)
    : QObject(parent), listener(listener)
{
    flushTimer.setInterval(FlushInterval);
    connect(&flushTimer, &QTimer::timeout, this, &SessionLog::flush);
}

SessionLog::~SessionLog()
{
    end();
}

bool SessionLog::open(const QString &fileName, Format fileFormat)
{
    format = fileFormat;
    path = fileName;
    opened = format == Format::Raw
            ? raw.create(path, QDateTime::currentMSecsSinceEpoch())
            : lines.open(path, format == Format::JsonLines ? RecordWriter::Format::JsonLines
                                                           : RecordWriter::Format::Csv);
    if (!opened)
        error = format == Format::Raw ? raw.errorString() : lines.errorString();
    return opened;
}

bool SessionLog::begin()
{
    if (!opened || active || !listener)
        return active;
    if (format != Format::Raw && !lines.writeHeader()) {
        error = lines.errorString();
        return false;
    }
    active = true;
    clock.start();
    if (format == Format::Raw) {
        connect(listener, &PortListener::blockRead, this, &SessionLog::writeBlock);
    } else {
        connect(listener, &PortListener::reportVolts, this, &SessionLog::writeVolts);
        connect(listener, &PortListener::reportThreshold, this, &SessionLog::writeThreshold);
        connect(listener, &PortListener::reportData, this, &SessionLog::writeData);
    }
    flushTimer.start();
    return true;
}

bool SessionLog::end()
{
    if (listener)
        disconnect(listener, nullptr, this, nullptr);
    flushTimer.stop();
    const bool wasActive = active;
    active = false;
    if (!opened)
        return true;
    const bool flushed = format == Format::Raw ? raw.close() : lines.close();
    opened = false;
    if (!flushed && wasActive)
        error = format == Format::Raw ? raw.errorString() : lines.errorString();
    return flushed;
}

void SessionLog::writeVolts(char volt1, char volt2, char linkq, char linkql)
{
    lineWritten(lines.writeVolts(quint8(volt1), quint8(volt2), quint8(linkq), quint8(linkql)));
}

void SessionLog::writeThreshold(Threshold *threshold)
{
    lineWritten(lines.writeThreshold(threshold->index, threshold->value,
                                     quint8(threshold->comparison), quint8(threshold->level)));
}

void SessionLog::writeData(char *bytes, int length)
{
    lineWritten(lines.writeData(bytes, length));
}

void SessionLog::lineWritten(bool ok)
{
    if (!ok)
        fail(lines.errorString());
    else
        emit frameWritten();
}

void SessionLog::writeBlock(const QByteArray &bytes)
{
    if (!raw.append(clock.elapsed(), bytes))
        fail(raw.errorString());
}

void SessionLog::flush()
{
    const bool ok = format == Format::Raw ? raw.flush() : lines.flush();
    if (!ok)
        fail(format == Format::Raw ? raw.errorString() : lines.errorString());
}

void SessionLog::fail(const QString &reason)
{
    if (!active)
        return;
    end();
    error = reason;
    emit failed(reason);
}
