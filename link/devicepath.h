#ifndef DEVICEPATH_H
#define DEVICEPATH_H

#include <QString>

// The device to open for a port name as the port dialog lists it or a user
// types it: a bare name such as ttyUSB0 lives under /dev, a path is taken as
// it is.
QString serialDevicePath(const QString &portName);

#endif
