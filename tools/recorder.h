#ifndef RECORDER_H
#define RECORDER_H

#include "devicepath.h"
#include "portlistener.h"
#include "readtap.h"
#include "seriallink.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

class RawCapture;
class RecordWriter;

// Records the telemetry module's frames: opens the device as the monitor
// does, sends the request frame, and writes one line per decoded frame;
// optionally keeps the raw bytes too. A lost link is reopened as in the
// monitor. Link state goes to standard error.
class Recorder : public QObject
{
    Q_OBJECT

public:
    static constexpr int FlushInterval = 1000;     // ms, for output written in blocks

    struct Options
    {
        QString device;
        // An adapter with a link here is opened and reopened through it.
        QString byIdFolder = defaultByIdFolder();
        bool waitForDevice = true; // false: a device that does not open at start is fatal
        qint64 frameLimit = 0;     // stop after this many frames; 0: never
        qint64 durationMs = 0;     // stop after this long; 0: never
    };

    Recorder(const Options &options, RecordWriter &writer, RawCapture *raw,
             QObject *parent = nullptr);

    void start();
    // Writes out everything held back and ends the run with exitCode.
    void stop(int exitCode = 0);

signals:
    void finished(int exitCode);

private:
    bool isNotSerialDevice() const;
    void showOpenFailure(const QString &message);
    void sendRequest();
    void showStatus(const QString &message);
    void fail(const QString &message);

    void recordVolts(char volt1, char volt2, char linkq, char linkql);
    void recordThreshold(Threshold *threshold);
    void recordData(char *bytes, int length);
    void recordRaw(const QByteArray &bytes);
    void lineWritten(bool ok);
    void flushOutputs();

    const Options options;
    RecordWriter &writer;
    RawCapture *raw;
    QSerialPort port;
    ReadTap tap;
    PortListener listener;
    SerialLink link;
    QTimer flushTimer;
    QTimer deadline;
    QElapsedTimer clock;
    qint64 framesWritten = 0;
    bool stopped = false;
};

#endif
