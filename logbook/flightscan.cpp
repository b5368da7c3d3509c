#include "flightscan.h"

#include "framecodec.h"
#include "historybuilder.h"
#include "rawcapture.h"

#include <QFileInfo>

#include <limits>

FlightScan::Outcome FlightScan::read(const QString &path, HistoryBuilder &builder)
{
    RawCapture capture;
    if (!capture.open(path, true)) {
        error = capture.errorString();
        return Damaged;
    }
    started = capture.startedAt();
    builder.setSilenceIsLoss(true); // a capture keeps no link of its own
    FrameDecoder decoder;
    qint64 time = 0;
    const auto take = [&](const std::uint8_t *payload, int length) {
        switch (frameKind(payload, length)) {
        case FrameKind::Volts:
            builder.addReport(time, { payload[1], payload[2], payload[3], payload[4] });
            ++count;
            break;
        case FrameKind::Threshold:
            builder.setCondition(thresholdIndex(payload), payload[1], payload[2]);
            break;
        case FrameKind::UserData:
        case FrameKind::Ignored:
            break;
        }
    };
    for (RawCapture::Record record; capture.next(record);) {
        time = started + record.ms;
        decoder.decode(reinterpret_cast<const std::uint8_t *>(record.bytes.constData()),
                       std::size_t(record.bytes.size()), take);
    }
    error = capture.errorString();
    if (!error.isEmpty())
        return Damaged; // changed or unreadable since it was checked
    return capture.truncatedAt() >= 0 ? CutShort : Whole;
}

FlightRecord FlightScan::figures(const QString &path)
{
    const QFileInfo info(path);
    FlightRecord record;
    record.file = info.fileName();
    record.bytes = info.size();
    record.modified = info.lastModified().toMSecsSinceEpoch();
    HistoryBuilder builder;
    FlightScan scan;
    const Outcome outcome = scan.read(path, builder);
    if (outcome == Damaged) {
        record.ending = FlightEnding::Damaged;
        record.start = record.modified; // sorts among the flights by when it was written
        return record;
    }
    if (outcome == CutShort)
        record.ending = FlightEnding::Unexpected;
    const FlightHistory &history = builder.history();
    record.reports = scan.reports();
    record.start = history.isEmpty() ? scan.startedAt() : builder.origin();
    if (history.isEmpty())
        return record;
    record.durationMs = history.lastTime() - builder.origin();
    const FlightHistory::Statistics whole = history.statistics(history.firstTime(), history.lastTime() + 1);
    for (std::size_t c = 0; c < std::size_t(FlightRecord::Channels); ++c) {
        record.low[c] = whole.low[c];
        record.high[c] = whole.high[c];
        record.mean[c] = whole.mean[c];
    }
    constexpr qint64 Always = std::numeric_limits<qint64>::max();
    for (const FlightHistory::AlarmChange &change : history.alarmChanges(-Always, Always)) {
        if (change.tripped)
            ++record.trips[std::size_t(change.row)];
    }
    record.lostLinks = int(history.lostLinks(-Always, Always).size());
    return record;
}
