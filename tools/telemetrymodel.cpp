#include "telemetrymodel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double MeanSecondsBetweenFades = 20;
constexpr double Volt1Middle = 150;
constexpr double Volt1Swing = 8; // of its slow sine
constexpr double Volt1Drift = 6; // bound of its random walk
constexpr double SagSeconds = 20;
constexpr double SagLeast = 60;
constexpr double SagMost = 75;

// The flight keeps to the low alarm but for the sag, which always crosses it.
static_assert(Volt1Middle - Volt1Swing - Volt1Drift > TelemetryModel::Volt1LowAlarm);
static_assert(Volt1Middle + Volt1Swing + Volt1Drift - SagLeast < TelemetryModel::Volt1LowAlarm);

std::uint8_t toByte(double value)
{
    return std::uint8_t(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

TelemetryModel::TelemetryModel(std::uint32_t seed, double framesPerSecond)
    : engine(seed), secondsPerFrame(1.0 / framesPerSecond)
{
    sagStart = uniform(15, 25);
    sagDepth = uniform(SagLeast, SagMost);
}

// Drawn from the engine's raw output rather than a standard distribution,
// whose results differ between library implementations.
double TelemetryModel::uniform(double low, double high)
{
    return low + (high - low) * (double(engine()) / 4294967296.0);
}

TelemetryModel::Volts TelemetryModel::nextVolts()
{
    const double t = double(frame++) * secondsPerFrame;

    // A random step per second of time, bounded, so that the voltages wander
    // at the same pace whatever the frame rate.
    const double step = 3.0 * std::sqrt(secondsPerFrame);
    drift1 = std::clamp(drift1 + uniform(-step, step), -Volt1Drift, Volt1Drift);
    drift2 = std::clamp(drift2 + uniform(-step, step), -15.0, 15.0);
    const double intoSag = (t - sagStart) / SagSeconds;
    const double sag = intoSag > 0 && intoSag < 1 ? sagDepth * std::pow(std::sin(Pi * intoSag), 2) : 0;
    const double volt1 = Volt1Middle + Volt1Swing * std::sin(2 * Pi * t / 30) + drift1 - sag;
    const double volt2 = 120 + 20 * std::sin(2 * Pi * t / 47 + 1.3) + drift2;

    double linkq = 228 + 18 * std::sin(2 * Pi * t / 11) + uniform(-6, 6);
    if (fadeSeconds == 0 && uniform(0, 1) < secondsPerFrame / MeanSecondsBetweenFades) {
        fadeSeconds = uniform(0.5, 2.5);
        fadeElapsed = 0;
        fadeDepth = uniform(60, 160);
    }
    if (fadeSeconds > 0) {
        linkq -= fadeDepth * std::sin(Pi * fadeElapsed / fadeSeconds);
        fadeElapsed += secondsPerFrame;
        if (fadeElapsed >= fadeSeconds)
            fadeSeconds = 0;
    }
    // The second reading follows the first with a lag of about half a second.
    const double follow = 1 - std::exp(-secondsPerFrame / 0.5);
    linkqlLevel += (linkq - 8 - linkqlLevel) * follow;

    return { toByte(volt1), toByte(volt2), toByte(linkq), toByte(linkqlLevel) };
}

int TelemetryModel::nextUserData(std::uint8_t (&bytes)[Protocol::MaxUserDataBytes])
{
    const int count = 1 + int(engine() % Protocol::MaxUserDataBytes);
    for (int i = 0; i < count; ++i)
        bytes[i] = std::uint8_t(engine());
    return count;
}
