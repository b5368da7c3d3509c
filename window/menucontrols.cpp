#include "menucontrols.h"

#include "alarmannouncer.h"
#include "channelscontrol.h"
#include "historycontrol.h"
#include "logbookcontrol.h"
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
    logbookControl = new LogbookControl(window);
    connect(channelsControl, &ChannelsControl::scaleChanged, logbookControl, &LogbookControl::setChannelScale);
    announcer = new AlarmAnnouncer(*rows, window);
    connect(recordingControl, &RecordingControl::message, this, &MenuControls::message);
    connect(logbookControl, &LogbookControl::message, this, &MenuControls::message);
    shareControl = new ShareControl(window, rows);
    for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
        shareControl->setChannelScale(channel, channelsControl->scale(channel));
    connect(channelsControl, &ChannelsControl::scaleChanged, shareControl, &ShareControl::setChannelScale);
    connect(shareControl, &ShareControl::watchedScaleChanged, channelsControl, &ChannelsControl::showWatched);
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
             logbookControl->flightsAction(),
             shareControl->shareAction(),
             separator(), announcer->speakAction(), announcer->notifyAction(),
             announcer->silenceAction() };
}

void MenuControls::listenTo(PortListener *listener)
{
    recordingControl->setListener(listener);
    historyControl->listenTo(listener);
    logbookControl->listenTo(listener);
    shareControl->listenTo(listener);
}

// A recording asked for at start waits for the link to be up.
void MenuControls::followLink(SerialLink *link)
{
    historyControl->followLink(link);
    logbookControl->followLink(link);
    link->whenUp(recordingControl, [this] { recordingControl->startPending(); });
}

void MenuControls::followReplay(ReplayDevice *device)
{
    historyControl->followReplay(device); // the logbook keeps no replay
    shareControl->timeBy(device);
    recordingControl->startPending();
}

BlockDevice *MenuControls::watch(const BrokerAddress &address)
{
    WatchDevice *device = shareControl->watch(address); // the logbook keeps only a link's sessions
    historyControl->timeBy(device);
    recordingControl->startPending();
    return device;
}

void MenuControls::finish()
{
    recordingControl->finish();
    logbookControl->finish();
}
