#include "framegenerator.h"

#include "framecodec.h"
#include "linewriter.h"

#include <cmath>

namespace {

constexpr int UserDataEvery = 25;         // volts frames per user-data frame
constexpr int MaxCatchUp = 4;             // frames sent at once after a late tick
constexpr qsizetype PacedBacklog = 512;   // bytes queued before paced frames wait
constexpr qsizetype FloodBatch = 1024;    // bytes generated per refill when flooding
constexpr unsigned MaxJunk = 12;          // bytes per run of line noise

// Encoded frame: two delimiters, every payload byte possibly stuffed.
constexpr std::size_t MaxEncoded = 2 + 2 * Protocol::MaxStoredBytes;

} // namespace

FrameGenerator::FrameGenerator(const Options &options, LineWriter &writer, QObject *parent)
    : ModuleSource(parent),
      options(options),
      writer(writer),
      model(options.seed, options.rate),
      lineNoise(options.seed ^ 0x6E6F6973u),
      // Volt 1 below the first only while the model's battery sags; volt 2
      // never beyond the others.
      alarms{ { TelemetryModel::Volt1LowAlarm, 0, 1 }, { 50, 0, 2 }, { 180, 1, 1 }, { 60, 0, 2 } }
{
    pacer.setSingleShot(true);
    pacer.setTimerType(Qt::PreciseTimer);
    connect(&pacer, &QTimer::timeout, this, &FrameGenerator::sendDueFrames);
    if (options.flood)
        connect(&writer, &LineWriter::roomForMore, this, &FrameGenerator::fillLine);
}

void FrameGenerator::start()
{
    clock.start();
    if (options.flood) {
        writer.setAskingForMore(true);
    } else {
        nextDueMs = periodMs();
        pacer.start(int(std::ceil(nextDueMs)));
    }
}

void FrameGenerator::stop()
{
    stopped = true;
    pacer.stop();
    if (options.flood)
        writer.setAskingForMore(false);
}

bool FrameGenerator::wantsMoreFrames() const
{
    return !stopped && (options.frameLimit == 0 || voltsQueued < options.frameLimit);
}

// Between two paced writes: a burst of frames at the frame rate.
double FrameGenerator::periodMs() const
{
    return options.burst * 1000.0 / options.rate;
}

void FrameGenerator::sendDueFrames()
{
    const double nowMs = double(clock.nsecsElapsed()) / 1e6;
    writer.dropUnheardOutput();
    for (int sent = 0; nextDueMs <= nowMs && sent < MaxCatchUp && wantsMoreFrames()
                       && writer.queuedBytes() < PacedBacklog;
         ++sent) {
        for (int frame = 0; frame < options.burst && wantsMoreFrames(); ++frame)
            queueNextFrames();
        nextDueMs += periodMs();
    }
    // Far behind (the line is full, or the process was stopped): carry on at
    // the rate from now instead of sending the backlog in a burst.
    if (nextDueMs <= nowMs)
        nextDueMs = nowMs + periodMs();
    writer.flush();
    if (!wantsMoreFrames()) {
        emit ended();
        return;
    }
    pacer.start(int(std::ceil(nextDueMs - nowMs)));
}

void FrameGenerator::fillLine()
{
    while (writer.queuedBytes() < FloodBatch && wantsMoreFrames())
        queueNextFrames();
    if (!wantsMoreFrames())
        emit ended();
}

void FrameGenerator::commandHeard(const Command &command)
{
    if (command.kind == Command::Request) {
        for (int i = 0; i < Protocol::AlarmCount; ++i)
            queueThreshold(i);
    } else if (command.kind == Command::SetAlarm) {
        alarms[command.alarm] = command.setting;
        queueThreshold(command.alarm);
    }
}

void FrameGenerator::queueNextFrames()
{
    using namespace Protocol;
    ++voltsQueued;
    if (voltsQueued % UserDataEvery == 0) {
        std::uint8_t bytes[MaxUserDataBytes];
        const int count = model.nextUserData(bytes);
        std::uint8_t payload[UserDataHeaderLength + MaxUserDataBytes] = { UserDataType,
                                                                          std::uint8_t(count), 0 };
        for (int i = 0; i < count; ++i)
            payload[UserDataHeaderLength + i] = withEscapes(bytes[i]);
        queueFrame(payload, std::size_t(UserDataHeaderLength + count));
    }
    const TelemetryModel::Volts volts = model.nextVolts();
    const std::uint8_t payload[VoltsFrameLength] = { VoltsType, withEscapes(volts.volt1),
                                                     withEscapes(volts.volt2),
                                                     withEscapes(volts.linkq),
                                                     withEscapes(volts.linkql) };
    queueFrame(payload, sizeof payload);
}

void FrameGenerator::queueThreshold(int alarmIndex)
{
    const AlarmSetting &alarm = alarms[alarmIndex];
    const std::uint8_t payload[Protocol::ThresholdFrameLength] = {
        Protocol::alarmCommand(alarmIndex), alarm.value, alarm.comparison, alarm.level
    };
    queueFrame(payload, sizeof payload);
}

void FrameGenerator::queueFrame(const std::uint8_t *payload, std::size_t length)
{
    if (options.noise)
        queueJunk();
    std::uint8_t wire[MaxEncoded];
    const std::size_t size = stuffFrame(payload, length, wire);
    writer.queue(QByteArrayView(wire, qsizetype(size)));
}

// Line noise between frames. Each run, and each part of it after a stray
// delimiter, starts with a byte that no frame kind uses: the monitor must
// resynchronise and drop it, but never shows readings the model did not make.
void FrameGenerator::queueJunk()
{
    if (lineNoise() % 2 != 0)
        return;
    const unsigned count = 1 + lineNoise() % MaxJunk;
    std::uint8_t junk[MaxJunk];
    bool startsFrame = true;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint32_t draw = lineNoise();
        junk[i] = startsFrame ? std::uint8_t(draw % Protocol::Escape) : std::uint8_t(draw);
        startsFrame = junk[i] == Protocol::Delimiter;
    }
    writer.queue(QByteArrayView(junk, qsizetype(count)));
}

// Under --noise a quarter of the readings become bytes that must be stuffed.
std::uint8_t FrameGenerator::withEscapes(std::uint8_t value)
{
    if (!options.noise)
        return value;
    const std::uint32_t draw = lineNoise();
    if (draw % 4 != 0)
        return value;
    return (draw & 4) ? Protocol::Delimiter : Protocol::Escape;
}
