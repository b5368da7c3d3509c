#include "simulator.h"

#include "capturereplay.h"
#include "moduleline.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

LineWriter::Options writerOptions(const FrameGenerator::Options &frames)
{
    return { frames.noise, frames.noise && !frames.flood, frames.seed };
}

void printCommand(const Command::Heard &command)
{
    if (command.kind == Command::Heard::Request)
        std::printf("request\n");
    else
        std::printf("alarm %d value %d comparison %d level %d\n", command.alarm + 1,
                    command.setting.value, command.setting.comparison, command.setting.level);
    std::fflush(stdout);
}

} // namespace

Simulator::Simulator(ModuleLine &line, const Options &options, QObject *parent)
    : QObject(parent),
      line(line),
      writer(line, writerOptions(options.frames)),
      durationMs(options.durationMs)
{
    if (options.replay)
        source = new CaptureReplay(*options.replay, writer, this);
    else
        source = new FrameGenerator(options.frames, writer, this);
    connect(source, &ModuleSource::ended, this, &Simulator::beginFinish);
    connect(source, &ModuleSource::failed, this, &Simulator::sourceFailed);
    connect(&writer, &LineWriter::drained, this, [this] { finish(0); });
    connect(&writer, &LineWriter::writeFailed, this,
            [this](int errorNumber) { lineFailed(QT_TR_NOOP("write on %1 failed: %2"), errorNumber); });

    readNotifier = new QSocketNotifier(line.fd(), QSocketNotifier::Read, this);
    connect(readNotifier, &QSocketNotifier::activated, this, &Simulator::readCommands);
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, this, &Simulator::beginFinish);
}

void Simulator::start()
{
    if (durationMs > 0)
        deadline.start(int(durationMs));
    source->start();
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
        lineFailed(QT_TR_NOOP("read on %1 failed: %2"), count < 0 ? errno : EIO);
        return;
    }
}

void Simulator::handleCommand(const std::uint8_t *payload, int length)
{
    // The monitor fills every command from its template; a frame of another
    // length is noise on the line.
    if (length != Protocol::CommandLength)
        return;
    const Command::Heard command = Command::read(payload);
    source->commandHeard(command);
    if (command.kind == Command::Heard::Unknown)
        return;
    printCommand(command);
    writer.flush();
}

void Simulator::beginFinish()
{
    if (finishing)
        return;
    finishing = true;
    source->stop();
    writer.drain();
}

void Simulator::sourceFailed(const QString &reason)
{
    std::fprintf(stderr, "duplink-sim: %s\n", qPrintable(reason));
    finish(1);
}

void Simulator::lineFailed(const char *message, int errorNumber)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(errorNumber));
    std::fprintf(stderr, "duplink-sim: %s\n", qPrintable(tr(message).arg(line.devicePath(), reason)));
    finish(1);
}

void Simulator::finish(int exitCode)
{
    if (done)
        return;
    done = true;
    source->stop();
    writer.stop();
    deadline.stop();
    readNotifier->setEnabled(false);
    emit finished(exitCode);
}
