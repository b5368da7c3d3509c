#include "sessionrecording.h"

#include "portlistener.h"

SessionRecording::SessionRecording(PortListener *listener, QObject *parent)
    : QObject(parent), listener(listener)
{
    flushTimer.setInterval(FlushInterval);
    connect(&flushTimer, &QTimer::timeout, this, &SessionRecording::flush);
}

SessionRecording::~SessionRecording()
{
    end();
}

bool SessionRecording::open(const QString &fileName, std::unique_ptr<SessionSink> fileSink)
{
    sink = std::move(fileSink);
    connect(sink.get(), &SessionSink::frameWritten, this, &SessionRecording::frameWritten);
    connect(sink.get(), &SessionSink::writeFailed, this, &SessionRecording::fail);
    path = fileName;
    opened = sink->open(path);
    if (!opened)
        error = sink->errorString();
    return opened;
}

bool SessionRecording::begin()
{
    if (!opened || active || !listener)
        return active;
    if (!sink->start(*listener)) {
        error = sink->errorString();
        return false;
    }
    active = true;
    flushTimer.start();
    return true;
}

bool SessionRecording::end()
{
    if (listener && sink)
        listener->disconnect(sink.get());
    flushTimer.stop();
    const bool wasActive = active;
    active = false;
    if (!opened)
        return true;
    const bool flushed = sink->close();
    opened = false;
    if (!flushed && wasActive)
        error = sink->errorString();
    return flushed;
}

void SessionRecording::flush()
{
    if (!sink->flush())
        fail(sink->errorString());
}

void SessionRecording::fail(const QString &reason)
{
    if (!active)
        return;
    end();
    error = reason;
    emit failed(reason);
}
