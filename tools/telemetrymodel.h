#ifndef TELEMETRYMODEL_H
#define TELEMETRYMODEL_H

#include "protocol.h"

#include <cstdint>
#include <random>

// What the simulated module measures over a short flight: two voltages that
// drift slowly, well inside the module's default alarms, until the battery
// behind volt 1 sags under load within the first minute, below its low
// alarm for several seconds, and recovers; and a link quality that stays
// high with an occasional fade. The same seed and rate give the same
// readings, frame by frame.
class TelemetryModel
{
public:
    // The module's default low alarm on volt 1, which only the sag crosses.
    static constexpr std::uint8_t Volt1LowAlarm = 110;

    struct Volts
    {
        std::uint8_t volt1, volt2, linkq, linkql;
    };

    TelemetryModel(std::uint32_t seed, double framesPerSecond);

    Volts nextVolts();
    // Fills 1..MaxUserDataBytes bytes and returns their count.
    int nextUserData(std::uint8_t (&bytes)[Protocol::MaxUserDataBytes]);

private:
    double uniform(double low, double high);

    std::mt19937 engine;
    double secondsPerFrame;
    long frame = 0;
    double drift1 = 0; // random walks on top of the slow sines
    double drift2 = 0;
    double sagStart = 0; // seconds into the flight
    double sagDepth = 0;
    double fadeSeconds = 0; // length of the current fade, 0 when none
    double fadeElapsed = 0;
    double fadeDepth = 0;
    double linkqlLevel = 220;
};

#endif
