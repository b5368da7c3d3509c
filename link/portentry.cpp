#include "portentry.h"

#include <QSerialPortInfo>

QList<PortEntry> PortEntry::available()
{
    QList<PortEntry> entries;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports) {
        entries.append({ port.portName(), port.systemLocation(), port.description(),
                         port.manufacturer(), port.serialNumber() });
    }
    return entries;
}

bool PortEntry::operator==(const PortEntry &other) const
{
    return name == other.name && systemLocation == other.systemLocation
            && description == other.description && manufacturer == other.manufacturer
            && serialNumber == other.serialNumber;
}
