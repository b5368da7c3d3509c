#ifndef SIMULATOR_H
#define SIMULATOR_H

#include "framecodec.h"
#include "rawcapture.h"
#include "telemetrymodel.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <random>

QT_BEGIN_NAMESPACE
class QSocketNotifier;
QT_END_NAMESPACE

class ModuleLine;

// Plays the telemetry module on an open line: sends volts frames at a steady
// rate with user data now and then, and answers the request frame and the
// alarm commands with threshold frames. Each command received is printed as
// one line on standard output. Or replays a raw capture instead: once the
// monitor has connected (its first command), sends the capture's bytes at the
// recorded pace, answers nothing (the capture holds the answers the module
// gave), and finishes at the end of the capture.
class Simulator : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        double rate = 20;        // volts frames per second
        bool flood = false;      // write as fast as the line takes, unpaced
        bool noise = false;      // junk between frames, split writes, many stuffed bytes
        qint64 frameLimit = 0;   // stop after this many volts frames; 0: never
        qint64 durationMs = 0;   // stop after this long; 0: never
        std::uint32_t seed = 0;
        RawCapture *replay = nullptr; // play this instead of generating frames
    };

    Simulator(ModuleLine &line, const Options &options, QObject *parent = nullptr);

    void start();

signals:
    // The run is over: the limits were reached and the line drained, or the
    // line failed (exit code 1).
    void finished(int exitCode);

private:
    struct Alarm
    {
        std::uint8_t value, comparison, level;
    };

    void sendDueFrames();
    void replayDueRecords();
    void startReplay();
    void refillAndFlush();
    void readCommands();
    void handleCommand(const std::uint8_t *payload, int length);

    void queueNextFrames();
    void queueThreshold(int alarmIndex);
    void queueFrame(const std::uint8_t *payload, std::size_t length);
    void queueJunk();
    std::uint8_t withEscapes(std::uint8_t value);
    void flush();

    bool wantsMoreFrames() const;
    void dropUnheardOutput();
    void beginFinish();
    void checkDrained();
    void lineFailed(const char *operation, int errorNumber);
    void finish(int exitCode);

    ModuleLine &line;
    const Options options;
    TelemetryModel model;
    FrameDecoder decoder;
    std::mt19937 lineNoise;  // junk bytes and stuffing bait, part of the byte stream
    std::mt19937 splitSizes; // write sizes; drawn as the line takes bytes, so kept apart
    Alarm alarms[Protocol::AlarmCount];

    QSocketNotifier *readNotifier = nullptr;
    QSocketNotifier *writeNotifier = nullptr;
    QTimer pacer;
    QTimer splitPause;
    QTimer deadline;
    QTimer drainCheck;
    QElapsedTimer clock;

    QByteArray pending; // encoded bytes the line has not taken yet
    RawCapture::Record nextRecord; // of the replay, once read
    bool hasNextRecord = false;
    bool replayStarted = false;
    qint64 voltsQueued = 0;
    double nextDueMs = 0;
    int lastSeenUnread = 0;
    qint64 lastHeardMs = 0;
    int lastUnread = -1;
    qint64 lastDrainProgressMs = 0;
    bool finishing = false;
    bool done = false;
};

#endif
