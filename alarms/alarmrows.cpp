#include "alarmrows.h"

#include "alarmrow.h"

AlarmRows::AlarmRows(QObject *parent)
    : QObject(parent)
{
    for (int index = 0; index < Count; ++index) {
        rows[index] = new AlarmRow(index + 1, this);
        connect(rows[index], &AlarmRow::conditionEdited, this,
                [this, index](int value, int comparison) { followRow(index, value, comparison); });
    }
    holdTimer.setSingleShot(true);
    connect(&holdTimer, &QTimer::timeout, this, [this] { showChanges(watch.settle()); });
}

void AlarmRows::addTo(QGridLayout &grid, int firstGridRow)
{
    for (int index = 0; index < Count; ++index)
        rows[index]->addTo(grid, firstGridRow + index);
}

void AlarmRows::announceThresholds()
{
    for (int index = 0; index < Count; ++index)
        emit thresholdEdited(index + 1, rows[index]->channel(), rows[index]->setting().value);
}

void AlarmRows::load(const Threshold &threshold)
{
    if (threshold.index >= 0 && threshold.index < Count)
        rows[threshold.index]->load(threshold);
}

void AlarmRows::addSample(int volt1, int volt2)
{
    showChanges(watch.addSample(volt1, volt2));
}

void AlarmRows::setScale(int channel, const ChannelScale &scale)
{
    for (AlarmRow *row : rows) {
        if (row->channel() == channel)
            row->setScale(scale);
    }
}

void AlarmRows::disableSending(const QString &why)
{
    for (AlarmRow *row : rows)
        row->disableSet(why);
}

QWidget *AlarmRows::lastControl() const
{
    return rows[Count - 1]->lastControl();
}

void AlarmRows::followRow(int index, int value, int comparison)
{
    emit thresholdEdited(index + 1, rows[index]->channel(), value);
    showChanges(watch.setCondition(index, value, comparison));
}

void AlarmRows::showChanges(int changedRows)
{
    for (int index = 0; index < Count; ++index) {
        if (changedRows & (1 << index)) {
            rows[index]->showTripped(watch.holds(index));
            emit trippedChanged(index, watch.holds(index));
        }
    }
    const qint64 wait = watch.nextChangeIn();
    if (wait < 0)
        holdTimer.stop();
    else if (!holdTimer.isActive() || holdTimer.remainingTime() > wait)
        holdTimer.start(int(wait));
}
