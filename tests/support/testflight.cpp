#include "testflight.h"

#include "rawcapture.h"
#include "testframes.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr int ExcursionEvery = 400;  // reports: 20 s at 50 ms
constexpr int ExcursionLength = 40; // reports: 2 s

bool inExcursion(int i, int count)
{
    return i % ExcursionEvery >= 100 && i % ExcursionEvery < 100 + ExcursionLength && i / ExcursionEvery < count;
}

} // namespace

ReportValues TestFlight::values(int i) const
{
    return { quint8(inExcursion(i, dips) ? 80 : 120 + i % 50), quint8(inExcursion(i, spikes) ? 230 : 150 + i % 20),
             quint8(200 - i % 100), quint8(i % 256) };
}

qint64 TestFlight::timeOf(int i) const
{
    qint64 time = stepMs * i;
    for (const auto &silence : silences)
        time += i > silence.first ? silence.second : 0;
    return time;
}

bool TestFlight::write(const QString &path) const
{
    RawCapture capture;
    bool written = capture.create(path, start) && (lead.isEmpty() || capture.append(0, lead));
    for (int i = 0; i < reports; ++i) {
        const ReportValues v = values(i);
        written = written && capture.append(timeOf(i), voltsFrame(v[0], v[1], v[2], v[3]));
    }
    written = capture.close() && written;
    if (cutShort) {
        QFile file(path);
        written = written && file.resize(file.size() - 5);
    }
    return written;
}

int TestFlight::low(int channel) const
{
    int lowest = 255;
    for (int i = 0; i < wholeReports(); ++i)
        lowest = std::min<int>(lowest, values(i)[std::size_t(channel)]);
    return lowest;
}

int TestFlight::high(int channel) const
{
    int highest = 0;
    for (int i = 0; i < wholeReports(); ++i)
        highest = std::max<int>(highest, values(i)[std::size_t(channel)]);
    return highest;
}

double TestFlight::mean(int channel) const
{
    double sum = 0;
    for (int i = 0; i < wholeReports(); ++i)
        sum += values(i)[std::size_t(channel)];
    return sum / wholeReports();
}
