#include "devicepath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString serialDevicePath(const QString &portName)
{
    if (portName.isEmpty())
        return {}; // no port chosen: there is nothing to name
#ifdef Q_OS_WIN
    return QStringLiteral("\\\\.\\") + portName;
#else
    if (portName.contains(QLatin1Char('/')))
        return portName;
    return QStringLiteral("/dev/") + portName;
#endif
}

QString defaultByIdFolder()
{
    const QString chosen = qEnvironmentVariable("DUPLINK_SERIAL_BY_ID");
    return chosen.isEmpty() ? QStringLiteral("/dev/serial/by-id") : chosen;
}

QString byIdLink(const QString &devicePath, const QString &byIdFolder)
{
    if (devicePath.isEmpty() || byIdFolder.isEmpty())
        return {};
    const QString device = QFileInfo(devicePath).canonicalFilePath();
    if (device.isEmpty())
        return {};
    const QDir folder(byIdFolder);
    const QFileInfoList entries =
            folder.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymbolicLink() && entry.canonicalFilePath() == device)
            return folder.filePath(entry.fileName());
    }
    return {};
}

QString stableDevicePath(const QString &devicePath, const QString &byIdFolder)
{
    if (QFileInfo(devicePath).isSymbolicLink())
        return devicePath;
    const QString link = byIdLink(devicePath, byIdFolder);
    return link.isEmpty() ? devicePath : link;
}

QString permissionAdvice(const QString &devicePath)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(devicePath);
    // A device we may use but could not open (held by another program, say)
    // is not a matter of groups.
    struct stat status;
    if (::access(path.constData(), R_OK | W_OK) == 0 || ::stat(path.constData(), &status) != 0
        || status.st_gid == 0)
        return {};
    const group *owner = ::getgrgid(status.st_gid);
    if (!owner)
        return {};
    const QString name = QString::fromLocal8Bit(owner->gr_name);
    return QCoreApplication::translate("SerialLink",
                                       "%1 belongs to the group %2. To use it, add yourself to "
                                       "that group and log in again: sudo usermod -aG %2 $USER")
            .arg(devicePath, name);
#else
    Q_UNUSED(devicePath);
    return {};
#endif
}
