#include "flightsmodel.h"

#include <QDateTime>
#include <QLocale>

FlightsModel::FlightsModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void FlightsModel::setFlights(std::vector<FlightRecord> flights)
{
    beginResetModel();
    rows = std::move(flights);
    endResetModel();
}

void FlightsModel::setChannelScale(int channel, const ChannelScale &scale)
{
    scales[std::size_t(channel - 1)] = scale;
    const int low = FirstChannel + 2 * (channel - 1);
    emit headerDataChanged(Qt::Horizontal, low, low + 1);
    if (!rows.empty())
        emit dataChanged(index(0, low), index(rowCount() - 1, low + 1));
}

int FlightsModel::rowOf(const QString &file) const
{
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].file == file)
            return int(row);
    }
    return -1;
}

int FlightsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int FlightsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FlightsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FlightRecord &flight = rows[std::size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return text(flight, index.column());
    if (role == SortRole)
        return sortKey(flight, index.column());
    if (role == Qt::TextAlignmentRole && index.column() != Device && index.column() != Ending
        && index.column() != Note && index.column() != Alarms)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && flight.isDamaged())
        return tr("%1 is not a flight's capture, or is damaged: it cannot be opened").arg(flight.file);
    if (role == Qt::ToolTipRole)
        return flight.file;
    return {};
}

QString FlightsModel::text(const FlightRecord &flight, int column) const
{
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(flight.start);
    const bool figures = !flight.isDamaged() && flight.reports > 0;
    if (column >= FirstChannel && column < Alarms) {
        if (!figures)
            return {};
        const std::size_t channel = std::size_t(column - FirstChannel) / 2;
        const bool lowest = (column - FirstChannel) % 2 == 0;
        return scales[channel].valueText(lowest ? flight.low[channel] : flight.high[channel]);
    }
    switch (column) {
    case Date:
        return start.toString(QStringLiteral("yyyy-MM-dd"));
    case Start:
        return start.toString(QStringLiteral("HH:mm:ss"));
    case Duration:
        return figures ? FlightRecord::durationText(flight.durationMs) : QString();
    case Device:
        return flight.device;
    case Reports:
        return figures ? QLocale().toString(flight.reports) : QString();
    case Alarms:
        return figures ? alarmsText(flight) : QString();
    case LostLinks:
        return figures ? QString::number(flight.lostLinks) : QString();
    case Ending:
        return FlightRecord::endingText(flight.ending);
    case Pinned:
        //: In the Flights table's Pinned column: the flight is kept from deletion
        return flight.pinned ? tr("pinned") : QString();
    case Note:
        return flight.note;
    }
    return {};
}

// "none", or how often each row tripped: "alarm 1: 2, alarm 3: 1".
QString FlightsModel::alarmsText(const FlightRecord &flight)
{
    QStringList parts;
    for (std::size_t row = 0; row < flight.trips.size(); ++row) {
        if (flight.trips[row] > 0)
            parts << tr("alarm %1: %2").arg(row + 1).arg(flight.trips[row]);
    }
    //: The Flights table's Alarms column when no alarm tripped
    return parts.isEmpty() ? tr("none") : parts.join(QLatin1String(", "));
}

QVariant FlightsModel::sortKey(const FlightRecord &flight, int column) const
{
    if (column >= FirstChannel && column < Alarms) {
        const std::size_t channel = std::size_t(column - FirstChannel) / 2;
        return (column - FirstChannel) % 2 == 0 ? flight.low[channel] : flight.high[channel];
    }
    switch (column) {
    case Date:
    case Start:
        return flight.start;
    case Duration:
        return flight.durationMs;
    case Reports:
        return flight.reports;
    case Alarms:
        return flight.totalTrips();
    case LostLinks:
        return flight.lostLinks;
    case Pinned:
        return flight.pinned;
    }
    return text(flight, column);
}

QVariant FlightsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section >= FirstChannel && section < Alarms) {
        const ChannelScale &scale = scales[std::size_t(section - FirstChannel) / 2];
        // The channel's name over the word, so the columns stay narrow.
        //: A Flights table column: a channel's lowest value in the flight
        return (section - FirstChannel) % 2 == 0 ? tr("%1\nlowest").arg(scale.name)
                                                 //: A Flights table column: a channel's highest value
                                                 : tr("%1\nhighest").arg(scale.name);
    }
    switch (section) {
    case Date:
        return tr("Date");
    case Start:
        //: A Flights table column: the time of day the flight started
        return tr("Start");
    case Duration:
        return tr("Duration");
    case Device:
        return tr("Device");
    case Reports:
        return tr("Reports");
    case Alarms:
        //: A Flights table column: how often each alarm row tripped
        return tr("Alarms");
    case LostLinks:
        return tr("Lost links");
    case Ending:
        //: A Flights table column: how the flight ended
        return tr("Ended");
    case Pinned:
        return tr("Pinned");
    case Note:
        return tr("Note");
    }
    return {};
}
