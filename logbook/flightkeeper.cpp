#include "flightkeeper.h"

#include "capturewriter.h"
#include "framecodec.h"
#include "portlistener.h"
#include "sessionrecording.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>

#include <utility>

FlightKeeper::FlightKeeper(const QString &folder, QObject *parent)
    : QObject(parent), folder(folder)
{
    check.setInterval(CheckIntervalMs);
    connect(&check, &QTimer::timeout, this, &FlightKeeper::checkSilence);
}

// Closed as the window closes it, without a word: the owner is going.
FlightKeeper::~FlightKeeper()
{
    if (recording)
        recording->end();
}

void FlightKeeper::setSilenceLimit(qint64 limitMs, int checkMs)
{
    silenceLimit = limitMs;
    check.setInterval(checkMs);
}

QString FlightKeeper::lockPath(const QString &folder, const QString &file)
{
    return QDir(folder).filePath(QLatin1Char('.') + file + QLatin1String(".lock"));
}

void FlightKeeper::follow(PortListener *reporter)
{
    if (listener)
        return; // one session a keeper
    listener = reporter;
    connect(listener, &PortListener::blockRead, this, &FlightKeeper::heardBlock);
    connect(listener, &PortListener::reportThreshold, this, &FlightKeeper::heardThreshold);
    connect(listener, &PortListener::reportVolts, this, &FlightKeeper::heardReport);
}

void FlightKeeper::linkChanged(bool linkLost)
{
    lost = linkLost;
}

void FlightKeeper::finish()
{
    if (recording)
        end(FlightEnding::Closed);
    if (listener)
        listener->disconnect(this);
}

// No copy: the block is taken only if a report in it starts a flight.
void FlightKeeper::heardBlock(const QByteArray &bytes)
{
    block = bytes;
}

void FlightKeeper::heardThreshold(Threshold *threshold)
{
    const auto row = std::size_t(threshold->index);
    if (row < thresholds.size()) {
        thresholds[row] = *threshold;
        known[row] = true;
    }
}

void FlightKeeper::heardReport()
{
    if (!recording && !start())
        return;
    ++reports;
}

void FlightKeeper::checkSilence()
{
    if (reports != reportsChecked) {
        reportsChecked = reports;
        quiet.start();
    } else if (quiet.elapsed() > silenceLimit) {
        end(lost ? FlightEnding::LinkLost : FlightEnding::Silent);
    }
}

bool FlightKeeper::start()
{
    if (!claimName())
        return false;
    recording = new SessionRecording(listener, this);
    connect(recording, &SessionRecording::failed, this, &FlightKeeper::writeFailed);
    auto sink = std::make_unique<CaptureWriter>();
    sink->setLead(lead());
    if (!recording->open(path, std::move(sink)) || !recording->begin()) {
        const QString reason = recording->errorString();
        delete std::exchange(recording, nullptr);
        QFile::remove(std::exchange(path, QString()));
        lock.reset();
        stop(tr("Logbook off for this run: %1").arg(reason));
        return false;
    }
    reports = reportsChecked = 0;
    quiet.start();
    check.start();
    emit flightStarted(path);
    return true;
}

// The start time as a name no other flight has, here or in another copy of
// Duplink: whoever holds its lock and finds no file of that name has it.
bool FlightKeeper::claimName()
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    for (int n = 1; n <= MaxFlightsASecond; ++n) {
        const QString name = stamp + (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) + QLatin1String(".raw");
        auto claim = std::make_unique<QLockFile>(lockPath(folder, name));
        claim->setStaleLockTime(0); // stale only when its process is gone
        if (!claim->tryLock(0)) {
            if (claim->error() == QLockFile::LockFailedError)
                continue;
            stop(tr("Logbook off for this run: cannot write in %1").arg(QDir::toNativeSeparators(folder)));
            return false;
        }
        if (QFile::exists(QDir(folder).filePath(name)))
            continue;
        lock = std::move(claim);
        path = QDir(folder).filePath(name);
        return true;
    }
    stop(tr("Logbook off for this run: too many flights start this second"));
    return false;
}

// The alarm settings, whose threshold frames came before the flight, and the
// read under way, whose first report started it.
QByteArray FlightKeeper::lead() const
{
    QByteArray bytes;
    for (std::size_t row = 0; row < thresholds.size(); ++row) {
        if (!known[row])
            continue;
        const Threshold &kept = thresholds[row];
        const std::uint8_t payload[Protocol::ThresholdFrameLength] = {
            Protocol::alarmCommand(int(row)), kept.value, std::uint8_t(kept.comparison), std::uint8_t(kept.level)
        };
        std::uint8_t wire[2 + 2 * Protocol::ThresholdFrameLength];
        bytes.append(reinterpret_cast<const char *>(wire),
                     qsizetype(stuffFrame(payload, Protocol::ThresholdFrameLength, wire)));
    }
    bytes.append(block.constData(), block.size());
    return bytes;
}

void FlightKeeper::end(FlightEnding ending, QString reason)
{
    check.stop();
    SessionRecording *ended = std::exchange(recording, nullptr);
    if (!ended->end()) {
        ending = FlightEnding::WriteFailed;
        reason = ended->errorString();
    }
    ended->deleteLater(); // it may be telling of its failure right now
    emit flightEnded(std::exchange(path, QString()), ending);
    lock.reset();
    if (ending == FlightEnding::WriteFailed)
        stop(tr("Logbook stopped: %1. The flight is kept as far as it was written; flights are kept "
                "again from the next start.").arg(reason));
}

void FlightKeeper::writeFailed(const QString &reason)
{
    if (recording)
        end(FlightEnding::WriteFailed, reason);
}

void FlightKeeper::stop(const QString &message)
{
    if (listener)
        listener->disconnect(this);
    emit failed(message);
}
