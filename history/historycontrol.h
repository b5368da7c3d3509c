#ifndef HISTORYCONTROL_H
#define HISTORYCONTROL_H

#include "channelscale.h"
#include "historybuilder.h"

#include <QObject>

#include <array>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class AlarmRows;
class BlockDevice;
class HistoryWindow;
class PortListener;
class ReplayDevice;
class SerialLink;

// The flight's history from the first report on, whether its window is open
// or not: every volts report with its time of arrival (by the wall clock; in
// a replay, the time the capture recorded), the link's losses and returns,
// and the moments the alarm rows tripped and cleared (HistoryBuilder, with
// the rows' conditions as they are edited or loaded). Owns the "Flight
// history..." entry (Ctrl+H) and the window it opens.
class HistoryControl : public QObject
{
    Q_OBJECT

public:
    HistoryControl(QWidget *mainWindow, AlarmRows *rows,
                   qsizetype capacity = FlightHistory::LineReportsPerDay);

    QAction *openAction() const { return open; }
    const FlightHistory &history() const { return builder.history(); }
    // The window, once it has been opened.
    HistoryWindow *window() const { return shown; }

    void listenTo(PortListener *listener);
    void followLink(SerialLink *link);
    // Reports are timed by the capture from now on.
    void followReplay(ReplayDevice *device);
    // Reports are timed by the device they are read from (a replayed
    // capture, a watched session), and a silence is a lost link.
    void timeBy(const BlockDevice *device);

public slots:
    void openWindow();
    // Channel 1 to 3 reads this way from now on.
    void setChannelScale(int channel, const ChannelScale &scale);

private:
    void addReport(char volt1, char volt2, char linkq, char linkql);
    void linkChanged(bool lost);
    void historyChanged();

    QWidget *mainWindow;
    AlarmRows *rows;
    QAction *open;
    HistoryBuilder builder;
    std::array<ChannelScale, ChannelScale::ChannelCount> scales = {
        ChannelScale::defaults(ChannelScale::Volt1), ChannelScale::defaults(ChannelScale::Volt2),
        ChannelScale::defaults(ChannelScale::LinkQuality)
    };
    const BlockDevice *clock = nullptr;
    HistoryWindow *shown = nullptr;
};

#endif
