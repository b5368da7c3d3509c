#include "framecodec.h"
#include "pseudoterminal.h"
#include "testframes.h"
#include "toolprocess.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace {

FrameKind kindOf(const QByteArray &payload)
{
    return frameKind(reinterpret_cast<const std::uint8_t *>(payload.constData()),
                     int(payload.size()));
}

// A running simulator seen from the monitor's side: the lines it prints and
// the frames decoded from its device, in order of arrival.
class Session
{
public:
    explicit Session(const QStringList &arguments) : sim(QStringLiteral(DUPLINK_SIM_PATH), arguments)
    {
        QObject::connect(&port, &QSerialPort::readyRead, &port, [this] { take(port.readAll()); });
        clock.start();
    }

    // Opens the printed device, or `path`, as the monitor does: 9600 8N1
    // (the port's default framing).
    bool open(const QString &path = QString())
    {
        const QString device = sim.firstLine();
        if (device.isEmpty())
            return false;
        port.setPortName(path.isEmpty() ? device : path);
        return port.open(QIODevice::ReadWrite) && port.setBaudRate(9600);
    }

    void take(const QByteArray &bytes)
    {
        decoder.decode(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                       std::size_t(bytes.size()), [this](const std::uint8_t *payload, int length) {
                           frames << QByteArray(reinterpret_cast<const char *>(payload), length);
                           if (kindOf(frames.last()) == FrameKind::Volts)
                               voltsMs << clock.elapsed();
                       });
    }

    QList<QByteArray> ofKind(FrameKind kind, qsizetype from = 0) const
    {
        QList<QByteArray> result;
        for (qsizetype i = from; i < frames.size(); ++i) {
            if (kindOf(frames[i]) == kind)
                result << frames[i];
        }
        return result;
    }

    // The lines printed after the device.
    QStringList printed() const { return sim.lines().mid(1); }

    // As ToolProcess::exitCode(), with the last frames read.
    int waitForExit(int timeoutMs)
    {
        const int exitCode = sim.exitCode(timeoutMs);
        if (port.isOpen())
            take(port.readAll());
        return exitCode;
    }

    ToolProcess sim;
    QSerialPort port;
    QList<QByteArray> frames;
    QList<qint64> voltsMs; // when each volts frame arrived

private:
    FrameDecoder decoder;
    QElapsedTimer clock;
};

// Sends the request frame; returns the four threshold frames of the answer,
// or nothing if the simulator did not print "request" and answer in time.
QList<QByteArray> answerToRequest(Session &session)
{
    const qsizetype printedBefore = session.printed().size();
    const qsizetype framesBefore = session.frames.size();
    session.port.write(RequestFrame);
    QList<QByteArray> answer;
    const bool answered = QTest::qWaitFor([&] {
        const QList<QByteArray> thresholds = session.ofKind(FrameKind::Threshold, framesBefore);
        if (session.printed().size() <= printedBefore || session.printed().last() != "request"
            || thresholds.size() < Protocol::AlarmCount)
            return false;
        answer = thresholds.mid(thresholds.size() - Protocol::AlarmCount);
        for (int i = 0; i < Protocol::AlarmCount; ++i) {
            if (quint8(answer[i][0]) != Protocol::alarmCommand(i))
                return false;
        }
        return true;
    }, 5000);
    return answered ? answer : QList<QByteArray>();
}

// Some kernels hand a pseudo-terminal's settings on to the next one of the
// same number; leave a cooked one behind, so that the simulator must set its
// line raw itself rather than inherit a raw one from an earlier test.
void leaveCookedTerminalBehind()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    const int slave = master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0
            ? ::open(ptsname(master), O_RDWR | O_NOCTTY) : -1;
    termios settings;
    if (slave >= 0 && tcgetattr(slave, &settings) == 0) {
        settings.c_iflag |= ICRNL;
        settings.c_oflag |= OPOST | ONLCR;
        settings.c_lflag |= ICANON | ECHO;
        tcsetattr(slave, TCSANOW, &settings);
    }
    for (int fd : { slave, master }) {
        if (fd >= 0)
            ::close(fd);
    }
}

} // namespace

class tst_Simulator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void commands_data();
    void commands();
    void lineIsRawForAnyOpener();
    void stream_data();
    void stream();
    void sameSeedSameFrames_data();
    void sameSeedSameFrames();
    void aFlightWithOneSag_data();
    void aFlightWithOneSag();
    void link_data();
    void link();
    void givenDevice();
    void idleBetweenFrames();

private:
    std::unique_ptr<Session> shared; // one simulator for all the commands
};

void tst_Simulator::initTestCase()
{
    QVERIFY(QFileInfo(QStringLiteral(DUPLINK_SIM_PATH)).isExecutable());
    shared = std::make_unique<Session>(QStringList{ "--seed", "5" });
    QVERIFY2(shared->open(), qPrintable(shared->port.errorString()));
}

void tst_Simulator::cleanupTestCase()
{
    QCOMPARE(shared->sim.stop(SIGTERM, 10000), 0);
}

void tst_Simulator::commands_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<int>("splitAt"); // 0: one write
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("report"); // the threshold frame sent back

    QTest::newRow("alarm 3, stuffed 126") << hex("7E FA 7D 5E 01 02 00 00 00 00 00 7E") << 0
            << QStringList{ "alarm 3 value 126 comparison 1 level 2" } << hex("FA 7E 01 02");
    QTest::newRow("alarm 1, stuffed 125") << hex("7E FC 7D 5D 00 03 00 00 00 00 00 7E") << 0
            << QStringList{ "alarm 1 value 125 comparison 0 level 3" } << hex("FC 7D 00 03");
    QTest::newRow("alarm 4, line feed") << hex("7E F9 0A 01 00 00 00 00 00 00 7E") << 0
            << QStringList{ "alarm 4 value 10 comparison 1 level 0" } << hex("F9 0A 01 00");
    QTest::newRow("alarm 2, top byte") << hex("7E FB FF 01 03 00 00 00 00 00 7E") << 0
            << QStringList{ "alarm 2 value 255 comparison 1 level 3" } << hex("FB FF 01 03");
    QTest::newRow("split after the escape") << hex("7E FB 7D 5E 00 02 00 00 00 00 00 7E") << 3
            << QStringList{ "alarm 2 value 126 comparison 0 level 2" } << hex("FB 7E 00 02");
    QTest::newRow("after line noise") << hex("41 7D 42 7E FC 0D 01 01 00 00 00 00 00 7E") << 0
            << QStringList{ "alarm 1 value 13 comparison 1 level 1" } << hex("FC 0D 01 01");
    QTest::newRow("unknown command") << hex("7E F7 00 00 00 00 00 00 00 00 7E") << 0
                                     << QStringList() << QByteArray();
    QTest::newRow("threshold layout is no command") << hex("7E FC 05 01 02 7E") << 0
                                                    << QStringList() << QByteArray();
}

// Each command is followed by a request: the lines printed in between, the
// report sent back and the alarms the request reports must all show it.
void tst_Simulator::commands()
{
    QFETCH(QByteArray, wire);
    QFETCH(int, splitAt);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, report);
    Session &s = *shared;

    QList<QByteArray> alarms = answerToRequest(s);
    QCOMPARE(alarms.size(), Protocol::AlarmCount);
    const qsizetype printedBefore = s.printed().size();
    const qsizetype framesBefore = s.frames.size();
    if (splitAt > 0) {
        s.port.write(wire.left(splitAt));
        QVERIFY(s.port.waitForBytesWritten(1000));
        QTest::qWait(30);
        wire = wire.mid(splitAt);
    }
    s.port.write(wire);

    QList<QByteArray> reports;
    if (!report.isEmpty()) {
        alarms[Protocol::FirstThresholdType - quint8(report[0])] = report;
        reports << report;
    }
    QCOMPARE(answerToRequest(s), alarms);
    QCOMPARE(s.printed().mid(printedBefore), lines << "request");
    QCOMPARE(s.ofKind(FrameKind::Threshold, framesBefore), reports + alarms);
}

// A monitor that leaves the terminal settings alone must still get every
// byte through unchanged: no CR/LF translation, no line buffering.
void tst_Simulator::lineIsRawForAnyOpener()
{
    leaveCookedTerminalBehind();
    Session s({ "--seed", "9" });
    const int fd = ::open(QFile::encodeName(s.sim.firstLine()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(fd >= 0);
    const QByteArray commands =
            hex("7E FB 0D 00 01 00 00 00 00 00 7E 7E F9 0A 01 00 00 00 00 00 00 7E");
    QCOMPARE(::write(fd, commands.constData(), size_t(commands.size())), ssize_t(commands.size()));
    const bool answered = QTest::qWaitFor([&] {
        char buffer[512];
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0)
            s.take(QByteArray(buffer, count));
        return s.ofKind(FrameKind::Threshold).size() >= 2 && s.printed().size() >= 2;
    }, 5000);
    ::close(fd);
    QCOMPARE(s.ofKind(FrameKind::Threshold), QList<QByteArray>({ hex("FB 0D 00 01"), hex("F9 0A 01 00") }));
    QCOMPARE(s.printed(), QStringList({ "alarm 2 value 13 comparison 0 level 1",
                                      "alarm 4 value 10 comparison 1 level 0" }));
    QVERIFY(answered);
}

void tst_Simulator::stream_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("frames");
    QTest::addColumn<double>("rate"); // 0: flood
    QTest::addColumn<bool>("noise");

    QTest::newRow("default rate") << QStringList{ "--frames", "8" } << 8 << 20.0 << false;
    QTest::newRow("rate 50") << QStringList{ "--rate", "50", "--frames", "26" } << 26 << 50.0
                             << false;
    QTest::newRow("noise") << QStringList{ "--noise", "--rate", "100", "--frames", "60" } << 60
                           << 100.0 << true;
    QTest::newRow("flood") << QStringList{ "--flood", "--frames", "3000" } << 3000 << 0.0 << false;
    QTest::newRow("flood, noise") << QStringList{ "--flood", "--noise", "--frames", "3000" }
                                  << 3000 << 0.0 << true;
}

void tst_Simulator::stream()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, frames);
    QFETCH(double, rate);
    QFETCH(bool, noise);

    Session s(arguments << "--seed" << "11");
    QVERIFY(s.open());
    QCOMPARE(s.waitForExit(10000), 0);

    const QList<QByteArray> volts = s.ofKind(FrameKind::Volts);
    QCOMPARE(volts.size(), frames);
    QVERIFY(s.ofKind(FrameKind::Threshold).isEmpty()); // nothing was asked
    const QList<QByteArray> userData = s.ofKind(FrameKind::UserData);
    QVERIFY(userData.size() <= frames / 10 && (frames < 50 || !userData.isEmpty()));
    for (const QByteArray &frame : userData)
        QVERIFY2(frame.size() == 3 + frame[1] && frame[2] == 0, frame.toHex(' '));
    // Junk only with --noise, and never anything that passes for a frame.
    QCOMPARE(s.ofKind(FrameKind::Ignored).size() > 0, noise);

    // From the third frame on, so that frames sent before the port was open
    // do not count; a flood is not paced at all (20 frames/s would take minutes).
    const qint64 measured = s.voltsMs.last() - s.voltsMs[2];
    const qint64 expected = qint64((frames - 3) * 1000 / (rate > 0 ? rate : 20));
    // Generous above: a loaded machine delays the reader, never the pace.
    const bool paced = measured >= expected * 3 / 4 && measured <= expected * 2 + 250;
    QVERIFY2(rate > 0 ? paced : measured < 5000,
             qPrintable(QStringLiteral("%1 ms for %2 frames").arg(measured).arg(frames)));

    if (noise) {
        const auto needsStuffing = [](const QByteArray &frame) {
            return frame.mid(1).contains('\x7D') || frame.mid(1).contains('\x7E');
        };
        QVERIFY(std::count_if(volts.begin(), volts.end(), needsStuffing) * 5 >= frames);
        return;
    }
    // Plausible readings: slow voltages, link quality mostly high.
    int highLink = 0;
    for (qsizetype i = 0; i < volts.size(); ++i) {
        highLink += quint8(volts[i][3]) >= 150;
        for (int at : { 1, 2 })
            QVERIFY(i == 0 || qAbs(quint8(volts[i][at]) - quint8(volts[i - 1][at])) <= 8);
    }
    QVERIFY(highLink * 5 >= frames * 4);
}

void tst_Simulator::sameSeedSameFrames_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("paced") << QStringList{ "--rate", "500", "--frames", "60" };
    QTest::newRow("flood") << QStringList{ "--flood", "--frames", "400" };
    QTest::newRow("flood, noise") << QStringList{ "--flood", "--noise", "--frames", "400" };
}

void tst_Simulator::sameSeedSameFrames()
{
    QFETCH(QStringList, arguments);
    const auto run = [&](const char *seed) {
        Session s(QStringList(arguments) << "--seed" << seed);
        return s.open() && s.waitForExit(10000) == 0 ? s.frames : QList<QByteArray>();
    };
    const QList<QByteArray> first = run("7");
    QVERIFY(first.size() >= 60);
    QCOMPARE(run("7"), first);
    QVERIFY(run("8") != first);
}

void tst_Simulator::aFlightWithOneSag_data()
{
    QTest::addColumn<QString>("seed");
    for (const char *seed : { "1", "7", "21", "4000000000" })
        QTest::newRow(seed) << QString::fromLatin1(seed);
}

// The default session is a minute's flight: within the module's default
// alarms (volt 1 below 110 or 50, volt 2 above 180 or below 60) but for a
// sag of volt 1 below 110, for seconds, between 15 s and the end.
void tst_Simulator::aFlightWithOneSag()
{
    QFETCH(QString, seed);
    constexpr int PerSecond = 20;
    Session s({ "--flood", "--frames", QString::number(60 * PerSecond), "--seed", seed });
    QVERIFY(s.open());
    QCOMPARE(s.waitForExit(10000), 0);
    const QList<QByteArray> volts = s.ofKind(FrameKind::Volts);
    QCOMPARE(volts.size(), 60 * PerSecond);
    QList<int> lowFrames;
    for (int i = 0; i < volts.size(); ++i) {
        const int volt1 = quint8(volts[i][1]);
        const int volt2 = quint8(volts[i][2]);
        QVERIFY2(volt1 >= 50 && volt2 >= 60 && volt2 <= 180, qPrintable(volts[i].toHex(' ')));
        if (volt1 < 110)
            lowFrames << i;
    }
    QVERIFY(!lowFrames.isEmpty());
    QVERIFY2(lowFrames.first() >= 15 * PerSecond && lowFrames.last() < 55 * PerSecond,
             qPrintable(QStringLiteral("low from frame %1 to %2").arg(lowFrames.first()).arg(lowFrames.last())));
    // One sag: no frame above the alarm in between, and long enough to hear.
    QCOMPARE(lowFrames.last() - lowFrames.first() + 1, lowFrames.size());
    QVERIFY(lowFrames.size() >= 3 * PerSecond);
}

void tst_Simulator::link_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void tst_Simulator::link()
{
    QFETCH(int, signalNumber);
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyDUPLINK"));
    // Left over from a run that was killed.
    QCOMPARE(::symlink("/nonexistent/pts", QFile::encodeName(link).constData()), 0);

    Session s({ "--link", link });
    QVERIFY(s.open(link));
    QCOMPARE(QFileInfo(link).symLinkTarget(), s.sim.firstLine());
    QVERIFY(QTest::qWaitFor([&] { return !s.ofKind(FrameKind::Volts).isEmpty(); }, 5000));
    QCOMPARE(s.sim.stop(signalNumber, 10000), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

// On a device it is given, as on a real serial port; the test holds the
// other end of a pseudo-terminal.
void tst_Simulator::givenDevice()
{
    PseudoTerminal wire;
    QVERIFY(wire.isOpen());
    Session s({ "--device", wire.slavePath(), "--rate", "100", "--frames", "20" });
    QCOMPARE(s.sim.firstLine(), wire.slavePath());
    QVERIFY(wire.write(RequestFrame));
    const bool ended = QTest::qWaitFor([&] {
        s.take(wire.read(4096, 10));
        return !s.sim.isRunning();
    }, 10000);
    s.take(wire.read(4096, 50));
    QVERIFY(ended);
    QCOMPARE(s.waitForExit(0), 0);
    QCOMPARE(s.printed(), QStringList{ "request" });
    QCOMPARE(s.ofKind(FrameKind::Threshold).size(), Protocol::AlarmCount);
    QCOMPARE(s.ofKind(FrameKind::Volts).size(), 20);
}

// With no monitor attached any more, the simulator must sleep between frames
// rather than spin, and still stop when its time is up.
void tst_Simulator::idleBetweenFrames()
{
    Session s({ "--duration", "1" });
    QVERIFY(s.open());
    s.port.close();
    const qint64 before = s.sim.cpuMs();
    if (before < 0)
        QSKIP("no /proc to read the CPU time from");
    QTest::qWait(500);
    const qint64 used = s.sim.cpuMs() - before;
    QVERIFY2(used < 50, qPrintable(QStringLiteral("%1 ms of CPU in 500 ms").arg(used)));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(s.waitForExit(10000), 0);
    QVERIFY(clock.elapsed() >= 300);
}

QTEST_GUILESS_MAIN(tst_Simulator)
#include "tst_simulator.moc"
