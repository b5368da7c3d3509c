#ifndef NOTIFICATIONSERVICE_H
#define NOTIFICATIONSERVICE_H

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

// A desktop notification service for the tests: owns
// org.freedesktop.Notifications on the session bus, through a connection of
// its own, for as long as it lives, and writes down each notification asked
// of it and each it is asked to close. Run the test on a bus of its own
// (dbus-run-session).
class NotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call
    {
        QString appName;
        quint32 replacesId;
        QString appIcon;
        QString summary;
        int urgency;
        qint32 timeout;
        quint32 id; // what the service answered
    };

    NotificationService();
    ~NotificationService() override;

    // Whether it owns the name on the bus.
    bool isRegistered() const { return registered; }

    QList<Call> calls;
    QList<quint32> closed; // the notifications closed, by number

public slots:
    quint32 Notify(const QString &appName, quint32 replacesId, const QString &appIcon,
                   const QString &summary, const QString &body, const QStringList &actions,
                   const QVariantMap &hints, qint32 expireTimeout);
    void CloseNotification(quint32 id) { closed << id; }

private:
    bool registered = false;
    quint32 lastId = 0;
};

#endif
