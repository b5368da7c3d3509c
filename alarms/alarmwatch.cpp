#include "alarmwatch.h"

#include <QElapsedTimer>

AlarmWatch::AlarmWatch(Clock clock)
    : clock(std::move(clock))
{
    if (!this->clock) {
        QElapsedTimer monotonic;
        monotonic.start();
        this->clock = [monotonic] { return monotonic.elapsed(); };
    }
}

int AlarmWatch::setCondition(int row, int value, int comparison)
{
    if (row < 0 || row >= RowCount)
        return 0;
    rows[row].value = value;
    rows[row].comparison = comparison;
    return evaluate();
}

int AlarmWatch::addSample(int volt1, int volt2)
{
    newest[0] = volt1;
    newest[1] = volt2;
    hasSample = true;
    return evaluate();
}

int AlarmWatch::settle()
{
    return evaluate();
}

bool AlarmWatch::conditionHolds(const Row &row, int channel) const
{
    if (!hasSample)
        return false;
    switch (row.comparison) {
    case Less:
        return newest[channel] < row.value;
    case Great:
        return newest[channel] > row.value;
    default:
        return false;
    }
}

// Runs once a report: the clock is read only where a row's state differs
// from what it shows.
int AlarmWatch::evaluate()
{
    int changed = 0;
    qint64 now = -1;
    for (int r = 0; r < RowCount; ++r) {
        Row &row = rows[r];
        if (conditionHolds(row, channelOf(r)) == row.shown)
            continue;
        if (now < 0)
            now = clock();
        if (row.everChanged && now - row.shownAt < HoldMs)
            continue; // held back
        row.shown = !row.shown;
        row.shownAt = now;
        row.everChanged = true;
        changed |= 1 << r;
    }
    return changed;
}

qint64 AlarmWatch::nextChangeIn() const
{
    qint64 soonest = -1;
    qint64 now = -1;
    for (int r = 0; r < RowCount; ++r) {
        const Row &row = rows[r];
        if (conditionHolds(row, channelOf(r)) == row.shown)
            continue;
        if (now < 0)
            now = clock();
        const qint64 wait = qMax<qint64>(0, row.shownAt + HoldMs - now);
        if (soonest < 0 || wait < soonest)
            soonest = wait;
    }
    return soonest;
}
