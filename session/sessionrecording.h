#ifndef SESSIONRECORDING_H
#define SESSIONRECORDING_H

#include "sessionsink.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class PortListener;

// Records a session as the listener decodes it, for the window and the
// recorder alike, through a sink: one line per frame (CSV or JSON Lines), or
// the raw bytes of every read with its time. The file is flushed once a
// second and when the recording ends. A write error ends the recording,
// keeping what was written.
class SessionRecording : public QObject
{
    Q_OBJECT

public:
    explicit SessionRecording(PortListener *listener, QObject *parent = nullptr);
    ~SessionRecording() override;

    // Creates (or replaces) the file in the format its name says
    // (SessionSink::forFile), or through the sink given. Nothing is written
    // down before begin().
    bool open(const QString &path) { return open(path, SessionSink::forFile(path)); }
    bool open(const QString &path, std::unique_ptr<SessionSink> sink);
    // What goes before the first frame (the CSV header), then every frame
    // decoded from now on.
    bool begin();
    // Flushes and closes; what was written stays.
    bool end();

    bool isActive() const { return active; }
    QString fileName() const { return path; }
    // Why the last call failed, or why the recording ended by itself.
    QString errorString() const { return error; }

signals:
    // A line was written for a frame (not counted for raw bytes).
    void frameWritten();
    // Writing failed; the recording has ended.
    void failed(const QString &reason);

private:
    static constexpr int FlushInterval = 1000; // ms

    void flush();
    void fail(const QString &reason);

    QPointer<PortListener> listener; // may go before the recording
    std::unique_ptr<SessionSink> sink;
    QString path;
    QTimer flushTimer;
    QString error;
    bool opened = false;
    bool active = false;
};

#endif
