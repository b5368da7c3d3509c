#ifndef FLIGHTRECORD_H
#define FLIGHTRECORD_H

#include "channelscale.h"

#include <QCoreApplication>
#include <QString>

#include <array>

// How a flight's file came to its end. Kept in the index as its number:
// never renumber.
enum class FlightEnding {
    Unknown = 0,     // a file the logbook did not write, or whose end it did not see
    InProgress = 1,  // still being written, here or by another copy of Duplink
    Closed = 2,      // the window closed
    Silent = 3,      // no report for the silence limit
    LinkLost = 4,    // the link lost for the silence limit
    WriteFailed = 5, // the disk was full, or the file could not be written
    Unexpected = 6,  // the program ended without closing it (a crash, kill -9)
    Damaged = 7,     // not a raw capture, or damaged past its header
};

// What the logbook knows of one flight: the file, the figures worked out
// from it (the same for every scan of the same file), and what only the
// index holds (the device, how it ended, the note, the pin). No widgets.
struct FlightRecord
{
    Q_DECLARE_TR_FUNCTIONS(FlightRecord)

public:
    static constexpr int Channels = ChannelScale::ChannelCount;
    static constexpr int AlarmRows = 4;

    QString file;       // its name in the flights folder
    qint64 bytes = 0;   // the file's size and modification time (ms since
    qint64 modified = 0; // 1970) when it was scanned
    qint64 start = 0;   // the first report, ms since 1970 UTC
    qint64 durationMs = 0; // from the first report to the last
    qint64 reports = 0;
    QString device;
    std::array<int, Channels> low{}, high{};
    std::array<double, Channels> mean{};
    std::array<int, AlarmRows> trips{}; // how often each alarm row tripped
    int lostLinks = 0;
    FlightEnding ending = FlightEnding::Unknown;
    QString note;
    bool pinned = false;

    bool isDamaged() const { return ending == FlightEnding::Damaged; }
    int totalTrips() const;

    // "ended unexpectedly", "window closed": how the table says it.
    static QString endingText(FlightEnding ending);
    // "4:05", or "1:02:03" from an hour on.
    static QString durationText(qint64 ms);
};

#endif
