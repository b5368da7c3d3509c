#ifndef FRAMEGENERATOR_H
#define FRAMEGENERATOR_H

#include "modulesource.h"
#include "protocol.h"
#include "telemetrymodel.h"

#include <QElapsedTimer>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <random>

class LineWriter;

// Makes up what the module sends: volts frames at a steady rate, or as fast
// as the line takes them, with user data now and then; answers the request
// and the alarm commands with threshold frames from the alarms it keeps.
class FrameGenerator : public ModuleSource
{
    Q_OBJECT

public:
    struct Options
    {
        double rate = 20;        // volts frames per second
        int burst = 1;           // volts frames per paced write
        bool flood = false;      // write as fast as the line takes, unpaced
        bool noise = false;      // junk between frames, many stuffed bytes
        qint64 frameLimit = 0;   // end after this many volts frames; 0: never
        std::uint32_t seed = 0;
    };

    FrameGenerator(const Options &options, LineWriter &writer, QObject *parent = nullptr);

    void start() override;
    void stop() override;
    void commandHeard(const Command &command) override;

private:
    bool wantsMoreFrames() const;
    double periodMs() const;
    void sendDueFrames();
    void fillLine();

    void queueNextFrames();
    void queueThreshold(int alarmIndex);
    void queueFrame(const std::uint8_t *payload, std::size_t length);
    void queueJunk();
    std::uint8_t withEscapes(std::uint8_t value);

    const Options options;
    LineWriter &writer;
    TelemetryModel model;
    std::mt19937 lineNoise; // junk bytes and stuffing bait, part of the byte stream
    AlarmSetting alarms[Protocol::AlarmCount];
    QTimer pacer;
    QElapsedTimer clock;
    qint64 voltsQueued = 0;
    double nextDueMs = 0;
    bool stopped = false;
};

#endif
