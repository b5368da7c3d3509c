#ifndef SESSIONLOG_H
#define SESSIONLOG_H

#include "rawcapture.h"
#include "recordwriter.h"
#include "threshold.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class PortListener;

// Writes a session down as the listener decodes it, for the window and the
// recorder alike: one line per frame (CSV or JSON Lines), or the raw bytes
// of every read with its time. A file is flushed once a second and when the
// log ends. A write error ends the log, keeping what was written.
class SessionLog : public QObject
{
    Q_OBJECT

public:
    enum class Format { Csv, JsonLines, Raw };
    static constexpr int FlushInterval = 1000; // ms

    // By the file name's extension: .jsonl JSON Lines, .raw a raw capture,
    // anything else CSV.
    static Format formatFor(const QString &path);

    explicit SessionLog(PortListener *listener, QObject *parent = nullptr);
    ~SessionLog() override;

    // Creates (or replaces) the file; an empty path or "-" is standard
    // output (not for Raw). Nothing is written down before begin().
    bool open(const QString &path, Format format);
    // The CSV header, then every frame decoded from now on.
    bool begin();
    // Flushes and closes; what was written stays.
    bool end();

    bool isActive() const { return active; }
    QString fileName() const { return path; }
    // Why the last call failed, or why the log ended by itself.
    QString errorString() const { return error; }

signals:
    // A line was written for a frame (not counted for raw bytes).
    void frameWritten();
    // Writing failed; the log has ended.
    void failed(const QString &reason);

private:
    void writeVolts(char volt1, char volt2, char linkq, char linkql);
    void writeThreshold(Threshold *threshold);
    void writeData(char *bytes, int length);
    void writeBlock(const QByteArray &bytes);
    void lineWritten(bool ok);
    void flush();
    void fail(const QString &reason);

    QPointer<PortListener> listener; // may go before the log
    Format format = Format::Csv;
    QString path;
    RecordWriter lines;
    RawCapture raw;
    QElapsedTimer clock;
    QTimer flushTimer;
    QString error;
    bool opened = false;
    bool active = false;
};

#endif
