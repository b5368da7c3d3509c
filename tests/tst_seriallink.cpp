#include "portlistener.h"
#include "processusage.h"
#include "pseudoterminal.h"
#include "seriallink.h"
#include "testframes.h"

#include <QFile>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr int QuickRetry = 20; // ms

// A link to a device behind a symbolic link the test points where it likes,
// with a spy on each of its signals.
struct WatchedLink
{
    explicit WatchedLink(const QString &name)
        : port(name), listener(&port), link(name, &port, &listener)
    {
        link.setRetryInterval(QuickRetry);
    }

    QSerialPort port;
    PortListener listener;
    SerialLink link;
    QSignalSpy cannotOpen{ &link, &SerialLink::cannotOpen };
    QSignalSpy lost{ &link, &SerialLink::lost };
    QSignalSpy restored{ &link, &SerialLink::restored };
    QSignalSpy volts{ &listener, &PortListener::reportVolts };
};

QString message(const QSignalSpy &spy, int index = -1)
{
    return spy.at(index < 0 ? spy.size() - 1 : index).at(0).toString();
}

} // namespace

class tst_SerialLink : public QObject
{
    Q_OBJECT

private slots:
    void opensAtTheModulesSettings();
    void waitsForTheDeviceSayingSoOnce();
    void lostAndRestored();
    void nothingToRetryWithoutADevice();

private:
    QTemporaryDir dir;
};

void tst_SerialLink::opensAtTheModulesSettings()
{
    PseudoTerminal pty;
    WatchedLink watched(pty.slavePath());
    QVERIFY(watched.link.open());
    QVERIFY(watched.link.isUp());
    QCOMPARE(watched.link.problem(), QString());
    QCOMPARE(watched.port.baudRate(), 9600);
    QCOMPARE(watched.port.dataBits(), QSerialPort::Data8);
    QCOMPARE(watched.port.parity(), QSerialPort::NoParity);
    QCOMPARE(watched.port.stopBits(), QSerialPort::OneStop);
    QCOMPARE(watched.port.flowControl(), QSerialPort::NoFlowControl);
    QVERIFY(pty.write(voltsFrame(1, 2, 3, 4)));
    QTRY_COMPARE(watched.volts.size(), 1);
}

// The retries fail the same way every time and say so once; the device
// that comes is opened at the next retry.
void tst_SerialLink::waitsForTheDeviceSayingSoOnce()
{
    const QString path = dir.filePath(QStringLiteral("late"));
    WatchedLink watched(path);
    QVERIFY(!watched.link.open());
    const QString reason = QStringLiteral("Cannot open %1: No such file or directory").arg(path);
    QCOMPARE(watched.link.problem(), reason);
    watched.link.waitForDevice();
    QCOMPARE(watched.cannotOpen.size(), 1);
    QCOMPARE(message(watched.cannotOpen), reason);
    QTest::qWait(6 * QuickRetry);
    QCOMPARE(watched.cannotOpen.size(), 1);
    QVERIFY(!watched.link.isUp());

    PseudoTerminal pty;
    QVERIFY(QFile::link(pty.slavePath(), path));
    QTRY_COMPARE(watched.restored.size(), 1);
    QCOMPARE(message(watched.restored), QStringLiteral("Link up: ") + path);
    QVERIFY(watched.link.isUp());
    QCOMPARE(watched.link.problem(), QString());
    QCOMPARE(watched.port.baudRate(), 9600);
    QCOMPARE(watched.lost.size(), 0);
}

// A device that goes away is closed, so it cannot keep the event loop busy,
// and reopened once it is back; decoding starts afresh there.
void tst_SerialLink::lostAndRestored()
{
    const QString path = dir.filePath(QStringLiteral("module"));
    auto first = std::make_unique<PseudoTerminal>();
    QVERIFY(QFile::link(first->slavePath(), path));
    WatchedLink watched(path);
    QVERIFY(watched.link.open());
    QVERIFY(first->write(voltsFrame(1, 0, 0, 0) + hex("7E FE 01"))); // a half frame at the end
    QTRY_COMPARE(watched.volts.size(), 1);

    first.reset(); // the other end goes away
    // Its number may go to another terminal at once; the link must not lead there.
    QVERIFY(QFile::remove(path));
    QTRY_COMPARE(watched.lost.size(), 1);
    QVERIFY2(message(watched.lost).startsWith(QStringLiteral("Link lost: ")), qPrintable(message(watched.lost)));
    QVERIFY(!watched.port.isOpen());
    QCOMPARE(watched.link.problem(), message(watched.lost));
    const double cpuBefore = processCpuSeconds();
    QTest::qWait(15 * QuickRetry);
    const double cpuShare = (processCpuSeconds() - cpuBefore) / (15 * QuickRetry / 1000.0);
    QVERIFY2(cpuShare < 0.2, qPrintable(QStringLiteral("CPU share %1").arg(cpuShare)));
    QCOMPARE(watched.cannotOpen.size(), 1); // each retry since: no device
    QCOMPARE(watched.lost.size(), 1);

    PseudoTerminal second;
    QVERIFY(QFile::link(second.slavePath(), path));
    QTRY_COMPARE(watched.restored.size(), 1);
    QVERIFY(second.write(hex("02 03 04 7E") + voltsFrame(0x33, 0, 0, 0)));
    QTRY_COMPARE(watched.volts.size(), 2);
    QCOMPARE(watched.volts.last().at(0).value<char>(), char(0x33));
}

void tst_SerialLink::nothingToRetryWithoutADevice()
{
    WatchedLink watched({});
    QVERIFY(!watched.link.open());
    watched.link.waitForDevice();
    QCOMPARE(message(watched.cannotOpen), QStringLiteral("No serial port was chosen"));
    QTest::qWait(4 * QuickRetry);
    QCOMPARE(watched.cannotOpen.size(), 1);
    QCOMPARE(watched.restored.size(), 0);
}

QTEST_GUILESS_MAIN(tst_SerialLink)
#include "tst_seriallink.moc"
