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
class BlockDevice;
class BrokerAddress;
class ChannelsControl;
class HistoryControl;
class LogbookControl;
class PortListener;
class RecordingControl;
class ReplayDevice;
class SerialLink;
class ShareControl;

// The controls behind the entries of the graph's and the data pane's
// context menus, each owning its entries, settings and windows: recording,
// the channels' units, the flight history, the logbook, sharing over MQTT,
// the alarms' callouts and notifications. This makes them, hands each what
// it needs of the session as it comes (the listener, the link, the replay,
// or the watched session), and lists their entries, in groups, for the
// menus. The window wires what they tell it.
class MenuControls : public QObject
{
    Q_OBJECT

public:
    MenuControls(QWidget *window, AlarmRows *rows);

    RecordingControl *recording() const { return recordingControl; }
    ChannelsControl *channels() const { return channelsControl; }
    HistoryControl *history() const { return historyControl; }
    LogbookControl *logbook() const { return logbookControl; }
    ShareControl *share() const { return shareControl; }

    // The menus' entries, a separator before each group.
    QList<QAction *> menuEntries();

    void listenTo(PortListener *listener);
    void followLink(SerialLink *link);
    void followReplay(ReplayDevice *device);
    // A session shared elsewhere, watched: its frames come on the device.
    BlockDevice *watch(const BrokerAddress &address);
    // The window closes: everything written out.
    void finish();

signals:
    // What a control has to tell, for the status line.
    void message(const QString &text);
    // What the status line's tooltip keeps saying (where the session is shared).
    void noteChanged(const QString &note);

private:
    QAction *separator();

    QWidget *window;
    RecordingControl *recordingControl;
    ChannelsControl *channelsControl;
    HistoryControl *historyControl;
    LogbookControl *logbookControl;
    ShareControl *shareControl;
    AlarmAnnouncer *announcer;
};

#endif
