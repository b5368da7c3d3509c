#ifndef DEVICEPATH_H
#define DEVICEPATH_H

#include <QString>

// The device to open for a port name as the port dialog lists it or a user
// types it: a bare name such as ttyUSB0 lives under /dev, a path is taken as
// it is.
QString serialDevicePath(const QString &portName);

// The folder where the system keeps one link per USB serial adapter, named
// after the adapter itself (/dev/serial/by-id), or the folder named by the
// environment variable DUPLINK_SERIAL_BY_ID.
QString defaultByIdFolder();

// The link in byIdFolder that leads to the same device as devicePath; empty
// when there is none or the device is not there.
QString byIdLink(const QString &devicePath, const QString &byIdFolder);

// The path to open for devicePath and to reopen after the device was lost:
// its by-id link, which follows the same adapter to whatever number it gets
// after a replug. A link of the user's own (or none at all) is kept as it is.
QString stableDevicePath(const QString &devicePath, const QString &byIdFolder);

// What a user who may not open a device can do about it: join the group that
// owns it. Empty where that would not help (no such device, or it is root's
// alone).
QString permissionAdvice(const QString &devicePath);

#endif
