#include "capturereplay.h"

#include "linewriter.h"

#include <algorithm>
#include <limits>

CaptureReplay::CaptureReplay(RawCapture &capture, LineWriter &writer, QObject *parent)
    : ModuleSource(parent), capture(capture), writer(writer)
{
    pacer.setSingleShot(true);
    pacer.setTimerType(Qt::PreciseTimer);
    connect(&pacer, &QTimer::timeout, this, &CaptureReplay::sendDueRecords);
}

// Played into the void, the capture's first seconds would be lost while the
// user is still choosing the port; so it waits for the monitor.
void CaptureReplay::start()
{
    hasNextRecord = capture.next(nextRecord);
}

void CaptureReplay::stop()
{
    pacer.stop();
}

void CaptureReplay::commandHeard(const Command &)
{
    if (playing)
        return;
    playing = true;
    clock.start();
    pacer.start(0);
}

void CaptureReplay::sendDueRecords()
{
    writer.dropUnheardOutput();
    const qint64 nowMs = clock.elapsed();
    while (hasNextRecord && nextRecord.ms <= nowMs) {
        writer.queue(nextRecord.bytes);
        hasNextRecord = capture.next(nextRecord);
    }
    writer.flush();
    if (hasNextRecord) {
        // A wait beyond the timer's range just comes back here early.
        pacer.start(int(std::min<qint64>(nextRecord.ms - nowMs, std::numeric_limits<int>::max())));
    } else if (!capture.errorString().isEmpty()) {
        emit failed(capture.errorString());
    } else {
        emit ended();
    }
}
