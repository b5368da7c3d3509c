#ifndef SIMULATOR_H
#define SIMULATOR_H

#include "framecodec.h"
#include "framegenerator.h"
#include "linewriter.h"

#include <QObject>
#include <QTimer>

#include <cstdint>

QT_BEGIN_NAMESPACE
class QSocketNotifier;
QT_END_NAMESPACE

class ModuleLine;
class ModuleSource;
class RawCapture;

// Plays the telemetry module on an open line. What it sends comes from a
// FrameGenerator, or from a CaptureReplay when a capture is given, through
// one LineWriter. Each command the monitor sends is printed as one line on
// standard output and handed to the source.
class Simulator : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        FrameGenerator::Options frames;
        qint64 durationMs = 0;        // stop after this long; 0: never
        RawCapture *replay = nullptr; // play this instead of generating frames
    };

    Simulator(ModuleLine &line, const Options &options, QObject *parent = nullptr);

    void start();

signals:
    // The run is over: the source ended or the time is up, and the line
    // drained; or the line or the source failed (exit code 1).
    void finished(int exitCode);

private:
    void readCommands();
    void handleCommand(const std::uint8_t *payload, int length);
    void beginFinish();
    void sourceFailed(const QString &reason);
    // `message` (untranslated) names the device as %1 and the reason as %2.
    void lineFailed(const char *message, int errorNumber);
    void finish(int exitCode);

    ModuleLine &line;
    LineWriter writer;
    ModuleSource *source = nullptr;
    FrameDecoder decoder;
    QSocketNotifier *readNotifier = nullptr;
    QTimer deadline;
    const qint64 durationMs;
    bool finishing = false;
    bool done = false;
};

#endif
