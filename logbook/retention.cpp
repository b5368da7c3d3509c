#include "retention.h"

#include <algorithm>
#include <numeric>

QStringList Retention::select(std::vector<Flight> flights, qint64 budget)
{
    qint64 used = std::accumulate(flights.begin(), flights.end(), qint64(0),
                                  [](qint64 sum, const Flight &flight) { return sum + flight.bytes; });
    std::stable_sort(flights.begin(), flights.end(),
                     [](const Flight &a, const Flight &b) { return a.start < b.start; });
    QStringList doomed;
    for (const Flight &flight : flights) {
        if (used <= budget)
            break;
        if (flight.pinned || flight.inProgress)
            continue;
        doomed << flight.file;
        used -= flight.bytes;
    }
    return doomed;
}
