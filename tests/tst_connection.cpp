#include "commdialog.h"
#include "devicepath.h"
#include "dialogdriver.h"
#include "linkedwindow.h"
#include "outputcapture.h"
#include "portentry.h"
#include "processusage.h"
#include "pseudoterminal.h"
#include "rememberedport.h"
#include "renderarea.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "toolprocess.h"
#include "window.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

// As on a machine with no display.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QLatin1String(name));
    return environment;
}

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Ports as the system might list them, each over a file in a temporary
// folder; an adapter also has its link in a by-id folder there.
class FakePorts
{
public:
    FakePorts()
    {
        QDir(dir.path()).mkpath(QStringLiteral("dev"));
        QDir(dir.path()).mkpath(QStringLiteral("by-id"));
    }

    QString path(const QString &relative) const { return dir.filePath(relative); }
    QString byIdFolder() const { return path(QStringLiteral("by-id")); }
    QString device(const QString &name) const { return path(QStringLiteral("dev/") + name); }
    QString byIdLinkOf(const QString &adapter) const { return byIdFolder() + QLatin1Char('/') + adapter; }

    // Plugs in a port at `position` of the list; `adapter` names its by-id
    // link. A failure to make the files shows in the test's checks.
    PortEntry &plug(const QString &name, const QString &adapter = {}, qsizetype position = -1)
    {
        const QString location = device(name);
        QFile(location).open(QIODevice::WriteOnly);
        if (!adapter.isEmpty())
            QFile::link(location, byIdLinkOf(adapter));
        position = position < 0 ? listed.size() : position;
        listed.insert(position, { name, location, {}, {}, {} });
        return listed[position];
    }
    void unplug(const QString &name)
    {
        listed.removeIf([&](const PortEntry &entry) { return entry.name == name; });
    }

    CommDialog::PortSource source()
    {
        return [this] {
            ++polls;
            return listed;
        };
    }

    int polls = 0;

private:
    QTemporaryDir dir;
    QList<PortEntry> listed;
};

} // namespace

class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void dialogLayout();
    void dialogFollowsPorts();
    void emptyListExplained();
    void portDescriptions();
    void rememberedPort_data();
    void rememberedPort();
    void devicePaths_data();
    void devicePaths();
    void stableDevicePaths_data();
    void stableDevicePaths();
    void firstShowConnects();
    void rejectedDialogAbandons();
    void unopenableDeviceIsShown();
    void permissionDeniedSaysHowToFix();
    void noPortChosen();
    void lostLinkStaysIdleAndReconnects();
    void deviceThatAppearsLater();
    void replugFollowsAdapter();
    void commandLine_data();
    void commandLine();
    void toolkitOptionsWithoutDisplay();

private:
    TemporarySettings settings;
};

void tst_Connection::dialogLayout()
{
    QWidget parent;
    CommDialog dialog(&parent, { QStringLiteral("/dev/pts/7"), QStringLiteral("/dev/pts/7") });
    QCOMPARE(dialog.windowTitle(), QStringLiteral("RS232"));
    QCOMPARE(dialog.size(), QSize(150, 80));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    auto *box = child<QComboBox>(dialog, "portBox");
    // Named devices come first, duplicates and all, the first one current.
    QCOMPARE(box->itemText(0), QStringLiteral("/dev/pts/7"));
    QCOMPARE(box->itemText(1), QStringLiteral("/dev/pts/7"));
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(box->count(), 2 + QSerialPortInfo::availablePorts().size());
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("okButton"))->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.findChild<QLabel *>()->text(), QStringLiteral("Torvi @"));
}

// While shown, the list follows the ports plugged in and out; the choice
// stays on its port, and devices named on the command line stay first.
void tst_Connection::dialogFollowsPorts()
{
    FakePorts ports;
    ports.plug(QStringLiteral("ttyS0"));
    ports.plug(QStringLiteral("ttyUSB0"));
    CommDialog dialog(nullptr, { QStringLiteral("/dev/pts/7") }, ports.byIdFolder(), ports.source());
    QComboBox *box = child<QComboBox>(dialog, "portBox");
    dialog.show();
    box->setCurrentIndex(2); // ttyUSB0

    ports.plug(QStringLiteral("ttyUSB1"), {}, 1);
    QTRY_COMPARE(items(box), QStringList({ "/dev/pts/7", "ttyS0", "ttyUSB1", "ttyUSB0" }));
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB0"));
    ports.unplug(QStringLiteral("ttyS0"));
    QTRY_COMPARE(items(box), QStringList({ "/dev/pts/7", "ttyUSB1", "ttyUSB0" }));
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB0"));

    // The chosen port goes: the choice falls back to the first device.
    ports.unplug(QStringLiteral("ttyUSB0"));
    ports.unplug(QStringLiteral("ttyUSB1"));
    QTRY_COMPARE(items(box), QStringList({ "/dev/pts/7" }));
    QCOMPARE(box->currentIndex(), 0);

    // Hidden, it stops asking.
    dialog.hide();
    const int polls = ports.polls;
    QTest::qWait(3 * CommDialog::PollInterval);
    QCOMPARE(ports.polls, polls);
}

// No port: the box says so where the list would be, its tooltip and
// description say what to do, and OK waits for a port.
void tst_Connection::emptyListExplained()
{
    FakePorts ports;
    CommDialog dialog(nullptr, {}, ports.byIdFolder(), ports.source());
    QComboBox *box = child<QComboBox>(dialog, "portBox");
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("okButton"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!ok->isEnabled());
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, box);
    QVERIFY2(box->fontMetrics().horizontalAdvance(box->placeholderText()) <= field.width(),
             qPrintable(box->placeholderText()));
    QVERIFY(box->placeholderText().startsWith(QStringLiteral("No port")));
    QVERIFY(box->toolTip().contains(QStringLiteral("command line")));
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(face->text(QAccessible::Description), box->toolTip());

    ports.plug(QStringLiteral("ttyUSB0"));
    QTRY_VERIFY(ok->isEnabled());
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB0"));
    QVERIFY(!face->text(QAccessible::Description).contains(QStringLiteral("command line")));
    ports.unplug(QStringLiteral("ttyUSB0"));
    QTRY_VERIFY(!ok->isEnabled());
    QVERIFY(face->text(QAccessible::Description).contains(QStringLiteral("command line")));
}

// Each item's tooltip and description tell what the system knows of the
// port; its text stays the port's name.
void tst_Connection::portDescriptions()
{
    FakePorts ports;
    const QString adapter = QStringLiteral("usb-Prolific_USB-Serial_A1B2-if00-port0");
    PortEntry &usb = ports.plug(QStringLiteral("ttyUSB0"), adapter);
    usb.description = QStringLiteral("USB-Serial Controller");
    usb.manufacturer = QStringLiteral("Prolific");
    usb.serialNumber = QStringLiteral("A1B2");
    ports.plug(QStringLiteral("ttyS0"));
    // The same adapter named on the command line is known as well.
    CommDialog dialog(nullptr, { ports.device(QStringLiteral("ttyUSB0")) }, ports.byIdFolder(),
                      ports.source());
    QComboBox *box = child<QComboBox>(dialog, "portBox");
    QCOMPARE(items(box), QStringList({ ports.device("ttyUSB0"), "ttyUSB0", "ttyS0" }));
    const QStringList known = { ports.device(QStringLiteral("ttyUSB0")),
                                QStringLiteral("USB-Serial Controller"),
                                QStringLiteral("Manufacturer: Prolific"),
                                QStringLiteral("Serial number: A1B2"), ports.byIdLinkOf(adapter) };
    for (int item : { 0, 1 }) {
        const QString tip = box->itemData(item, Qt::ToolTipRole).toString();
        for (const QString &fact : known)
            QVERIFY2(tip.contains(fact), qPrintable(tip));
        QCOMPARE(box->itemData(item, Qt::AccessibleDescriptionRole).toString(), tip);
    }
    QVERIFY(box->itemData(0, Qt::ToolTipRole).toString().contains(QStringLiteral("command line")));
    QCOMPARE(box->itemData(2, Qt::ToolTipRole).toString(), ports.device(QStringLiteral("ttyS0")));
    QCOMPARE(box->toolTip(), box->itemData(0, Qt::ToolTipRole).toString());
}

void tst_Connection::rememberedPort_data()
{
    QTest::addColumn<QStringList>("extraPorts");
    QTest::addColumn<QString>("rememberedName");
    QTest::addColumn<QString>("rememberedAdapter"); // its by-id link's name
    QTest::addColumn<QString>("current");

    QTest::newRow("nothing remembered") << QStringList() << "" << "" << "ttyS0";
    QTest::newRow("remembered, there") << QStringList() << "ttyUSB0" << "" << "ttyUSB0";
    QTest::newRow("remembered, not there") << QStringList() << "ttyACM0" << "" << "ttyS0";
    QTest::newRow("named on the command line") << QStringList{ "/dev/pts/9" } << "ttyUSB0" << ""
                                               << "/dev/pts/9";
    QTest::newRow("the adapter under another number") << QStringList() << "ttyUSB0" << "usb-Module"
                                                      << "ttyUSB1";
    QTest::newRow("another adapter under its number") << QStringList() << "ttyUSB0" << "usb-Gone"
                                                      << "ttyS0";
}

void tst_Connection::rememberedPort()
{
    QFETCH(QStringList, extraPorts);
    QFETCH(QString, rememberedName);
    QFETCH(QString, rememberedAdapter);
    QFETCH(QString, current);

    FakePorts ports;
    ports.plug(QStringLiteral("ttyS0"));
    ports.plug(QStringLiteral("ttyUSB0"), QStringLiteral("usb-Other"));
    ports.plug(QStringLiteral("ttyUSB1"), QStringLiteral("usb-Module"));
    QSettings().clear();
    if (!rememberedName.isEmpty())
        RememberedPort::save(rememberedName,
                             rememberedAdapter.isEmpty() ? QString() : ports.byIdLinkOf(rememberedAdapter));
    CommDialog dialog(nullptr, extraPorts, ports.byIdFolder(), ports.source());
    QCOMPARE(child<QComboBox>(dialog, "portBox")->currentText(), current);
}

void tst_Connection::devicePaths_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("device");

    QTest::newRow("short name") << "ttyUSB0" << "/dev/ttyUSB0";
    QTest::newRow("path") << "/dev/pts/3" << "/dev/pts/3";
    QTest::newRow("by-id path") << "/dev/serial/by-id/usb-x" << "/dev/serial/by-id/usb-x";
}

void tst_Connection::devicePaths()
{
    QFETCH(QString, portName);
    QFETCH(QString, device);
    QCOMPARE(serialDevicePath(portName), device);
}

void tst_Connection::stableDevicePaths_data()
{
    QTest::addColumn<QString>("device"); // in a folder of fake devices and links
    QTest::addColumn<QString>("byIdFolder");
    QTest::addColumn<QString>("opened");

    QTest::newRow("adapter with a link") << "dev/ttyUSB0" << "by-id" << "by-id/usb-Module";
    QTest::newRow("port without a link") << "dev/ttyS0" << "by-id" << "dev/ttyS0";
    QTest::newRow("device not there") << "dev/ttyUSB9" << "by-id" << "dev/ttyUSB9";
    QTest::newRow("a link of the user's own") << "module" << "by-id" << "module";
    QTest::newRow("the by-id link itself") << "by-id/usb-Module" << "by-id" << "by-id/usb-Module";
    QTest::newRow("no by-id folder") << "dev/ttyUSB0" << "none" << "dev/ttyUSB0";
}

// An adapter is opened through its by-id link; anything else as named.
void tst_Connection::stableDevicePaths()
{
    QFETCH(QString, device);
    QFETCH(QString, byIdFolder);
    QFETCH(QString, opened);

    FakePorts ports;
    ports.plug(QStringLiteral("ttyS0"));
    ports.plug(QStringLiteral("ttyUSB0"), QStringLiteral("usb-Module"));
    QVERIFY(QFile::link(ports.device(QStringLiteral("nowhere")), ports.byIdLinkOf(QStringLiteral("usb-Broken"))));
    QVERIFY(QFile::link(ports.device(QStringLiteral("ttyUSB0")), ports.path(QStringLiteral("module"))));
    QCOMPARE(stableDevicePath(ports.path(device), ports.path(byIdFolder)), ports.path(opened));
}

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

void tst_Connection::rejectedDialogAbandons()
{
    PseudoTerminal pty;
    Window window({ pty.slavePath() });
    QSignalSpy abandoned(&window, &Window::connectionAbandoned);
    DialogDriver driver(&window, DialogDriver::Reject);
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
    child.start(QCoreApplication::applicationFilePath(),
                { QStringLiteral("permissionDeniedSaysHowToFix") });
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
    QTest::qWait(1200); // nothing to retry
    QCOMPARE(errors.programText().count("No serial port was chosen"), 2); // and the lost request
}

void tst_Connection::lostLinkStaysIdleAndReconnects()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("module"));
    auto first = std::make_unique<PseudoTerminal>();
    QVERIFY(QFile::link(first->slavePath(), link));

    Window window;
    {
        OutputCapture quiet(stdout);
        window.connectDevice(link);
        QCOMPARE(first->read(RequestFrame.size()), RequestFrame);
    }
    QVERIFY(first->write(voltsFrame(1, 0, 0, 0) + QByteArray::fromHex("7EFE01"))); // a half frame at the end
    QTRY_COMPARE(graph(window)->newestSlot(), 0);

    OutputCapture errors(stderr);
    first.reset(); // the other end goes away
    // Its number may go to another terminal at once; the link must not lead there.
    QFile::remove(link);
    QTRY_VERIFY(statusLabel(window)->text().startsWith(QStringLiteral("Link lost: ")));
    QVERIFY(errors.programText().contains("Link lost: "));

    // A dead device must not keep the event loop busy.
    const double cpuBefore = processCpuSeconds();
    QTest::qWait(2000);
    const double cpuShare = (processCpuSeconds() - cpuBefore) / 2.0;
    QVERIFY2(cpuShare < 0.05, qPrintable(QStringLiteral("CPU share %1").arg(cpuShare)));

    // The module comes back under the same name.
    PseudoTerminal second;
    QVERIFY(QFile::link(second.slavePath(), link));
    OutputCapture output(stdout);
    QCOMPARE(second.read(RequestFrame.size(), 2500), RequestFrame);
    QCOMPARE(output.programText(), RequestLine);
    QTRY_VERIFY(statusLabel(window)->text().startsWith(QStringLiteral("Link up: ")));

    // Decoding starts afresh: the half frame from before is not joined on.
    QVERIFY(second.write(QByteArray::fromHex("0203047E") + voltsFrame(0x33, 0, 0, 0)));
    QTRY_COMPARE(graph(window)->newestSlot(), 1);
    QCOMPARE(graph(window)->point(1, 1).y(), 255 - 0x33);
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
    QTest::qWait(1300); // past the first retry
    QCOMPARE(RememberedPort::load().name, QString());

    PseudoTerminal pty;
    QVERIFY(QFile::link(pty.slavePath(), link));
    QCOMPARE(pty.read(RequestFrame.size(), 2500), RequestFrame);
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

    // Made before the first goes, so that it cannot take the old number.
    PseudoTerminal second;
    OutputCapture errors(stderr);
    first.reset();
    QVERIFY(QFile::remove(adapter));
    QTRY_VERIFY(statusLabel(window)->text().startsWith(QStringLiteral("Link lost: ")));

    QVERIFY(QFile::link(second.slavePath(), adapter));
    OutputCapture output(stdout);
    QCOMPARE(second.read(RequestFrame.size(), 2500), RequestFrame);
    QCOMPARE(output.programText(), RequestLine);
    QTRY_COMPARE(statusLabel(window)->text(), QStringLiteral("Link up: ") + chosen);
    QVERIFY(statusLabel(window)->toolTip().contains(adapter));
    QVERIFY(!errors.programText().contains(adapter.toLocal8Bit()));
}

void tst_Connection::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("expectedOutput");
    QTest::addColumn<QByteArray>("expectedError");
    QTest::addColumn<bool>("withDisplay");

    for (const bool display : { true, false }) {
        const char *suffix = display ? "" : ", no display";
        QTest::addRow("help%s", suffix) << QStringList{ "--help" } << 0
                                        << QByteArray("Usage: duplink [options] [device...]")
                                        << QByteArray() << display;
        QTest::addRow("version%s", suffix) << QStringList{ "--version" } << 0
                                           << QByteArray("duplink 1.") << QByteArray() << display;
        QTest::addRow("unknown option%s", suffix) << QStringList{ "--bogus" } << 2 << QByteArray()
                                                  << QByteArray("Unknown option 'bogus'") << display;
        // The toolkit's own options are its to judge, not ours.
        QTest::addRow("toolkit options%s", suffix)
                << QStringList{ "-platform", "offscreen", "-style=Fusion", "--bogus" } << 2
                << QByteArray() << QByteArray("duplink: Unknown option 'bogus'.\n") << display;
    }
}

void tst_Connection::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, expectedOutput);
    QFETCH(QByteArray, expectedError);
    QFETCH(bool, withDisplay);

    ToolProcess program(QStringLiteral(DUPLINK_PATH), arguments,
                        withDisplay ? QProcessEnvironment::systemEnvironment() : withoutDisplay());
    QCOMPARE(program.exitCode(10000), exitCode);
    QVERIFY(program.out.contains(expectedOutput));
    QVERIFY(program.err.contains(expectedError));
}

// Without a display the program still starts on a platform that needs none.
void tst_Connection::toolkitOptionsWithoutDisplay()
{
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path()); // the dialog reads it
    ToolProcess program(QStringLiteral(DUPLINK_PATH), { "-platform", "offscreen", "-style", "Fusion" },
                        environment);
    // Up and waiting in the port dialog, not turned away.
    QTest::qWait(1500);
    QVERIFY2(program.isRunning(), program.err);
}

QTEST_MAIN(tst_Connection)
#include "tst_connection.moc"
