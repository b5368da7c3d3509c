#ifndef LOGBOOKCONTROL_H
#define LOGBOOKCONTROL_H

#include "channelscale.h"

#include <QObject>
#include <QPointer>

#include <array>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class FlightsWindow;
class Logbook;
class PortListener;
class SerialLink;

// The logbook in the main window: every session with a link is kept, flight
// by flight, unless the settings (logbook/keep) or the command line
// (--no-logbook) say otherwise; a replay, which has no link, never is. Owns the "Flights..."
// entry (Ctrl+L) and the window it opens. What the user should hear of it
// (flights deleted for room, a folder or file that cannot be written) it
// says through message().
//
// The session comes as a listener and, for a live one, its link; anything
// else that reports (a session watched from elsewhere) is kept through
// keepSession() with a name of its own.
class LogbookControl : public QObject
{
    Q_OBJECT

public:
    explicit LogbookControl(QWidget *mainWindow);
    ~LogbookControl() override;

    QAction *flightsAction() const { return flightsEntry; }
    Logbook *logbook() const { return book; }
    // The Flights window, once it has been opened.
    FlightsWindow *window() const { return shown; }

    // Whether this run keeps flights; set before the session starts.
    void setKeeping(bool keep) { keeping = keep; }
    bool isKeeping() const { return keeping; }

    void listenTo(PortListener *listener);
    // The link's device names the flights; its losses say how they ended.
    void followLink(SerialLink *link);
    // Keeps what the listener reports from now on, under this name.
    void keepSession(const QString &device);
    // Ends the flight in progress: the window closes.
    void finish();

public slots:
    void openWindow();
    // Channel 1 to 3 reads this way from now on.
    void setChannelScale(int channel, const ChannelScale &scale);

signals:
    void message(const QString &text);

private:
    QWidget *mainWindow;
    Logbook *book;
    QAction *flightsEntry;
    QPointer<PortListener> listener;
    FlightsWindow *shown = nullptr;
    bool keeping = true;
};

#endif
