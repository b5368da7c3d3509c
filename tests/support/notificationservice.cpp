#include "notificationservice.h"

#include <QDBusConnection>

namespace {

const QString ConnectionName = QStringLiteral("notification-service");

} // namespace

NotificationService::NotificationService()
{
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName);
    registered = bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                    QDBusConnection::ExportAllSlots)
            && bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

NotificationService::~NotificationService()
{
    QDBusConnection bus(ConnectionName);
    bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    QDBusConnection::disconnectFromBus(ConnectionName);
}

quint32 NotificationService::Notify(const QString &appName, quint32 replacesId,
                                    const QString &appIcon, const QString &summary,
                                    const QString &, const QStringList &, const QVariantMap &hints,
                                    qint32 expireTimeout)
{
    const quint32 id = replacesId != 0 ? replacesId : ++lastId;
    calls << Call{ appName, replacesId, appIcon, summary,
                   hints.value(QStringLiteral("urgency"), -1).toInt(), expireTimeout, id };
    return id;
}
