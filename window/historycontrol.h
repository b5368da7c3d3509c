#ifndef HISTORYCONTROL_H
#define HISTORYCONTROL_H

#include "alarmwatch.h"
#include "flighthistory.h"

#include <QObject>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class AlarmRows;
class ChannelScale;
class ChannelsControl;
class HistoryWindow;
class PortListener;
class ReplayDevice;
class SerialLink;

// The flight's history from the first report on, whether its window is open
// or not: every volts report with its time of arrival (by the wall clock; in
// a replay, the time the capture recorded), the link's losses and returns,
// and the moments the alarm rows tripped and cleared. Owns the "Flight
// history..." entry (Ctrl+H) and the window it opens.
//
// The rows' conditions are watched here too, by the same rules as the rows
// (AlarmWatch, a change held for a second) but on the flight's own clock, so
// a replay played as fast as it goes still marks each change where it
// happened.
class HistoryControl : public QObject
{
    Q_OBJECT

public:
    // A replay has no link to lose: a silence this long between two of its
    // reports, sixty missed at the simulator's rate and four hundred at the
    // line's, is kept as a lost link (a cable pulled, a module reset). A
    // module that is merely slow to answer stays well inside it.
    static constexpr qint64 ReplaySilenceMs = 3000;

    HistoryControl(QWidget *mainWindow, AlarmRows *rows, ChannelsControl *channels,
                   qsizetype capacity = FlightHistory::LineReportsPerDay);

    QAction *openAction() const { return open; }
    const FlightHistory &history() const { return store; }
    // The window, once it has been opened.
    HistoryWindow *window() const { return shown; }

    void listenTo(PortListener *listener);
    void followLink(SerialLink *link);
    // Reports are timed by the capture from now on.
    void followReplay(ReplayDevice *device);

public slots:
    void openWindow();

private:
    void addReport(char volt1, char volt2, char linkq, char linkql);
    void addAlarmChanges(int changedRows);
    void linkChanged(bool lost);
    void showScale(int channel, const ChannelScale &scale);

    QWidget *mainWindow;
    AlarmRows *rows;
    ChannelsControl *channels;
    QAction *open;
    FlightHistory store;
    AlarmWatch watch;
    ReplayDevice *replay = nullptr;
    qint64 origin = -1; // the first report's time
    qint64 clock = 0; // the flight's: the newest report's time
    HistoryWindow *shown = nullptr;
};

#endif
