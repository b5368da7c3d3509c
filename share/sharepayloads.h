#ifndef SHAREPAYLOADS_H
#define SHAREPAYLOADS_H

#include "channelscale.h"
#include "protocol.h"
#include "threshold.h"

#include <QByteArray>
#include <QList>
#include <QPair>

#include <array>
#include <optional>
#include <vector>

class BrokerAddress;

// What a shared session publishes, as the bytes of each message: the JSON
// of a report, the hex line of user data, the alarm rows, the channels, and
// Home Assistant's discovery messages. A report is written into a buffer
// the caller keeps, with each channel's value in its unit looked up, not
// formatted: nothing is allocated per report.
class SharePayloads
{
public:
    static constexpr int ChannelCount = ChannelScale::ChannelCount;
    // The channels' keys in every payload, in the graph's order.
    static constexpr const char *ChannelKeys[ChannelCount] = { "volt1", "volt2", "linkq" };

    struct AlarmRow
    {
        std::optional<Threshold> reported; // as the module reported it, if it has
        bool tripped = false;
    };
    using AlarmRows = std::array<AlarmRow, Protocol::AlarmCount>;

    SharePayloads();

    // Channel 1 to 3 reads this way from now on.
    void setChannelScale(int channel, const ChannelScale &scale);
    const ChannelScale &scale(int channel) const { return scales[std::size_t(channel - 1)]; }

    // {"ms":...,"seq":...,"volt1":...,"volt2":...,"linkq":...,"linkql":...}
    // with "units":{...} for the channels that have one; `seq` numbers the
    // session's reports from 1, so that a watcher knows one sent twice.
    void report(QByteArray &out, qint64 ms, quint64 seq, const std::array<quint8, 4> &values) const;
    // "0A FF 7E": the bytes as the data pane shows them.
    static void dataLine(QByteArray &out, const char *bytes, int length);
    static QByteArray alarms(const AlarmRows &rows);
    QByteArray channels() const;
    // Each channel's discovery topic and its message: a sensor for a
    // channel with a unit, an empty message (no sensor) for one without.
    QList<QPair<QByteArray, QByteArray>> homeAssistant(const BrokerAddress &address) const;

private:
    std::array<ChannelScale, ChannelCount> scales;
    // For each channel with a unit, its part of "units" for each raw value.
    std::array<std::vector<QByteArray>, ChannelCount> unitParts;
};

#endif
