#ifndef RECORDER_H
#define RECORDER_H

#include "devicepath.h"
#include "recordwriter.h"
#include "serialconnection.h"
#include "sessionrecording.h"

#include <QObject>
#include <QTimer>

// Records the telemetry module's frames: opens the device as the monitor
// does, sends the request frame, and writes one line per decoded frame;
// optionally keeps the raw bytes too. A lost link is reopened as in the
// monitor. Link state goes to standard error.
class Recorder : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString device;
        // An adapter with a link here is opened and reopened through it.
        QString byIdFolder = defaultByIdFolder();
        bool waitForDevice = true; // false: a device that does not open at start is fatal
        qint64 frameLimit = 0;     // stop after this many frames; 0: never
        qint64 durationMs = 0;     // stop after this long; 0: never
        QString output;            // empty or "-": standard output
        RecordWriter::Format format = RecordWriter::Format::Csv;
        QString raw;               // empty: no raw capture
    };

    explicit Recorder(const Options &options, QObject *parent = nullptr);

    // Creates the output files, before the device is tried: a typo in a
    // file name should not wait for the device. Says why on failure.
    bool openOutputs();
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
    void countFrame();

    const Options options;
    SerialConnection connection;
    SerialLink &link;
    SessionRecording lines;
    SessionRecording raw;
    QTimer deadline;
    qint64 framesWritten = 0;
    bool stopped = false;
};

#endif
