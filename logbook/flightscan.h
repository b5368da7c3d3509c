#ifndef FLIGHTSCAN_H
#define FLIGHTSCAN_H

#include "flightrecord.h"

#include <QCoreApplication>
#include <QString>

class HistoryBuilder;

// A flight's raw capture read back into a flight history, by the rules the
// live window and a replay follow (HistoryBuilder): every volts report at
// the time it was recorded, the alarm rows' conditions as the capture's
// threshold frames set them, a silence of more than three seconds as a lost
// link. The figures the logbook lists come from that history, and so does
// the history window a flight opens in. No widgets; any thread.
class FlightScan
{
    Q_DECLARE_TR_FUNCTIONS(FlightScan)

public:
    enum Outcome {
        Whole,    // every record read
        CutShort, // its last record cut short (the program ended while writing): the rest read
        Damaged,  // not a raw capture, damaged past its header, or unreadable: nothing read
    };

    // Reads the capture at `path` into `builder`, which should be new.
    Outcome read(const QString &path, HistoryBuilder &builder);
    QString errorString() const { return error; }
    // When the capture began, ms since 1970 UTC.
    qint64 startedAt() const { return started; }
    qint64 reports() const { return count; }

    // The capture's figures for the index, scanned with a builder of its
    // own: a damaged file is a record of that alone, a cut one ended
    // unexpectedly.
    static FlightRecord figures(const QString &path);

private:
    QString error;
    qint64 started = 0;
    qint64 count = 0;
};

#endif
