#include "historybuilder.h"

#include <algorithm>

HistoryBuilder::HistoryBuilder(qsizetype capacity)
    : store(capacity), watch([this] { return clock; })
{
}

void HistoryBuilder::setCondition(int row, int value, int comparison)
{
    addAlarmChanges(watch.setCondition(row, value, comparison));
}

void HistoryBuilder::addReport(qint64 time, const ReportValues &values)
{
    if (first < 0)
        first = time;
    if (silenceIsLoss && !store.isEmpty() && time - store.lastTime() > SilenceMs) {
        store.linkLost(store.lastTime());
        store.linkRestored(time);
    }
    clock = std::max(clock, time);
    store.add(time, values);
    addAlarmChanges(watch.addSample(values[0], values[1]));
}

void HistoryBuilder::linkChanged(qint64 time, bool lost)
{
    clock = std::max(clock, time);
    if (lost)
        store.linkLost(clock);
    else
        store.linkRestored(clock);
}

void HistoryBuilder::addAlarmChanges(int changedRows)
{
    for (int row = 0; changedRows != 0 && row < AlarmWatch::RowCount; ++row) {
        if (changedRows & (1 << row))
            store.addAlarmChange(clock, row, watch.holds(row));
    }
}
