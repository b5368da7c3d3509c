#include "devicepath.h"

#include <QCoreApplication>
#include <QFile>

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
