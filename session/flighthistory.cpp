#include "flighthistory.h"

#include <algorithm>

namespace {

constexpr int ChunksPerCapacity = 128; // so a dropped chunk is under 1 % of it
constexpr int LargestChunkShift = 16;

int chunkShiftFor(qsizetype capacity)
{
    int shift = ReportChunk::BlockShift;
    while (shift < LargestChunkShift && (qsizetype(2) << shift) * ChunksPerCapacity <= capacity)
        ++shift;
    return shift;
}

// The start of column i of count over [from, from + span), without
// overflowing where span * i would.
qint64 columnStart(qint64 from, qint64 span, int i, int count)
{
    return from + span / count * i + span % count * i / count;
}

} // namespace

FlightHistory::FlightHistory(qsizetype capacity)
    : chunkShift(chunkShiftFor(capacity)),
      maxReports(std::max(capacity, qsizetype(2) << chunkShift))
{
    ring.resize(std::size_t((maxReports + chunkSize() - 1) >> chunkShift));
}

FlightHistory::~FlightHistory() = default;

qsizetype FlightHistory::size() const
{
    return qsizetype(added - dropped);
}

qint64 FlightHistory::firstTime() const
{
    return used > 0 ? chunk(0).firstTime() : 0;
}

qint64 FlightHistory::lastTime() const
{
    return used > 0 ? chunk(used - 1).lastTime() : 0;
}

// Times never go back: the history's order is its index.
qint64 FlightHistory::heldTime(qint64 time)
{
    latest = std::max(latest, time);
    return latest;
}

void FlightHistory::add(qint64 time, const ReportValues &values)
{
    time = heldTime(time);
    if (size() == maxReports)
        dropOldestChunk();
    if (used == 0 || newestChunk().isFull())
        startChunk();
    newestChunk().append(time, values);
    ++added;
}

void FlightHistory::startChunk()
{
    std::unique_ptr<ReportChunk> &slot = ring[std::size_t((head + used) % qsizetype(ring.size()))];
    if (slot)
        slot->clear();
    else
        slot = std::make_unique<ReportChunk>(chunkShift);
    ++used;
}

void FlightHistory::dropOldestChunk()
{
    head = (head + 1) % qsizetype(ring.size());
    --used;
    dropped += chunkSize();
    const qint64 first = firstTime();
    while (!gaps.empty() && gaps.front().link.to <= first)
        gaps.pop_front();
    while (!changes.empty() && changes.front().time < first)
        changes.pop_front();
}

void FlightHistory::linkLost(qint64 time)
{
    if (!isLinkLost())
        gaps.push_back({ { heldTime(time), StillLost }, added });
}

void FlightHistory::linkRestored(qint64 time)
{
    if (isLinkLost())
        gaps.back().link.to = heldTime(time);
}

void FlightHistory::addAlarmChange(qint64 time, int row, bool tripped)
{
    if (!changes.empty())
        time = std::max(time, changes.back().time);
    changes.push_back({ time, row, tripped });
}

FlightHistory::Report FlightHistory::at(qsizetype index) const
{
    const ReportChunk &part = chunk(index >> chunkShift);
    const int local = int(index & (chunkSize() - 1));
    return { part.timeAt(local), part.valuesAt(local) };
}

const ReportValues &FlightHistory::valuesAt(qsizetype index) const
{
    return chunk(index >> chunkShift).valuesAt(int(index & (chunkSize() - 1)));
}

qsizetype FlightHistory::lowerBound(qint64 time) const
{
    qsizetype low = 0;
    qsizetype high = used;
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        if (chunk(middle).lastTime() < time)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == used)
        return size();
    return (low << chunkShift) + chunk(low).lowerBound(time);
}

qsizetype FlightHistory::nearest(qint64 time) const
{
    if (isEmpty())
        return -1;
    const qsizetype after = lowerBound(time);
    if (after == 0)
        return 0;
    // Of several reports at the nearest time, the first.
    const qint64 before = at(after - 1).time;
    if (after == size() || time - before <= at(after).time - time)
        return lowerBound(before);
    return after;
}

std::vector<FlightHistory::LostLink> FlightHistory::lostLinks(qint64 from, qint64 to) const
{
    std::vector<LostLink> found;
    for (const Gap &gap : gaps) {
        if (gap.link.from < to && gap.link.to > from)
            found.push_back(gap.link);
    }
    return found;
}

std::vector<FlightHistory::AlarmChange> FlightHistory::alarmChanges(qint64 from, qint64 to) const
{
    const auto first = std::lower_bound(changes.begin(), changes.end(), from,
                                        [](const AlarmChange &change, qint64 t) { return change.time < t; });
    const auto end = std::lower_bound(first, changes.end(), to,
                                      [](const AlarmChange &change, qint64 t) { return change.time < t; });
    return { first, end };
}

// Calls visit(chunk, from, to) for each chunk's share of [from, to).
template<typename Visit>
void FlightHistory::visitParts(qsizetype from, qsizetype to, Visit visit) const
{
    for (qsizetype k = from >> chunkShift; (k << chunkShift) < to; ++k) {
        const qsizetype base = k << chunkShift;
        visit(chunk(k), int(std::max(from - base, qsizetype(0))),
              int(std::min(to - base, qsizetype(chunkSize()))));
    }
}

bool FlightHistory::gapBefore(qsizetype index) const
{
    const qint64 serial = dropped + index;
    const auto found = std::lower_bound(gaps.begin(), gaps.end(), serial,
                                        [](const Gap &gap, qint64 s) { return gap.nextSerial < s; });
    return found != gaps.end() && found->nextSerial == serial;
}

void FlightHistory::fill(Column &column, qsizetype from, qsizetype to) const
{
    ValueRange range;
    visitParts(from, to, [&](const ReportChunk &part, int first, int end) { part.widen(range, first, end); });
    column.count = to - from;
    column.low = range.low;
    column.high = range.high;
    column.first = valuesAt(from);
    column.last = valuesAt(to - 1);
    column.joined = from > 0 && !gapBefore(from);
}

void FlightHistory::columns(qint64 from, qint64 to, int count, std::vector<Column> &out) const
{
    out.assign(std::size_t(std::max(count, 0)), Column());
    if (to <= from)
        return;
    const qint64 span = to - from;
    auto gap = gaps.begin();
    qsizetype begin = lowerBound(from);
    qint64 columnFrom = from;
    int i = 0;
    for (Column &column : out) {
        const qint64 columnTo = columnStart(from, span, ++i, count);
        while (gap != gaps.end() && gap->link.to <= columnFrom)
            ++gap;
        column.lostLink = gap != gaps.end() && gap->link.from < columnTo;
        const qsizetype end = lowerBound(columnTo);
        if (end > begin)
            fill(column, begin, end);
        begin = end;
        columnFrom = columnTo;
    }
}

FlightHistory::Statistics FlightHistory::statistics(qint64 from, qint64 to) const
{
    Statistics statistics;
    const qsizetype first = lowerBound(from);
    const qsizetype end = std::max(first, lowerBound(to));
    statistics.count = end - first;
    if (statistics.count == 0)
        return statistics;
    ValueRange range;
    ChannelSums sums{};
    visitParts(first, end, [&](const ReportChunk &part, int begin, int stop) {
        part.widen(range, begin, stop);
        part.addSums(sums, begin, stop);
    });
    statistics.low = range.low;
    statistics.high = range.high;
    statistics.newest = valuesAt(end - 1);
    std::transform(sums.begin(), sums.end(), statistics.mean.begin(),
                   [&statistics](auto sum) { return double(sum) / double(statistics.count); });
    return statistics;
}

std::size_t FlightHistory::memoryUsed() const
{
    std::size_t bytes = sizeof *this + ring.capacity() * sizeof ring[0] + gaps.size() * sizeof(Gap)
            + changes.size() * sizeof(AlarmChange);
    for (const auto &slot : ring) {
        if (slot)
            bytes += slot->memoryUsed();
    }
    return bytes;
}
