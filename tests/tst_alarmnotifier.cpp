#include "alarmnotifier.h"
#include "notificationservice.h"
#include "outputcapture.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

// On a session bus of the test's own (CTest runs it under dbus-run-session),
// against a notification service that writes its calls down.
class tst_AlarmNotifier : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onePerRowReplacedOnEachChange();
    void nothingWhileTheWindowIsActive();
    void clearedWhileActiveClosesTheCritical_data();
    void clearedWhileActiveClosesTheCritical();
    void noServiceOneWarning();
};

void tst_AlarmNotifier::initTestCase()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        QSKIP("no session bus: run through ctest, which starts one with dbus-run-session");
    // Not on a desktop's bus, where the notifications would be real.
    if (bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications")))
        QSKIP("a notification service is on this bus already: run through ctest, which "
              "starts a bus of the test's own with dbus-run-session");
}

// Changes that come before the service has answered are sent once it has,
// in the notification it numbered.
void tst_AlarmNotifier::onePerRowReplacedOnEachChange()
{
    NotificationService service;
    QVERIFY(service.isRegistered());
    AlarmNotifier notifier;
    notifier.show(0, QStringLiteral("Alarm 1: volt 1 below 100"), true);
    notifier.show(2, QStringLiteral("Alarm 3: volt 2 above 120"), true);
    notifier.show(0, QStringLiteral("Alarm 1: volt 1 below 90"), true);
    notifier.show(0, QStringLiteral("Alarm 1 clear"), false);
    QTRY_COMPARE(notifier.callsInFlight(), 0);
    notifier.show(2, QStringLiteral("Alarm 3 clear"), false);
    QTRY_COMPARE(service.calls.size(), 4);

    const QList<NotificationService::Call> &calls = service.calls;
    const quint32 row1 = calls[0].id;
    const quint32 row3 = calls[1].id;
    QVERIFY(row1 != row3);
    const QList<QList<QVariant>> expected = {
        { 0u, "Alarm 1: volt 1 below 100", 2 },
        { 0u, "Alarm 3: volt 2 above 120", 2 },
        { row1, "Alarm 1 clear", 1 },
        { row3, "Alarm 3 clear", 1 },
    };
    for (int i = 0; i < calls.size(); ++i) {
        QCOMPARE(QList<QVariant>({ calls[i].replacesId, calls[i].summary, calls[i].urgency }),
                 expected[i]);
        QCOMPARE(calls[i].timeout, -1); // the service's own
        QCOMPARE(calls[i].appName, QStringLiteral("Duplink"));
        QCOMPARE(calls[i].appIcon, QStringLiteral("duplink"));
    }
}

// Nor for a row that is none of the four.
void tst_AlarmNotifier::nothingWhileTheWindowIsActive()
{
    NotificationService service;
    AlarmNotifier notifier;
    notifier.setWindowActive(true);
    notifier.show(1, QStringLiteral("Alarm 2: volt 1 above 200"), true);
    QCOMPARE(notifier.callsInFlight(), 0);
    notifier.setWindowActive(false);
    for (int noRow : { -1, AlarmNotifier::RowCount })
        notifier.show(noRow, QStringLiteral("Alarm 0: volt 1 below 100"), true);
    notifier.show(3, QStringLiteral("Alarm 4: volt 2 below 60"), true);
    // Calls reach the service in order: one sent while active would be first.
    QTRY_COMPARE(service.calls.size(), 1);
    QCOMPARE(service.calls[0].summary, QStringLiteral("Alarm 4: volt 2 below 60"));
}

void tst_AlarmNotifier::clearedWhileActiveClosesTheCritical_data()
{
    QTest::addColumn<bool>("answered"); // before the row cleared

    QTest::newRow("answered") << true;
    QTest::newRow("not answered yet") << false;
}

// Left up, it would say the row still holds. The row's next notification
// is one of its own.
void tst_AlarmNotifier::clearedWhileActiveClosesTheCritical()
{
    QFETCH(bool, answered);
    NotificationService service;
    AlarmNotifier notifier;
    notifier.show(0, QStringLiteral("Alarm 1: volt 1 below 100"), true);
    notifier.show(1, QStringLiteral("Alarm 2 clear"), false);
    if (answered)
        QTRY_COMPARE(notifier.callsInFlight(), 0);
    notifier.setWindowActive(true);
    notifier.show(0, QStringLiteral("Alarm 1 clear"), false);
    notifier.show(1, QStringLiteral("Alarm 2 clear"), false);
    QTRY_COMPARE(service.closed, QList<quint32>{ 1 });
    notifier.setWindowActive(false);
    notifier.show(0, QStringLiteral("Alarm 1: volt 1 below 90"), true);
    QTRY_COMPARE(service.calls.size(), 3);
    QCOMPARE(service.calls[0].id, 1u);
    QCOMPARE(service.calls[2].replacesId, 0u);
}

void tst_AlarmNotifier::noServiceOneWarning()
{
    OutputCapture errors(stderr);
    AlarmNotifier notifier;
    notifier.show(0, QStringLiteral("Alarm 1: volt 1 below 100"), true);
    notifier.show(1, QStringLiteral("Alarm 2: volt 1 above 200"), true);
    QTRY_COMPARE(notifier.callsInFlight(), 0);
    notifier.show(0, QStringLiteral("Alarm 1 clear"), false);
    QTRY_COMPARE(notifier.callsInFlight(), 0);
    const QList<QByteArray> lines = errors.programText().split('\n');
    QCOMPARE(lines.size(), 2); // one line and its end
    QVERIFY2(lines[0].startsWith("duplink: no desktop notifications: "), lines[0]);
}

QTEST_GUILESS_MAIN(tst_AlarmNotifier)
#include "tst_alarmnotifier.moc"
