#include "portlistener.h"
#include "pseudoterminal.h"
#include "testframes.h"

#include <QBuffer>
#include <QSerialPort>
#include <QTest>

namespace {

QByteArray voltsFrame(int sequence)
{
    return QByteArray("\x7E\xFE", 2) + char(sequence & 0x3F) + "\x01\x02\x03";
}

// Writes down every report, in the order of emission, as its receiver sees
// it during the call.
class ReportLog : public QObject
{
public:
    explicit ReportLog(PortListener *listener)
    {
        connect(listener, &PortListener::reportVolts, this, [this](char v1, char v2, char q, char ql) {
            entries << QString::asprintf("volts %02x %02x %02x %02x", quint8(v1), quint8(v2),
                                         quint8(q), quint8(ql));
        });
        connect(listener, &PortListener::reportData, this, [this](char *bytes, int length) {
            entries << QStringLiteral("data ")
                            + QByteArray(bytes, length).toHex(' ');
        });
        connect(listener, &PortListener::reportThreshold, this, [this](Threshold *t) {
            thresholdAddresses << t;
            entries << QString::asprintf("threshold %d %d %d %d", t->index, t->value,
                                         t->comparison, t->level);
        });
    }

    QStringList entries;
    QList<Threshold *> thresholdAddresses;
};

} // namespace

class tst_PortListener : public QObject
{
    Q_OBJECT

private slots:
    void reports_data();
    void reports();
    void emptyReadReportsNothing();
    void readsOneBlockPerCall();
    void serialPortOverPseudoTerminal();
};

void tst_PortListener::reports_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QStringList>("reports");

    QTest::newRow("volts") << hex("7E FE 5A 3C 64 32 7E") << QStringList{ "volts 5a 3c 64 32" };
    QTest::newRow("user data skips position 2") << hex("7E FD 03 00 41 42 43 7E")
                                                << QStringList{ "data 41 42 43" };
    QTest::newRow("user data of 1") << hex("7E FD 01 FF 05 7E") << QStringList{ "data 05" };
    QTest::newRow("user data of 6") << hex("7E FD 06 00 01 02 03 04 05 06 7E")
                                    << QStringList{ "data 01 02 03 04 05 06" };
    QTest::newRow("threshold stuffed 7E") << hex("7E FA 7D 5E 01 02 7E")
                                          << QStringList{ "threshold 2 126 1 2" };
    QTest::newRow("threshold value unsigned") << hex("7E FC C8 01 02 7E")
                                              << QStringList{ "threshold 0 200 1 2" };
    QTest::newRow("threshold F9") << hex("7E F9 01 00 00 7E") << QStringList{ "threshold 3 1 0 0" };
    // The frame sorting itself has its own table in the codec's tests.
    QTest::newRow("count 0") << hex("7E FD 00 00 01 7E") << QStringList{};
    // A short frame must not borrow the bytes a longer frame left behind.
    QTest::newRow("short volts dropped") << hex("7E FE 01 02 03 04 05 7E FE 09 7E")
                                         << QStringList{ "volts 01 02 03 04" };
    QTest::newRow("short threshold dropped") << hex("7E FC 01 02 03 7E FC 09 7E")
                                             << QStringList{ "threshold 0 1 2 3" };
    QTest::newRow("short user data dropped") << hex("7E FD 03 00 01 02 03 7E FD 03 00 09 7E")
                                             << QStringList{ "data 01 02 03" };
    QTest::newRow("several frames in order")
            << hex("7E FE 01 02 03 04 7E FD 02 00 AA BB 7E FC 05 00 01 7E FB 06 01 02 7E")
            << QStringList{ "volts 01 02 03 04", "data aa bb", "threshold 0 5 0 1",
                            "threshold 1 6 1 2" };
}

void tst_PortListener::reports()
{
    QFETCH(QByteArray, wire);
    QFETCH(QStringList, reports);
    QBuffer device(&wire);
    QVERIFY(device.open(QIODevice::ReadOnly));
    PortListener listener(&device);
    ReportLog log(&listener);
    listener.receive();
    QCOMPARE(log.entries, reports);
    // Every threshold report hands over the same record, refilled.
    for (Threshold *address : std::as_const(log.thresholdAddresses))
        QCOMPARE(address, log.thresholdAddresses.first());
}

// Nothing to read, nothing reported; the timer waits for its owner.
void tst_PortListener::emptyReadReportsNothing()
{
    QBuffer device;
    QVERIFY(device.open(QIODevice::ReadOnly));
    PortListener listener(&device);
    ReportLog log(&listener);
    listener.receive();
    QCoreApplication::processEvents();
    QVERIFY(log.entries.isEmpty());
    QCOMPARE(listener.timer.interval(), 100);
    QVERIFY(!listener.timer.isActive());
}

// One block a call, and the backlog beyond it drains by itself: one
// readyRead for the whole burst.
void tst_PortListener::readsOneBlockPerCall()
{
    // 6-byte frames: the 171st straddles the 1024-byte boundary.
    QByteArray wire;
    for (int i = 0; i < 2000; ++i)
        wire += voltsFrame(i);
    wire += '\x7E';
    QBuffer device(&wire);
    QVERIFY(device.open(QIODevice::ReadOnly));
    PortListener listener(&device);
    ReportLog log(&listener);

    listener.receive();
    QCOMPARE(device.pos(), PortListener::ReadBlockSize);
    QCOMPARE(log.entries.size(), 1024 / 6); // frames closed by a delimiter in the first block
    QTRY_COMPARE(log.entries.size(), 2000);
    QCOMPARE(device.bytesAvailable(), 0);
    for (int i = 0; i < 2000; ++i)
        QCOMPARE(log.entries.at(i), QString::asprintf("volts %02x 01 02 03", i & 0x3F));
}

void tst_PortListener::serialPortOverPseudoTerminal()
{
    PseudoTerminal pty;
    QVERIFY(pty.isOpen());
    QSerialPort port(pty.slavePath());
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    QVERIFY(port.setBaudRate(9600));
    PortListener listener(&port);
    ReportLog log(&listener);

    // A frame split across two writes, then a burst far beyond one block.
    QVERIFY(pty.write(hex("7E FB 10")));
    QTest::qWait(50);
    QVERIFY(pty.write(hex("01 02 7E")));
    QTRY_COMPARE(log.entries, QStringList{ "threshold 1 16 1 2" });

    QByteArray burst;
    for (int i = 0; i < 1500; ++i)
        burst += voltsFrame(i);
    burst += '\x7E';
    QVERIFY(pty.write(burst));
    QTRY_COMPARE(log.entries.size(), 1501);
    QCOMPARE(log.entries.last(), QString::asprintf("volts %02x 01 02 03", 1499 & 0x3F));
}

QTEST_GUILESS_MAIN(tst_PortListener)
#include "tst_portlistener.moc"
