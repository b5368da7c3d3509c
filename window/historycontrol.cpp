#include "historycontrol.h"

#include "alarmrow.h"
#include "alarmrows.h"
#include "channelscontrol.h"
#include "historyplot.h"
#include "historywindow.h"
#include "portlistener.h"
#include "replaydevice.h"
#include "seriallink.h"

#include <QAction>
#include <QDateTime>
#include <QWidget>

HistoryControl::HistoryControl(QWidget *mainWindow, AlarmRows *rows, ChannelsControl *channels,
                               qsizetype capacity)
    : QObject(mainWindow),
      mainWindow(mainWindow),
      rows(rows),
      channels(channels),
      store(capacity),
      watch([this] { return clock; })
{
    open = new QAction(tr("Flight history..."), mainWindow);
    open->setObjectName(QStringLiteral("flightHistoryAction"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(open, &QAction::triggered, this, &HistoryControl::openWindow);
    for (int index = 0; index < AlarmWatch::RowCount; ++index) {
        const AlarmSetting setting = rows->row(index)->setting();
        watch.setCondition(index, setting.value, setting.comparison);
        connect(rows->row(index), &AlarmRow::conditionEdited, this, [this, index](int value, int comparison) {
            addAlarmChanges(watch.setCondition(index, value, comparison));
        });
    }
    connect(channels, &ChannelsControl::scaleChanged, this, &HistoryControl::showScale);
}

void HistoryControl::listenTo(PortListener *listener)
{
    connect(listener, &PortListener::reportVolts, this, &HistoryControl::addReport);
}

void HistoryControl::followLink(SerialLink *link)
{
    connect(link, &SerialLink::lost, this, [this] { linkChanged(true); });
    connect(link, &SerialLink::restored, this, [this] { linkChanged(false); });
}

void HistoryControl::followReplay(ReplayDevice *device)
{
    replay = device;
    connect(device, &ReplayDevice::finished, this, [this] {
        if (shown)
            shown->plot()->settle();
    });
}

void HistoryControl::addReport(char volt1, char volt2, char linkq, char linkql)
{
    const qint64 time = replay ? replay->playedTime() : QDateTime::currentMSecsSinceEpoch();
    if (origin < 0) {
        origin = time;
        if (shown)
            shown->setOrigin(origin);
    }
    if (replay && !store.isEmpty() && time - store.lastTime() > ReplaySilenceMs) {
        store.linkLost(store.lastTime());
        store.linkRestored(time);
    }
    clock = std::max(clock, time);
    store.add(time, { quint8(volt1), quint8(volt2), quint8(linkq), quint8(linkql) });
    addAlarmChanges(watch.addSample(quint8(volt1), quint8(volt2)));
    if (shown)
        shown->historyChanged();
}

void HistoryControl::addAlarmChanges(int changedRows)
{
    for (int row = 0; changedRows != 0 && row < AlarmWatch::RowCount; ++row) {
        if (changedRows & (1 << row))
            store.addAlarmChange(clock, row, watch.holds(row));
    }
}

void HistoryControl::linkChanged(bool lost)
{
    clock = std::max(clock, QDateTime::currentMSecsSinceEpoch());
    if (lost)
        store.linkLost(clock);
    else
        store.linkRestored(clock);
    if (shown)
        shown->historyChanged();
}

void HistoryControl::showScale(int channel, const ChannelScale &scale)
{
    if (shown)
        shown->setChannelScale(channel, scale);
}

void HistoryControl::openWindow()
{
    if (!shown) {
        shown = new HistoryWindow(store, mainWindow);
        for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
            shown->setChannelScale(channel, channels->scale(channel));
        for (int row = 0; row < AlarmWatch::RowCount; ++row)
            shown->plot()->setRowChannel(row, rows->row(row)->channel());
        if (origin >= 0)
            shown->setOrigin(origin);
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
}
