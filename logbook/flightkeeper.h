#ifndef FLIGHTKEEPER_H
#define FLIGHTKEEPER_H

#include "flightrecord.h"
#include "protocol.h"
#include "threshold.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>

QT_BEGIN_NAMESPACE
class QLockFile;
QT_END_NAMESPACE

class PortListener;
class SessionRecording;

// When a flight starts and ends, and its raw capture, written as it comes.
// A flight starts with the first report it hears and ends when the owner
// says so (the window closes), when no report has come for the silence
// limit (a minute: the link lost or the module silent), or when its file
// cannot be written (a full disk), keeping what was written. The next report
// starts the next flight.
//
// The capture holds the bytes as they were read (a CaptureWriter through a
// SessionRecording, flushed once a second), after a first record with the
// module's alarm settings as it last reported them and the whole read that
// brought the first report. Its name is its start time in UTC, which sorts
// by time whatever the clocks do (2026-12-09_14-03-22.raw). While it is
// written, a lock file beside it (.NAME.lock) says so to every copy of
// Duplink; one left behind by a program that died marks a flight that ended
// unexpectedly. No widgets.
class FlightKeeper : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 SilenceLimitMs = 60000;
    static constexpr int CheckIntervalMs = 1000;
    static constexpr int MaxFlightsASecond = 100; // names of one second: NAME-2.raw...

    explicit FlightKeeper(const QString &folder, QObject *parent = nullptr);
    ~FlightKeeper() override;

    // A flight ends after limitMs without a report, looked for every
    // checkMs; tests need not wait a minute.
    void setSilenceLimit(qint64 limitMs, int checkMs);

    // Keeps what the listener reports, from its next report on.
    void follow(PortListener *listener);
    // The link was lost or restored: how a silent flight ended.
    void linkChanged(bool lost);
    // Ends the flight in progress and keeps no more (the window closes).
    void finish();

    bool isFlying() const { return recording != nullptr; }
    // The file of the flight in progress.
    QString flightPath() const { return path; }

    // The lock file that marks `file`, a name in `folder`, as being written.
    static QString lockPath(const QString &folder, const QString &file);

signals:
    void flightStarted(const QString &path);
    // The file is closed; it stays locked until the receivers return.
    void flightEnded(const QString &path, FlightEnding ending);
    // A flight could not be started or written on: no more are kept.
    void failed(const QString &message);

private:
    void heardBlock(const QByteArray &bytes);
    void heardThreshold(Threshold *threshold);
    void heardReport();
    void checkSilence();
    bool start();
    bool claimName();
    void end(FlightEnding ending, QString reason = {});
    void writeFailed(const QString &reason);
    void stop(const QString &message);
    QByteArray lead() const;

    const QString folder;
    QPointer<PortListener> listener;
    SessionRecording *recording = nullptr;
    std::unique_ptr<QLockFile> lock;
    QString path;
    QByteArray block; // the read being decoded: a view of the listener's buffer
    std::array<Threshold, Protocol::AlarmCount> thresholds{};
    std::array<bool, Protocol::AlarmCount> known{};
    qint64 reports = 0;
    qint64 reportsChecked = 0;
    QElapsedTimer quiet; // since a check last found new reports
    qint64 silenceLimit = SilenceLimitMs;
    QTimer check;
    bool lost = false;
};

#endif
