#include "reportchunk.h"

#include <algorithm>

void ValueRange::add(const ReportValues &values)
{
    for (int c = 0; c < ReportChannels; ++c) {
        low[c] = std::min(low[c], values[c]);
        high[c] = std::max(high[c], values[c]);
    }
}

void ValueRange::add(const ValueRange &other)
{
    for (int c = 0; c < ReportChannels; ++c) {
        low[c] = std::min(low[c], other.low[c]);
        high[c] = std::max(high[c], other.high[c]);
    }
}

ReportChunk::ReportChunk(int shift)
    : capacity(1 << shift),
      blocks(capacity >> BlockShift),
      // Left uninitialised: every entry is written before it is read.
      samples(new ReportValues[std::size_t(capacity)]),
      steps(new quint16[std::size_t(capacity)]),
      blockTimes(new qint64[std::size_t(blocks)]),
      blockSums(new std::array<quint16, ReportChannels>[std::size_t(blocks)])
{
    std::size_t nodes = 0;
    for (int width = blocks; width > 0; width >>= 1) {
        levelStart.push_back(nodes);
        nodes += std::size_t(width);
    }
    pyramid.reset(new ValueRange[nodes]);
}

void ReportChunk::clear()
{
    count = 0;
    longSteps.clear();
}

void ReportChunk::append(qint64 time, const ReportValues &values)
{
    const int index = count++;
    samples[std::size_t(index)] = values;
    if (index % BlockSize == 0) {
        blockTimes[std::size_t(index >> BlockShift)] = time;
    } else {
        const qint64 elapsed = time - newestTime;
        if (elapsed < LongStep) {
            steps[std::size_t(index)] = quint16(elapsed);
        } else {
            steps[std::size_t(index)] = LongStep;
            longSteps.emplace_back(index, elapsed);
        }
    }
    newestTime = time;
    if (count % BlockSize == 0)
        closeBlock(index >> BlockShift);
}

// Summarises a block just filled, and every larger block it completes.
void ReportChunk::closeBlock(int block)
{
    ValueRange &range = node(0, block);
    range = ValueRange();
    std::array<quint16, ReportChannels> sums{};
    const int first = block << BlockShift;
    for (int i = first; i < first + BlockSize; ++i) {
        range.add(samples[std::size_t(i)]);
        for (int c = 0; c < ReportChannels; ++c)
            sums[std::size_t(c)] = quint16(sums[std::size_t(c)] + samples[std::size_t(i)][std::size_t(c)]);
    }
    blockSums[std::size_t(block)] = sums;
    for (int level = 1; level < int(levelStart.size()) && block % 2 == 1; ++level) {
        block /= 2;
        ValueRange &parent = node(level, block);
        parent = node(level - 1, 2 * block);
        parent.add(node(level - 1, 2 * block + 1));
    }
}

qint64 ReportChunk::step(int index) const
{
    const quint16 stored = steps[std::size_t(index)];
    if (stored != LongStep)
        return stored;
    const auto found = std::lower_bound(longSteps.begin(), longSteps.end(), index,
                                        [](const auto &entry, int i) { return entry.first < i; });
    return found->second;
}

qint64 ReportChunk::timeAt(int index) const
{
    const int first = index & ~(BlockSize - 1);
    qint64 time = blockTimes[std::size_t(first >> BlockShift)];
    for (int i = first + 1; i <= index; ++i)
        time += step(i);
    return time;
}

int ReportChunk::lowerBound(qint64 time) const
{
    const int filledBlocks = (count + BlockSize - 1) >> BlockShift;
    const qint64 *const times = blockTimes.get();
    const int block = int(std::lower_bound(times, times + filledBlocks, time) - times);
    if (block == 0)
        return 0;
    // The answer lies in the block before, after its first report.
    const int first = (block - 1) << BlockShift;
    const int end = std::min(count, block << BlockShift);
    qint64 at = times[block - 1];
    for (int i = first + 1; i < end; ++i) {
        at += step(i);
        if (at >= time)
            return i;
    }
    return end;
}

void ReportChunk::scan(ValueRange &range, int from, int to) const
{
    for (int i = from; i < to; ++i)
        range.add(samples[std::size_t(i)]);
}

void ReportChunk::widen(ValueRange &range, int from, int to) const
{
    int firstBlock = (from + BlockSize - 1) >> BlockShift;
    int endBlock = to >> BlockShift;
    if (firstBlock >= endBlock) {
        scan(range, from, to);
        return;
    }
    scan(range, from, firstBlock << BlockShift);
    scan(range, endBlock << BlockShift, to);
    // Up the pyramid, taking at each level the node at an odd edge.
    for (int level = 0; firstBlock < endBlock; ++level, firstBlock /= 2, endBlock /= 2) {
        if (firstBlock % 2 == 1)
            range.add(node(level, firstBlock++));
        if (endBlock % 2 == 1)
            range.add(node(level, --endBlock));
    }
}

void ReportChunk::addSums(ChannelSums &sums, int from, int to) const
{
    const int firstBlock = (from + BlockSize - 1) >> BlockShift;
    const int endBlock = to >> BlockShift;
    const auto addSamples = [&](int begin, int end) {
        for (int i = begin; i < end; ++i)
            for (int c = 0; c < ReportChannels; ++c)
                sums[std::size_t(c)] += samples[std::size_t(i)][std::size_t(c)];
    };
    if (firstBlock >= endBlock) {
        addSamples(from, to);
        return;
    }
    addSamples(from, firstBlock << BlockShift);
    addSamples(endBlock << BlockShift, to);
    for (int b = firstBlock; b < endBlock; ++b)
        for (int c = 0; c < ReportChannels; ++c)
            sums[std::size_t(c)] += blockSums[std::size_t(b)][std::size_t(c)];
}

std::size_t ReportChunk::memoryUsed() const
{
    const std::size_t nodes = levelStart.back() + 1;
    return sizeof *this + levelStart.capacity() * sizeof(std::size_t)
            + std::size_t(capacity) * (sizeof(ReportValues) + sizeof(quint16))
            + std::size_t(blocks) * (sizeof(qint64) + sizeof(std::array<quint16, ReportChannels>))
            + nodes * sizeof(ValueRange) + longSteps.capacity() * sizeof(longSteps[0]);
}
