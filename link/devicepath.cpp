#include "devicepath.h"

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
