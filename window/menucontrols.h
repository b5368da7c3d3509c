#ifndef MENUCONTROLS_H
#define MENUCONTROLS_H

#include <QList>
#include <QObject>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class AlarmAnnouncer;
class AlarmRows;
class ChannelsControl;
class HistoryControl;
class LogbookControl;
class PortListener;
class RecordingControl;
class ReplayDevice;
class SerialLink;

// The controls behind the entries of the graph's and the data pane's
// context menus, each owning its entries, settings and windows: recording,
// the channels' units, the flight history, the logbook, the alarms'
// callouts and notifications. This makes them, hands each what it needs of
// the session as it comes (the listener, the link, or the replay), and
// lists their entries, in groups, for the menus. What they have to tell the
// user comes out of message(); the window shows it.
class MenuControls : public QObject
{
    Q_OBJECT

public:
    MenuControls(QWidget *window, AlarmRows *rows);

    RecordingControl *recording() const { return recordingControl; }
    ChannelsControl *channels() const { return channelsControl; }
    HistoryControl *history() const { return historyControl; }
    LogbookControl *logbook() const { return logbookControl; }

    // The menus' entries, a separator before each group.
    QList<QAction *> menuEntries();

    void listenTo(PortListener *listener);
    void followLink(SerialLink *link);
    void followReplay(ReplayDevice *device);
    // The window closes: everything written out.
    void finish();

signals:
    void message(const QString &text);

private:
    QAction *separator();

    QWidget *window;
    RecordingControl *recordingControl;
    ChannelsControl *channelsControl;
    HistoryControl *historyControl;
    LogbookControl *logbookControl;
    AlarmAnnouncer *announcer;
};

#endif
