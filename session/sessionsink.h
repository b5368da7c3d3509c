#ifndef SESSIONSINK_H
#define SESSIONSINK_H

#include <QObject>
#include <QString>

#include <memory>

class PortListener;

// Where a recording writes a session down: a line per decoded frame, or the
// raw bytes of every read (see RecordWriter and CaptureWriter).
class SessionSink : public QObject
{
    Q_OBJECT

public:
    // By the file name's extension: .jsonl JSON Lines, .raw a raw capture,
    // anything else CSV.
    static std::unique_ptr<SessionSink> forFile(const QString &path);

    // Creates (or replaces) the file; nothing of the session is written yet.
    virtual bool open(const QString &path) = 0;
    // Writes what goes before the first frame, then everything `listener`
    // reads from now on, until the listener is disconnected from the sink.
    virtual bool start(PortListener &listener) = 0;
    virtual bool flush() = 0;
    // Flushes and closes; what was written stays.
    virtual bool close() = 0;
    // Why the last call failed.
    virtual QString errorString() const = 0;

signals:
    // A line was written for a frame (not counted for raw bytes).
    void frameWritten();
    // Writing what the listener read failed.
    void writeFailed(const QString &reason);
};

#endif
