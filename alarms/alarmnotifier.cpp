#include "alarmnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <cstdio>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

// Urgency levels of the notification specification.
constexpr uchar Normal = 1;
constexpr uchar Critical = 2;

} // namespace

AlarmNotifier::AlarmNotifier(QObject *parent) : QObject(parent)
{
}

void AlarmNotifier::setWindowActive(bool active)
{
    windowActive = active;
}

void AlarmNotifier::show(int row, const QString &text, bool tripped)
{
    if (windowActive || row < 0 || row >= RowCount)
        return;
    rows[row].text = text;
    rows[row].tripped = tripped;
    // Until the service has numbered the row's notification, a second one
    // would stack; the change goes out with the number.
    if (rows[row].inFlight)
        rows[row].changedMeanwhile = true;
    else
        send(row);
}

int AlarmNotifier::callsInFlight() const
{
    int count = 0;
    for (const Row &row : rows)
        count += row.inFlight;
    return count;
}

void AlarmNotifier::send(int row)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        warnOnce(bus.lastError().message());
        return;
    }
    Row &changed = rows[row];
    QDBusMessage notify = QDBusMessage::createMethodCall(Service, Path, Service,
                                                         QStringLiteral("Notify"));
    const QVariantMap hints{
        { QStringLiteral("urgency"), QVariant::fromValue(changed.tripped ? Critical : Normal) },
        { QStringLiteral("desktop-entry"), QStringLiteral("example.duplink.Duplink") },
    };
    notify << QStringLiteral("Duplink") << changed.id << QStringLiteral("duplink") << changed.text
           << QString() << QStringList() << hints << qint32(-1); // the service's own timeout
    changed.inFlight = true;
    changed.changedMeanwhile = false;
    auto *call = new QDBusPendingCallWatcher(bus.asyncCall(notify), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, row](QDBusPendingCallWatcher *answer) { answered(row, answer); });
}

void AlarmNotifier::answered(int row, QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    const QDBusPendingReply<quint32> reply = *call;
    Row &sent = rows[row];
    sent.inFlight = false;
    if (reply.isError()) {
        warnOnce(reply.error().message());
        return;
    }
    sent.id = reply.value();
    if (sent.changedMeanwhile)
        send(row);
}

void AlarmNotifier::warnOnce(const QString &reason)
{
    if (warned)
        return;
    warned = true;
    std::fprintf(stderr, "duplink: %s\n", qPrintable(tr("no desktop notifications: %1").arg(reason)));
}
