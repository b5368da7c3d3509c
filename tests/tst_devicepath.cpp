#include "devicepath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Which device is opened for a port's name, without any window.
class tst_DevicePath : public QObject
{
    Q_OBJECT

private slots:
    void devicePaths_data();
    void devicePaths();
    void stableDevicePaths_data();
    void stableDevicePaths();
};

void tst_DevicePath::devicePaths_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("device");

    QTest::newRow("short name") << "ttyUSB0" << "/dev/ttyUSB0";
    QTest::newRow("path") << "/dev/pts/3" << "/dev/pts/3";
    QTest::newRow("by-id path") << "/dev/serial/by-id/usb-x" << "/dev/serial/by-id/usb-x";
    QTest::newRow("no port chosen") << "" << "";
}

void tst_DevicePath::devicePaths()
{
    QFETCH(QString, portName);
    QFETCH(QString, device);
    QCOMPARE(serialDevicePath(portName), device);
}

void tst_DevicePath::stableDevicePaths_data()
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
void tst_DevicePath::stableDevicePaths()
{
    QFETCH(QString, device);
    QFETCH(QString, byIdFolder);
    QFETCH(QString, opened);

    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("dev"));
    QDir(dir.path()).mkpath(QStringLiteral("by-id"));
    for (const char *port : { "dev/ttyS0", "dev/ttyUSB0" })
        QVERIFY(QFile(dir.filePath(QLatin1String(port))).open(QIODevice::WriteOnly));
    const QList<std::pair<const char *, const char *>> links = {
        { "dev/ttyUSB0", "by-id/usb-Module" }, { "dev/nowhere", "by-id/usb-Broken" },
        { "dev/ttyUSB0", "module" } };
    for (const auto &[target, link] : links)
        QVERIFY(QFile::link(dir.filePath(QLatin1String(target)), dir.filePath(QLatin1String(link))));
    QCOMPARE(stableDevicePath(dir.filePath(device), dir.filePath(byIdFolder)), dir.filePath(opened));
}

QTEST_GUILESS_MAIN(tst_DevicePath)
#include "tst_devicepath.moc"
