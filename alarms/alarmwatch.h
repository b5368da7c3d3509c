#ifndef ALARMWATCH_H
#define ALARMWATCH_H

#include <QtGlobal>

#include <functional>

// Whether each alarm row's condition holds for the newest sample of the
// row's channel: the sample below the row's value ("less") or above it
// ("great"). Rows 1 and 2 watch channel 1 (volt 1), rows 3 and 4 channel 2
// (volt 2). The module's alarm level plays no part: what the module does
// with it is not known here.
//
// A row's shown state changes at most once a hold time: a change that comes
// sooner is held back until the time is up, and shown then only if it still
// stands, so data hovering at a threshold does not make the row flicker.
//
// No widget and no timer: the window feeds it samples and the rows'
// settings, shows what it says, and calls settle() when nextChangeIn() is
// up. The clock is injectable for the tests.
class AlarmWatch
{
public:
    static constexpr int RowCount = 4;
    static constexpr qint64 HoldMs = 1000;
    enum Comparison { Less = 0, Great = 1 }; // as the rows' combo boxes and the protocol

    using Clock = std::function<qint64()>; // milliseconds, never going back

    // Without a clock, a monotonic one.
    explicit AlarmWatch(Clock clock = {});

    // Each of these returns the rows whose shown state changed, as a mask
    // of bits 1 << row. A comparison other than Less or Great never holds.
    int setCondition(int row, int value, int comparison);
    int addSample(int volt1, int volt2);
    // Shows the held-back changes whose time is up.
    int settle();

    bool holds(int row) const { return rows[row].shown; }
    // Milliseconds until a held-back change may be shown, or -1 when no
    // change waits.
    qint64 nextChangeIn() const;

private:
    // The channel a row (0 to 3) watches: 0 for volt 1, 1 for volt 2.
    static int channelOf(int row) { return row < 2 ? 0 : 1; }

    struct Row
    {
        int value = 1;
        int comparison = Less;
        bool shown = false;
        qint64 shownAt = 0; // when `shown` last changed
        bool everChanged = false;
    };

    bool conditionHolds(const Row &row, int channel) const;
    int evaluate();

    Clock clock;
    Row rows[RowCount];
    int newest[2] = { 0, 0 };
    bool hasSample = false;
};

#endif
