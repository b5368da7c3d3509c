#ifndef ALARMNOTIFIER_H
#define ALARMNOTIFIER_H

#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QDBusPendingCallWatcher;
QT_END_NAMESPACE

// The alarm rows' changes as desktop notifications, through the
// freedesktop notification service on the session bus: one notification per
// row, replaced (not stacked) each time the row changes, critical while the
// row is tripped. Nothing is sent while the window is the active one, but a
// critical notification whose row clears then is closed: left on screen, it
// would say the row still holds.
//
// Calls never wait for the service. Without a bus or a service, the first
// change sent prints one line on standard error, and nothing else happens;
// the bus is not touched before that first change.
class AlarmNotifier : public QObject
{
    Q_OBJECT

public:
    static constexpr char NotifyKey[] = "alarms/notify"; // bool, off by default
    static constexpr int RowCount = 4;

    explicit AlarmNotifier(QObject *parent = nullptr);

    // While the window is active, changes are not sent.
    void setWindowActive(bool active);
    // The row (0 to 3) changed: `text` is what the callout says, `tripped`
    // whether the row is now tripped.
    void show(int row, const QString &text, bool tripped);

    // Changes sent whose answer has not come yet.
    int callsInFlight() const;

private:
    struct Row
    {
        quint32 id = 0; // the service's number for the row's notification
        bool inFlight = false;
        bool changedMeanwhile = false; // sent again when the answer comes
        QString text;
        bool tripped = false;
        bool closing = false; // the change closes the notification
        bool critical = false; // the notification up says the row is tripped
    };

    void send(int row);
    void answered(int row, bool closed, QDBusPendingCallWatcher *call);
    void warnOnce(const QString &reason);

    Row rows[RowCount];
    bool windowActive = false;
    bool warned = false;
};

#endif
