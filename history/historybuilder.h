#ifndef HISTORYBUILDER_H
#define HISTORYBUILDER_H

#include "alarmwatch.h"
#include "flighthistory.h"

// A flight's history as its session brings it: each volts report at its
// time, the link's losses and returns, and the alarm rows' changes by the
// rules of their captions (AlarmWatch, a change held for a second) but on
// the flight's own clock, the newest report's time, so that a capture read
// as fast as it goes still marks each change where it happened. The live
// window and a capture read from a file build their histories alike.
//
// A session with no link to lose (a replay, a capture read back) keeps a
// silence of more than SilenceMs between two reports as a lost link: sixty
// missed reports at the simulator's rate, four hundred at the line's (a
// cable pulled, a module reset); a module merely slow to answer stays well
// inside it. No widgets.
class HistoryBuilder
{
public:
    static constexpr qint64 SilenceMs = 3000;

    explicit HistoryBuilder(qsizetype capacity = FlightHistory::LineReportsPerDay);

    const FlightHistory &history() const { return store; }
    // The first report's time, or -1 before it.
    qint64 origin() const { return first; }

    // Whether a silence counts as a lost link: for sessions without a link.
    void setSilenceIsLoss(bool on) { silenceIsLoss = on; }
    // An alarm row's value and comparison, as its row or the module says.
    void setCondition(int row, int value, int comparison);
    void addReport(qint64 time, const ReportValues &values);
    void linkChanged(qint64 time, bool lost);

private:
    void addAlarmChanges(int changedRows);

    FlightHistory store;
    AlarmWatch watch;
    bool silenceIsLoss = false;
    qint64 first = -1;
    qint64 clock = 0; // the flight's: the newest report's time
};

#endif
