#ifndef PORTENTRY_H
#define PORTENTRY_H

#include <QList>
#include <QString>

// What the system knows of one serial port, as the port dialog lists it.
struct PortEntry
{
    QString name;           // ttyUSB0
    QString systemLocation; // /dev/ttyUSB0
    QString description;
    QString manufacturer;
    QString serialNumber;

    // The ports this computer has now.
    static QList<PortEntry> available();

    bool operator==(const PortEntry &other) const;
    bool operator!=(const PortEntry &other) const { return !(*this == other); }
};

#endif
