#ifndef FLIGHTHISTORY_H
#define FLIGHTHISTORY_H

#include "protocol.h"
#include "reportchunk.h"

#include <QtGlobal>

#include <cstddef>
#include <deque>
#include <limits>
#include <memory>
#include <vector>

// Every report since the program started receiving, with the moments the
// link was lost and restored and the alarm rows' changes, for the history
// window to draw and read. No widgets.
//
// Reports go in chunks of a power of two of them (ReportChunk), held in a
// ring: once the capacity is reached the oldest chunk is cleared and reused
// for the newest reports, so adding never copies or reallocates what is
// kept, and memory stays as it was at the capacity. The lost links and
// alarm changes older than the oldest report kept go with it.
//
// Times are milliseconds, on any clock that does not go back; one that does
// is held at the latest time given. Time ranges are half-open: [from, to).
class FlightHistory
{
public:
    // Twenty-four hours at the line's full rate: volts frames of seven bytes
    // (payload and two delimiters), ten bits a byte on the wire.
    static constexpr qsizetype LineReportsPerDay =
            qsizetype(Protocol::BaudRate) * 24 * 3600 / (10 * (Protocol::VoltsFrameLength + 2));
    static constexpr qint64 StillLost = std::numeric_limits<qint64>::max();
    // The module's alarm settings, whose rows' changes are kept.
    static constexpr int AlarmRowCount = Protocol::AlarmCount;

    struct Report
    {
        qint64 time = 0;
        ReportValues values{};
    };
    struct LostLink
    {
        qint64 from = 0;
        qint64 to = StillLost; // when it was restored
    };
    struct AlarmChange
    {
        qint64 time = 0;
        int row = 0;
        bool tripped = false;
    };
    // What one pixel column of a plot needs: each channel's span, and the
    // first and last values to join it to its neighbours.
    struct Column
    {
        qsizetype count = 0; // reports in the column; none: nothing to draw
        bool lostLink = false; // part of the column's time the link was lost
        bool joined = false; // a report before its first, and no lost link between them
        ReportValues low{}, high{}, first{}, last{};
    };
    struct Statistics
    {
        qsizetype count = 0;
        ReportValues low{}, high{}, newest{};
        std::array<double, ReportChannels> mean{};
    };

    // The capacity is rounded up to two chunks at least; the chunks are
    // about a 128th of it (64 to 65,536 reports).
    explicit FlightHistory(qsizetype capacity = LineReportsPerDay);
    ~FlightHistory();
    FlightHistory(const FlightHistory &) = delete;
    FlightHistory &operator=(const FlightHistory &) = delete;

    void add(qint64 time, const ReportValues &values);
    // Opens and closes a gap; a second call of either in a row is ignored.
    void linkLost(qint64 time);
    void linkRestored(qint64 time);
    void addAlarmChange(qint64 time, int row, bool tripped);

    qsizetype capacity() const { return maxReports; }
    int chunkSize() const { return 1 << chunkShift; }
    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    // Reports dropped for room: the history holds the session from
    // firstTime() on.
    qint64 droppedCount() const { return dropped; }
    qint64 firstTime() const;
    qint64 lastTime() const;
    bool isLinkLost() const { return !gaps.empty() && gaps.back().link.to == StillLost; }

    // Indexes count from the oldest report kept.
    Report at(qsizetype index) const;
    const ReportValues &valuesAt(qsizetype index) const;
    // The first report at or after time; size() if none.
    qsizetype lowerBound(qint64 time) const;
    // The report nearest to time, the earliest of those as near; -1 if empty.
    qsizetype nearest(qint64 time) const;

    std::vector<LostLink> lostLinks(qint64 from, qint64 to) const;
    std::vector<AlarmChange> alarmChanges(qint64 from, qint64 to) const;
    // Splits [from, to) into count equal columns (out is resized to count).
    void columns(qint64 from, qint64 to, int count, std::vector<Column> &out) const;
    Statistics statistics(qint64 from, qint64 to) const;

    // Bytes held, all indexes included.
    std::size_t memoryUsed() const;

private:
    struct Gap
    {
        LostLink link;
        qint64 nextSerial; // of the first report after it
    };

    const ReportChunk &chunk(qsizetype k) const { return *ring[std::size_t((head + k) % qsizetype(ring.size()))]; }
    ReportChunk &newestChunk() { return *ring[std::size_t((head + used - 1) % qsizetype(ring.size()))]; }
    void startChunk();
    void dropOldestChunk();
    qint64 heldTime(qint64 time);
    bool gapBefore(qsizetype index) const;
    template<typename Visit>
    void visitParts(qsizetype from, qsizetype to, Visit visit) const;
    void fill(Column &column, qsizetype from, qsizetype to) const;

    const int chunkShift;
    const qsizetype maxReports;
    std::vector<std::unique_ptr<ReportChunk>> ring;
    qsizetype head = 0; // the oldest chunk's slot
    qsizetype used = 0;
    qint64 dropped = 0;
    qint64 added = 0;
    qint64 latest = std::numeric_limits<qint64>::min();
    std::deque<Gap> gaps;
    std::deque<AlarmChange> changes;
};

#endif
