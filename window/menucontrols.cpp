#include "menucontrols.h"

#include "alarmannouncer.h"
#include "channelscontrol.h"
#include "historycontrol.h"
#include "recordingcontrol.h"
#include "replaydevice.h"
#include "seriallink.h"
#include "sharecontrol.h"
#include "watchdevice.h"

#include <QAction>
#include <QWidget>

MenuControls::MenuControls(QWidget *window, AlarmRows *rows)
    : QObject(window), window(window)
{
    recordingControl = new RecordingControl(window);
    channelsControl = new ChannelsControl(window);
    historyControl = new HistoryControl(window, rows);
    for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
        historyControl->setChannelScale(channel, channelsControl->scale(channel));
    connect(channelsControl, &ChannelsControl::scaleChanged, historyControl, &HistoryControl::setChannelScale);
    announcer = new AlarmAnnouncer(*rows, window);
    shareControl = new ShareControl(window, rows);
    for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
        shareControl->setChannelScale(channel, channelsControl->scale(channel));
    connect(channelsControl, &ChannelsControl::scaleChanged, shareControl, &ShareControl::setChannelScale);
    connect(shareControl, &ShareControl::watchedScaleChanged, channelsControl, &ChannelsControl::showWatched);
    connect(recordingControl, &RecordingControl::message, this, &MenuControls::message);
    connect(shareControl, &ShareControl::message, this, &MenuControls::message);
    connect(shareControl, &ShareControl::noteChanged, this, &MenuControls::noteChanged);
}

QAction *MenuControls::separator()
{
    auto *line = new QAction(window);
    line->setSeparator(true);
    return line;
}

QList<QAction *> MenuControls::menuEntries()
{
    return { separator(), recordingControl->recordAction(), recordingControl->stopAction(),
             separator(), channelsControl->editAction(), historyControl->openAction(),
             shareControl->shareAction(),
             separator(), announcer->speakAction(), announcer->notifyAction(),
             announcer->silenceAction() };
}

void MenuControls::listenTo(PortListener *listener)
{
    recordingControl->setListener(listener);
    historyControl->listenTo(listener);
    shareControl->listenTo(listener);
}

// A recording asked for at start waits for the link to be up.
void MenuControls::followLink(SerialLink *link)
{
    historyControl->followLink(link);
    link->whenUp(recordingControl, [this] { recordingControl->startPending(); });
}

void MenuControls::followReplay(ReplayDevice *device)
{
    historyControl->followReplay(device);
    shareControl->timeBy(device);
    recordingControl->startPending();
}

BlockDevice *MenuControls::watch(const BrokerAddress &address)
{
    WatchDevice *device = shareControl->watch(address);
    historyControl->timeBy(device);
    recordingControl->startPending();
    return device;
}
