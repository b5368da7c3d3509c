#include "simulator.h"

#include "moduleline.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <unistd.h>

namespace {

// The monitor fills every command from its 11-position template, so a
// command is the nine bytes between the delimiters.
constexpr int CommandLength = Protocol::TemplateSize - 2;

constexpr int UserDataEvery = 25;         // volts frames per user-data frame
constexpr int MaxCatchUp = 4;             // frames sent at once after a late tick
constexpr qsizetype PacedBacklog = 512;   // bytes queued before paced frames wait
constexpr qsizetype FloodBatch = 1024;    // bytes generated per refill when flooding
constexpr qint64 UnheardLimitMs = 1000;   // untaken output is dropped after this
constexpr int DrainPollMs = 20;
constexpr qint64 DrainPatienceMs = 2000;  // give up draining when nothing moves
constexpr int SplitPauseMs = 1;           // between the pieces of a split write
constexpr unsigned MaxSplit = 8;          // bytes per write when splitting
constexpr unsigned MaxJunk = 12;          // bytes per run of line noise

// Encoded frame: two delimiters, every payload byte possibly stuffed.
constexpr std::size_t MaxEncoded = 2 + 2 * Protocol::MaxStoredBytes;

} // namespace

Simulator::Simulator(ModuleLine &line, const Options &options, QObject *parent)
    : QObject(parent),
      line(line),
      options(options),
      model(options.seed, options.rate),
      lineNoise(options.seed ^ 0x6E6F6973u),
      splitSizes(options.seed ^ 0x73706C74u),
      alarms{ { 100, 1, 1 }, { 50, 0, 2 }, { 120, 1, 1 }, { 60, 0, 2 } }
{
    readNotifier = new QSocketNotifier(line.fd(), QSocketNotifier::Read, this);
    connect(readNotifier, &QSocketNotifier::activated, this, &Simulator::readCommands);
    writeNotifier = new QSocketNotifier(line.fd(), QSocketNotifier::Write, this);
    writeNotifier->setEnabled(false);
    connect(writeNotifier, &QSocketNotifier::activated, this, &Simulator::refillAndFlush);

    pacer.setSingleShot(true);
    pacer.setTimerType(Qt::PreciseTimer);
    connect(&pacer, &QTimer::timeout, this,
            options.replay ? &Simulator::replayDueRecords : &Simulator::sendDueFrames);
    splitPause.setSingleShot(true);
    splitPause.setInterval(SplitPauseMs);
    splitPause.setTimerType(Qt::PreciseTimer);
    connect(&splitPause, &QTimer::timeout, this, &Simulator::flush);
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, this, &Simulator::beginFinish);
    drainCheck.setInterval(DrainPollMs);
    connect(&drainCheck, &QTimer::timeout, this, &Simulator::checkDrained);
}

void Simulator::start()
{
    clock.start();
    if (options.durationMs > 0)
        deadline.start(int(options.durationMs));
    if (options.replay) {
        hasNextRecord = options.replay->next(nextRecord);
        // Played into the void, the capture's first seconds would be lost
        // while the user is still choosing the port; wait for the monitor.
    } else if (options.flood) {
        writeNotifier->setEnabled(true);
    } else {
        nextDueMs = 1000.0 / options.rate;
        pacer.start(int(std::ceil(nextDueMs)));
    }
}

bool Simulator::wantsMoreFrames() const
{
    return !finishing && (options.frameLimit == 0 || voltsQueued < options.frameLimit);
}

void Simulator::sendDueFrames()
{
    const double periodMs = 1000.0 / options.rate;
    const double nowMs = double(clock.nsecsElapsed()) / 1e6;
    dropUnheardOutput();
    for (int sent = 0; nextDueMs <= nowMs && sent < MaxCatchUp && wantsMoreFrames()
                       && pending.size() < PacedBacklog;
         ++sent) {
        queueNextFrames();
        nextDueMs += periodMs;
    }
    // Far behind (the line is full, or the process was stopped): carry on at
    // the rate from now instead of sending the backlog in a burst.
    if (nextDueMs <= nowMs)
        nextDueMs = nowMs + periodMs;
    flush();
    if (!wantsMoreFrames()) {
        beginFinish();
        return;
    }
    pacer.start(int(std::ceil(nextDueMs - nowMs)));
}

void Simulator::startReplay()
{
    if (replayStarted)
        return;
    replayStarted = true;
    clock.restart();
    pacer.start(0);
}

void Simulator::replayDueRecords()
{
    dropUnheardOutput();
    const qint64 nowMs = clock.elapsed();
    while (hasNextRecord && nextRecord.ms <= nowMs) {
        pending.append(nextRecord.bytes);
        hasNextRecord = options.replay->next(nextRecord);
    }
    flush();
    if (hasNextRecord) {
        // A wait beyond the timer's range just comes back here early.
        pacer.start(int(std::min<qint64>(nextRecord.ms - nowMs, std::numeric_limits<int>::max())));
    } else if (!options.replay->errorString().isEmpty()) {
        std::fprintf(stderr, "duplink-sim: %s\n", qPrintable(options.replay->errorString()));
        finish(1);
    } else {
        beginFinish();
    }
}

void Simulator::refillAndFlush()
{
    if (options.flood && !finishing) {
        while (pending.size() < FloodBatch && wantsMoreFrames())
            queueNextFrames();
        if (!wantsMoreFrames())
            beginFinish();
    }
    flush();
}

void Simulator::queueNextFrames()
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

void Simulator::queueThreshold(int alarmIndex)
{
    const Alarm &alarm = alarms[alarmIndex];
    const std::uint8_t payload[Protocol::ThresholdFrameLength] = {
        Protocol::alarmCommand(alarmIndex), alarm.value, alarm.comparison, alarm.level
    };
    queueFrame(payload, sizeof payload);
}

void Simulator::queueFrame(const std::uint8_t *payload, std::size_t length)
{
    if (options.noise)
        queueJunk();
    std::uint8_t wire[MaxEncoded];
    const std::size_t size = stuffFrame(payload, length, wire);
    pending.append(reinterpret_cast<const char *>(wire), qsizetype(size));
}

// Line noise between frames. Each run, and each part of it after a stray
// delimiter, starts with a byte that no frame kind uses: the monitor must
// resynchronise and drop it, but never shows readings the model did not make.
void Simulator::queueJunk()
{
    if (lineNoise() % 2 != 0)
        return;
    const unsigned count = 1 + lineNoise() % MaxJunk;
    bool startsFrame = true;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint32_t draw = lineNoise();
        const std::uint8_t byte = startsFrame ? std::uint8_t(draw % Protocol::Escape)
                                              : std::uint8_t(draw);
        pending.append(char(byte));
        startsFrame = byte == Protocol::Delimiter;
    }
}

// Under --noise a quarter of the readings become bytes that must be stuffed.
std::uint8_t Simulator::withEscapes(std::uint8_t value)
{
    if (!options.noise)
        return value;
    const std::uint32_t draw = lineNoise();
    if (draw % 4 != 0)
        return value;
    return (draw & 4) ? Protocol::Delimiter : Protocol::Escape;
}

void Simulator::flush()
{
    if (done || splitPause.isActive())
        return;
    while (!pending.isEmpty()) {
        std::size_t size = std::size_t(pending.size());
        if (options.noise)
            size = std::min<std::size_t>(size, 1 + splitSizes() % MaxSplit);
        const ssize_t written = ::write(line.fd(), pending.constData(), size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            lineFailed("write", errno);
            return;
        }
        pending.remove(0, qsizetype(written));
        lastSeenUnread = line.unreadBytes();
        // Paced, the pieces get a moment apart so that they arrive apart.
        if (options.noise && !options.flood && !pending.isEmpty()) {
            splitPause.start();
            break;
        }
    }
    writeNotifier->setEnabled(!splitPause.isActive()
                              && (!pending.isEmpty() || (options.flood && !finishing)));
}

void Simulator::readCommands()
{
    std::uint8_t buffer[256];
    for (;;) {
        const ssize_t count = ::read(line.fd(), buffer, sizeof buffer);
        if (count > 0) {
            decoder.decode(buffer, std::size_t(count),
                           [this](const std::uint8_t *payload, int length) {
                               handleCommand(payload, length);
                           });
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // End of file or an error: the device went away.
        lineFailed("read", count < 0 ? errno : EIO);
        return;
    }
}

void Simulator::handleCommand(const std::uint8_t *payload, int length)
{
    using namespace Protocol;
    if (length != CommandLength)
        return;
    const std::uint8_t command = payload[0];
    // A replay plays back the answers the module gave at the time.
    const bool answer = options.replay == nullptr;
    if (options.replay)
        startReplay();
    if (command == RequestCommand) {
        std::printf("request\n");
        for (int i = 0; answer && i < AlarmCount; ++i)
            queueThreshold(i);
    } else if (command <= FirstThresholdType && command >= LastThresholdType) {
        const int index = thresholdIndex(payload);
        std::printf("alarm %d value %d comparison %d level %d\n", index + 1, payload[1],
                    payload[2], payload[3]);
        if (answer) {
            alarms[index] = { payload[1], payload[2], payload[3] };
            queueThreshold(index);
        }
    } else {
        return;
    }
    std::fflush(stdout);
    flush();
}

// Nobody has taken our bytes for a while: no monitor is attached, or it has
// stopped reading. A real line would have lost them, so a monitor that opens
// the port later starts with fresh frames instead of a stale backlog.
void Simulator::dropUnheardOutput()
{
    const int unread = line.unreadBytes();
    const qint64 nowMs = clock.elapsed();
    if (unread == 0 || unread < lastSeenUnread) {
        lastHeardMs = nowMs;
    } else if (nowMs - lastHeardMs > UnheardLimitMs) {
        line.discardUnread();
        lastHeardMs = nowMs;
    }
    lastSeenUnread = line.unreadBytes();
}

void Simulator::beginFinish()
{
    if (finishing)
        return;
    finishing = true;
    pacer.stop();
    lastUnread = -1;
    drainCheck.start();
    flush();
}

// Quitting closes the line, which throws away what the monitor has not read
// yet; so the last frames are given time to be taken.
void Simulator::checkDrained()
{
    const int unread = int(pending.size()) + line.unreadBytes();
    // Empty twice in a row, so that nothing written just now is still on its
    // way into the count.
    if (unread == 0 && lastUnread == 0) {
        finish(0);
    } else if (unread != lastUnread) {
        lastUnread = unread;
        lastDrainProgressMs = clock.elapsed();
    } else if (clock.elapsed() - lastDrainProgressMs > DrainPatienceMs) {
        finish(0);
    }
}

void Simulator::lineFailed(const char *operation, int errorNumber)
{
    std::fprintf(stderr, "duplink-sim: %s on %s failed: %s\n", operation,
                 qPrintable(line.devicePath()), std::strerror(errorNumber));
    finish(1);
}

void Simulator::finish(int exitCode)
{
    if (done)
        return;
    done = true;
    pacer.stop();
    splitPause.stop();
    deadline.stop();
    drainCheck.stop();
    readNotifier->setEnabled(false);
    writeNotifier->setEnabled(false);
    emit finished(exitCode);
}
