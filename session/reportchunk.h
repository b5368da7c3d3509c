#ifndef REPORTCHUNK_H
#define REPORTCHUNK_H

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// One report's four bytes, by channel: volt 1, volt 2, link quality and the
// second link figure.
constexpr int ReportChannels = 4;
using ReportValues = std::array<quint8, ReportChannels>;

// The lowest and highest value of each channel over a run of reports.
struct ValueRange
{
    ReportValues low{ 255, 255, 255, 255 };
    ReportValues high{ 0, 0, 0, 0 };

    void add(const ReportValues &values);
    void add(const ValueRange &other);
};

using ChannelSums = std::array<quint64, ReportChannels>;

// A fixed run of consecutive reports (a power of two of them) in about six
// and a half bytes a report:
//  - the four values, four bytes;
//  - the time as the milliseconds since the report before, two bytes; a step
//    that does not fit is kept apart, with its report's index (at most one
//    per 65 seconds of session, so a day costs at most some 21 KB of them);
//  - per block of 64 reports, the first report's time (so no time is more
//    than 63 steps from an absolute one) and each channel's sum;
//  - a pyramid of each channel's lowest and highest value per block of 64,
//    128, ... reports up to the whole chunk: eight bytes a node, a quarter
//    of a byte a report for all its levels.
// Blocks below 64 reports are scanned; a scan of 64 values is about as cheap
// as the walk down the levels it would save, and finer levels would double
// the pyramid's size with each halving.
class ReportChunk
{
public:
    static constexpr int BlockShift = 6;
    static constexpr int BlockSize = 1 << BlockShift;

    // Holds 1 << shift reports; shift is at least BlockShift.
    explicit ReportChunk(int shift);

    void clear();
    int size() const { return count; }
    bool isFull() const { return count == capacity; }
    qint64 firstTime() const { return blockTimes[0]; }
    qint64 lastTime() const { return newestTime; }

    // The time must not be earlier than the last report's.
    void append(qint64 time, const ReportValues &values);

    qint64 timeAt(int index) const;
    const ReportValues &valuesAt(int index) const { return samples[std::size_t(index)]; }
    // The first index whose time is at or after time; size() if none.
    int lowerBound(qint64 time) const;

    // Widens range by the reports in [from, to).
    void widen(ValueRange &range, int from, int to) const;
    void addSums(ChannelSums &sums, int from, int to) const;

    std::size_t memoryUsed() const;

private:
    static constexpr quint16 LongStep = 0xFFFF;

    qint64 step(int index) const;
    void closeBlock(int block);
    void scan(ValueRange &range, int from, int to) const;
    ValueRange &node(int level, int index) { return pyramid[levelStart[std::size_t(level)] + std::size_t(index)]; }
    const ValueRange &node(int level, int index) const
    {
        return pyramid[levelStart[std::size_t(level)] + std::size_t(index)];
    }

    const int capacity;
    const int blocks;
    std::vector<std::size_t> levelStart; // offset of each level in pyramid
    std::unique_ptr<ReportValues[]> samples;
    std::unique_ptr<quint16[]> steps;
    std::unique_ptr<qint64[]> blockTimes;
    std::unique_ptr<std::array<quint16, ReportChannels>[]> blockSums;
    std::unique_ptr<ValueRange[]> pyramid;
    std::vector<std::pair<int, qint64>> longSteps; // by index
    int count = 0;
    qint64 newestTime = 0;
};

#endif
