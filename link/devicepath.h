#ifndef DEVICEPATH_H
#define DEVICEPATH_H

#include <QString>

// The device to open for a port name as the port dialog lists it or a user
// types it: a bare name such as ttyUSB0 lives under /dev, a path is taken as
// it is.
QString serialDevicePath(const QString &portName);

// What a user who may not open a device can do about it: join the group that
// owns it. Empty where that would not help (no such device, or it is root's
// alone).
QString permissionAdvice(const QString &devicePath);

#endif
