#ifndef ALARMANNOUNCER_H
#define ALARMANNOUNCER_H

#include "alarmcallouts.h"
#include "alarmnotifier.h"
#include "speechspeaker.h"

#include <QObject>

#include <memory>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class AlarmRows;

// The alarm rows' changes where the pilot notices them with eyes on the
// model: read aloud (AlarmCallouts through the speech engine) and as
// desktop notifications while the window is not the active one. Each is
// switched on from the menus and kept in the settings, both off at first;
// "Silence alarms" quiets what is being read until another row trips.
// Nothing is said once the window has closed.
class AlarmAnnouncer : public QObject
{
    Q_OBJECT

public:
    // Ctrl+M anywhere in the window silences the callouts.
    AlarmAnnouncer(const AlarmRows &rows, QWidget *window);

    QAction *speakAction() const { return speak; }
    QAction *notifyAction() const { return notify; }
    QAction *silenceAction() const { return silenceEntry; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rowChanged(int index, bool tripped);
    void setSpeaking(bool on);
    void setNotifying(bool on);

    const AlarmRows &rows;
    QWidget *window;
    SpeechSpeaker speaker; // outlives the callouts, which talk to it
    std::unique_ptr<AlarmCallouts> callouts; // while speaking is on
    int repeatSeconds;
    AlarmNotifier notifier;
    QAction *speak;
    QAction *notify;
    QAction *silenceEntry;
};

#endif
