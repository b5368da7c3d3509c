#include "alarmnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <cstdio>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

// The urgency levels desktop notification services know.
constexpr uchar Normal = 1;
constexpr uchar Critical = 2;

// A notification for the row, in place of the one numbered `id` (0: none).
QDBusMessage notifyCall(quint32 id, const QString &text, bool tripped)
{
    QDBusMessage notify = QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("Notify"));
    const QVariantMap hints{
        { QStringLiteral("urgency"), QVariant::fromValue(tripped ? Critical : Normal) },
        { QStringLiteral("desktop-entry"), QStringLiteral("example.duplink.Duplink") },
    };
    notify << QStringLiteral("Duplink") << id << QStringLiteral("duplink") << text << QString()
           << QStringList() << hints << qint32(-1); // the service's own timeout
    return notify;
}

QDBusMessage closeCall(quint32 id)
{
    QDBusMessage close = QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("CloseNotification"));
    close << id;
    return close;
}

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
    if (row < 0 || row >= RowCount)
        return;
    Row &changed = rows[row];
    const bool closing = windowActive && !tripped && changed.critical;
    if (windowActive && !closing)
        return;
    changed.text = text;
    changed.tripped = tripped;
    changed.closing = closing;
    // Until the service has numbered the row's notification, a second one
    // would stack; the change goes out with the number.
    if (changed.inFlight)
        changed.changedMeanwhile = true;
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
    const bool closing = changed.closing;
    const QDBusMessage call = closing ? closeCall(changed.id) : notifyCall(changed.id, changed.text, changed.tripped);
    changed.critical = !closing && changed.tripped;
    if (closing)
        changed.id = 0; // the row's next change is a notification of its own
    changed.inFlight = true;
    changed.changedMeanwhile = false;
    auto *pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, row, closing](QDBusPendingCallWatcher *answer) { answered(row, closing, answer); });
}

void AlarmNotifier::answered(int row, bool closed, QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    Row &sent = rows[row];
    sent.inFlight = false;
    if (call->isError()) {
        warnOnce(call->error().message());
        return;
    }
    if (!closed)
        sent.id = QDBusPendingReply<quint32>(*call).value();
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
