#ifndef FLIGHTSMODEL_H
#define FLIGHTSMODEL_H

#include "channelscale.h"
#include "flightrecord.h"

#include <QAbstractTableModel>

#include <array>
#include <vector>

// The logbook as a table, a row per flight: its date and start time (local),
// duration, device, reports, each channel's lowest and highest in the
// channel's unit where it has one, alarm trips, lost links, how it ended,
// whether it is pinned, and its note. Every cell has its text for the eye
// and the screen reader, and a value to sort by (SortRole): numbers sort as
// numbers. No widgets.
class FlightsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Date,
        Start,
        Duration,
        Device,
        Reports,
        FirstChannel, // each channel's lowest, then its highest
        Alarms = FirstChannel + 2 * FlightRecord::Channels,
        LostLinks,
        Ending,
        Pinned,
        Note,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    explicit FlightsModel(QObject *parent = nullptr);

    void setFlights(std::vector<FlightRecord> flights);
    // Channel 1 to 3 reads this way from now on.
    void setChannelScale(int channel, const ChannelScale &scale);
    const ChannelScale &channelScale(int channel) const { return scales[std::size_t(channel - 1)]; }

    const FlightRecord &flight(int row) const { return rows[std::size_t(row)]; }
    // The row of a file, or -1.
    int rowOf(const QString &file) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(const FlightRecord &flight, int column) const;
    QVariant sortKey(const FlightRecord &flight, int column) const;
    static QString alarmsText(const FlightRecord &flight);

    std::vector<FlightRecord> rows;
    std::array<ChannelScale, FlightRecord::Channels> scales = {
        ChannelScale::defaults(ChannelScale::Volt1), ChannelScale::defaults(ChannelScale::Volt2),
        ChannelScale::defaults(ChannelScale::LinkQuality)
    };
};

#endif
