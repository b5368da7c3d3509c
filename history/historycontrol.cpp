#include "historycontrol.h"

#include "alarmrow.h"
#include "alarmrows.h"
#include "historyplot.h"
#include "historywindow.h"
#include "portlistener.h"
#include "replaydevice.h"
#include "seriallink.h"

#include <QAction>
#include <QDateTime>
#include <QWidget>

HistoryControl::HistoryControl(QWidget *mainWindow, AlarmRows *rows, qsizetype capacity)
    : QObject(mainWindow), mainWindow(mainWindow), rows(rows), builder(capacity)
{
    open = new QAction(tr("Flight history..."), mainWindow);
    open->setObjectName(QStringLiteral("flightHistoryAction"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(open, &QAction::triggered, this, &HistoryControl::openWindow);
    for (int index = 0; index < AlarmWatch::RowCount; ++index) {
        const AlarmSetting setting = rows->row(index)->setting();
        builder.setCondition(index, setting.value, setting.comparison);
        connect(rows->row(index), &AlarmRow::conditionEdited, this, [this, index](int value, int comparison) {
            builder.setCondition(index, value, comparison);
        });
    }
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

void HistoryControl::timeBy(const BlockDevice *device)
{
    clock = device;
    builder.setSilenceIsLoss(true);
}

void HistoryControl::followReplay(ReplayDevice *device)
{
    timeBy(device);
    connect(device, &ReplayDevice::finished, this, [this] {
        if (shown)
            shown->plot()->settle();
    });
}

void HistoryControl::addReport(char volt1, char volt2, char linkq, char linkql)
{
    const qint64 time = clock ? clock->playedTime() : QDateTime::currentMSecsSinceEpoch();
    const bool first = builder.origin() < 0;
    builder.addReport(time, { quint8(volt1), quint8(volt2), quint8(linkq), quint8(linkql) });
    if (first && shown)
        shown->setOrigin(builder.origin());
    historyChanged();
}

void HistoryControl::linkChanged(bool lost)
{
    builder.linkChanged(QDateTime::currentMSecsSinceEpoch(), lost);
    historyChanged();
}

void HistoryControl::historyChanged()
{
    if (shown)
        shown->historyChanged();
}

void HistoryControl::setChannelScale(int channel, const ChannelScale &scale)
{
    scales[std::size_t(channel - 1)] = scale;
    if (shown)
        shown->setChannelScale(channel, scale);
}

void HistoryControl::openWindow()
{
    if (!shown) {
        shown = new HistoryWindow(builder.history(), mainWindow);
        for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
            shown->setChannelScale(channel, scales[std::size_t(channel - 1)]);
        for (int row = 0; row < AlarmWatch::RowCount; ++row)
            shown->plot()->setRowChannel(row, rows->row(row)->channel());
        if (builder.origin() >= 0)
            shown->setOrigin(builder.origin());
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
}
