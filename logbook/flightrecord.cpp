#include "flightrecord.h"

#include <numeric>

int FlightRecord::totalTrips() const
{
    return std::accumulate(trips.begin(), trips.end(), 0);
}

QString FlightRecord::endingText(FlightEnding ending)
{
    switch (ending) {
    case FlightEnding::Unknown:
        break;
    case FlightEnding::InProgress:
        return tr("in progress");
    case FlightEnding::Closed:
        //: How a flight ended: the main window was closed
        return tr("window closed");
    case FlightEnding::Silent:
        //: How a flight ended: no report came for a minute
        return tr("no reports for a minute");
    case FlightEnding::LinkLost:
        //: How a flight ended: the serial link stayed lost for a minute
        return tr("link lost for a minute");
    case FlightEnding::WriteFailed:
        //: How a flight ended: its file could not be written on (a full disk)
        return tr("could not be written further");
    case FlightEnding::Unexpected:
        //: How a flight ended: the program stopped without closing its file (a crash)
        return tr("ended unexpectedly");
    case FlightEnding::Damaged:
        //: A file in the flights folder that is not a flight's capture, or is damaged
        return tr("damaged");
    }
    return {};
}

QString FlightRecord::durationText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    const QChar zero(QLatin1Char('0'));
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, zero);
    return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, zero)
            .arg(seconds % 60, 2, 10, zero);
}
