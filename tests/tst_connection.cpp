#include "dialogdriver.h"
#include "linkedwindow.h"
#include "outputcapture.h"
#include "pseudoterminal.h"
#include "rememberedport.h"
#include "renderarea.h"
#include "seriallink.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "window.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QLabel *statusLabel(const Window &window)
{
    return child<QLabel>(window, "statusLabel");
}

RenderArea *graph(const Window &window)
{
    return child<RenderArea>(window, "renderArea");
}

// The window's link retries every few milliseconds, not every second.
void retryQuickly(const Window &window)
{
    window.findChild<SerialLink *>()->setRetryInterval(20);
}

} // namespace

// The window's side of the link: the port chosen at the first show, what
// the status line says of the line's life, and the request sent each time
// the link comes up.
class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void firstShowConnects();
    void rejectedDialogAbandons_data();
    void rejectedDialogAbandons();
    void unopenableDeviceIsShown();
    void permissionDeniedSaysHowToFix();
    void noPortChosen();
    void deviceThatAppearsLater();
    void replugFollowsAdapter();

private:
    TemporarySettings settings;
};

void tst_Connection::firstShowConnects()
{
    PseudoTerminal pty;
    Window window({ pty.slavePath() });
    DialogDriver driver(&window, DialogDriver::Accept);
    OutputCapture output(stdout);
    window.show();
    QCOMPARE(driver.dialogsSeen, 1);
    QCOMPARE(driver.offeredPorts.value(0), pty.slavePath());
    QCOMPARE(pty.read(RequestFrame.size()).toHex(' '), RequestFrame.toHex(' '));
    QCOMPARE(output.programText(), QByteArray("accepted:openning port \n") + RequestLine);
    QCOMPARE(RememberedPort::load().name, pty.slavePath());

    // Frames from the module reach the window.
    QVERIFY(pty.write(voltsFrame(0x40, 0, 0, 0)));
    QTRY_COMPARE(graph(window)->newestSlot(), 0);
    QCOMPARE(graph(window)->point(1, 0).y(), 255 - 0x40);

    // Showing the window again asks for no port and touches none.
    window.hide();
    DialogDriver second(&window, DialogDriver::Accept);
    window.show();
    QTest::qWait(50);
    QCOMPARE(second.dialogsSeen, 0);
    QCOMPARE(output.programText(), QByteArray("accepted:openning port \n") + RequestLine);
    QVERIFY(pty.read(1, 100).isEmpty());
}

void tst_Connection::rejectedDialogAbandons_data()
{
    QTest::addColumn<DialogDriver::Answer>("answer");
    QTest::newRow("close request") << DialogDriver::Reject;
    QTest::newRow("Escape") << DialogDriver::Escape;
}

void tst_Connection::rejectedDialogAbandons()
{
    QFETCH(DialogDriver::Answer, answer);
    PseudoTerminal pty;
    Window window({ pty.slavePath() });
    QSignalSpy abandoned(&window, &Window::connectionAbandoned);
    DialogDriver driver(&window, answer);
    OutputCapture output(stdout);
    window.show();
    QCOMPARE(driver.dialogsSeen, 1);
    QCOMPARE(abandoned.size(), 1);
    QCOMPARE(output.programText(), QByteArray());
    QVERIFY(pty.read(1, 100).isEmpty());
    QCOMPARE(statusLabel(window)->text(), QStringLiteral(" "));
}

// The reason comes first and stays in view; the lost request is only its
// consequence, printed but not put over it.
void tst_Connection::unopenableDeviceIsShown()
{
    Window window;
    OutputCapture output(stdout);
    OutputCapture errors(stderr);
    window.connectDevice(QStringLiteral("/nonexistent/ttyX"));
    QVERIFY2(statusLabel(window)->text().startsWith(QStringLiteral("Cannot open /nonexistent/ttyX: ")),
             qPrintable(statusLabel(window)->text()));
    const QByteArray printed = errors.programText();
    QVERIFY(printed.startsWith("Cannot open /nonexistent/ttyX: "));
    QVERIFY(printed.indexOf("Frame not sent: Cannot open") > 0);
    // The request line is printed as always, though the frame went nowhere.
    QCOMPARE(output.programText(), RequestLine);
}

// Opening a device we may not use names the group that owns it and the
// command that joins it. Root may open anything, so the window runs in a
// child process as nobody.
void tst_Connection::permissionDeniedSaysHowToFix()
{
    const QByteArray device = qgetenv("DUPLINK_DENIED_DEVICE");
    if (!device.isEmpty()) {
        Window window;
        OutputCapture errors(stderr);
        window.connectDevice(QString::fromLocal8Bit(device));
        const QString command = QStringLiteral("sudo usermod -aG %1 $USER")
                                        .arg(QString::fromLocal8Bit(qgetenv("DUPLINK_DENIED_GROUP")));
        QCOMPARE(statusLabel(window)->text(), QStringLiteral("Cannot open %1: Permission denied")
                                                      .arg(QString::fromLocal8Bit(device)));
        QVERIFY2(statusLabel(window)->toolTip().contains(command), qPrintable(statusLabel(window)->toolTip()));
        QVERIFY(statusLabel(window)->accessibleDescription().contains(command));
        QVERIFY(errors.programText().contains(command.toLocal8Bit()));
        return;
    }
    if (getuid() != 0)
        QSKIP("Needs root, to run the window as nobody: a user's own devices open for the user");
    const passwd *nobody = getpwnam("nobody");
    if (!nobody)
        QSKIP("No user nobody to run the window as");
    // Made what a serial adapter is: root's, open to the group dialout.
    const group *owner = getgrnam("dialout");
    if (!owner)
        QSKIP("No group dialout to give the device to");
    PseudoTerminal pty;
    const QByteArray path = QFile::encodeName(pty.slavePath());
    QVERIFY(::chown(path.constData(), 0, owner->gr_gid) == 0 && ::chmod(path.constData(), 0660) == 0);
    // Our own binary may sit where nobody cannot go (a checkout in /root):
    // the child runs a copy from a folder anyone may enter.
    QTemporaryDir reachable(QDir::tempPath() + QStringLiteral("/duplink-test-XXXXXX"));
    const QString program = reachable.filePath(QStringLiteral("tst_connection"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    QVERIFY(QFile::setPermissions(reachable.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                            | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                                   | QFile::ExeOther));

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DUPLINK_DENIED_DEVICE"), pty.slavePath());
    environment.insert(QStringLiteral("DUPLINK_DENIED_GROUP"), QString::fromLocal8Bit(owner->gr_name));
    environment.insert(QStringLiteral("HOME"), QDir::tempPath());
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    child.setProcessEnvironment(environment);
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    child.setChildProcessModifier([uid, gid] {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(125);
    });
    child.setWorkingDirectory(reachable.path());
    child.start(program, { QStringLiteral("permissionDeniedSaysHowToFix") });
    QVERIFY(child.waitForFinished(20000));
    QVERIFY2(child.exitCode() == 0, child.readAllStandardOutput() + child.readAllStandardError());
}

void tst_Connection::noPortChosen()
{
    // The dialog's OK waits for a port, but a caller may still name none.
    Window window;
    OutputCapture quiet(stdout);
    OutputCapture errors(stderr);
    window.connectDevice(serialDevicePath(QString()));
    QVERIFY2(statusLabel(window)->text().contains(QStringLiteral("No serial port was chosen")),
             qPrintable(statusLabel(window)->text()));
    QCOMPARE(errors.programText().count("No serial port was chosen"), 2); // and the lost request
}

// A device not there yet is opened once it comes, and only then
// remembered; the retries meanwhile say so once, not every second.
void tst_Connection::deviceThatAppearsLater()
{
    QSettings().clear();
    QVERIFY(QSettings().fileName().startsWith(settings.path()));
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("late"));
    Window window({ link });
    DialogDriver driver(&window, DialogDriver::Accept);
    OutputCapture quiet(stdout);
    OutputCapture errors(stderr);
    window.show();
    QCOMPARE(driver.dialogsSeen, 1);
    QVERIFY(statusLabel(window)->text().startsWith(QStringLiteral("Cannot open")));
    retryQuickly(window);
    QTest::qWait(100); // past a few retries
    QCOMPARE(RememberedPort::load().name, QString());

    PseudoTerminal pty;
    QVERIFY(QFile::link(pty.slavePath(), link));
    QCOMPARE(pty.read(RequestFrame.size()), RequestFrame);
    QTRY_VERIFY(statusLabel(window)->text().startsWith(QStringLiteral("Link up: ")));
    QTRY_COMPARE(RememberedPort::load().name, link);
    const QList<QByteArray> lines = errors.programText().split('\n');
    QCOMPARE(std::count_if(lines.begin(), lines.end(),
                           [](const QByteArray &line) { return line.startsWith("Cannot open"); }),
             1);
}

// An adapter that comes back under another number is found again through
// its by-id link, and asked again for the alarm settings; messages keep the
// name the user chose.
void tst_Connection::replugFollowsAdapter()
{
    QTemporaryDir byId;
    const QString adapter = byId.filePath(QStringLiteral("usb-Telemetry_Module_42-if00-port0"));
    auto first = std::make_unique<PseudoTerminal>();
    const QString chosen = first->slavePath();
    QVERIFY(QFile::link(chosen, adapter));
    Window window;
    window.setByIdFolder(byId.path());
    {
        OutputCapture quiet(stdout);
        window.connectDevice(chosen);
        QCOMPARE(first->read(RequestFrame.size()), RequestFrame);
    }
    retryQuickly(window);

    // Made before the first goes, so that it cannot take the old number.
    PseudoTerminal second;
    OutputCapture errors(stderr);
    first.reset();
    QVERIFY(QFile::remove(adapter));
    QTRY_VERIFY(statusLabel(window)->text().startsWith(QStringLiteral("Link lost: ")));
    QVERIFY(errors.programText().contains("Link lost: "));

    QVERIFY(QFile::link(second.slavePath(), adapter));
    OutputCapture output(stdout);
    QCOMPARE(second.read(RequestFrame.size()), RequestFrame);
    QCOMPARE(output.programText(), RequestLine);
    QTRY_COMPARE(statusLabel(window)->text(), QStringLiteral("Link up: ") + chosen);
    QVERIFY(statusLabel(window)->toolTip().contains(adapter));
    QVERIFY(!errors.programText().contains(adapter.toLocal8Bit()));
}

QTEST_MAIN(tst_Connection)
#include "tst_connection.moc"
