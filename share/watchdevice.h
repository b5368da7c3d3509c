#ifndef WATCHDEVICE_H
#define WATCHDEVICE_H

#include "blockdevice.h"

#include <cstddef>
#include <cstdint>

// A watched session as a device, read by the window's own listener: each
// report, user-data line and alarm setting a sharer publishes becomes the
// frame the module sent, stuffed and delimited as on the line, readable at
// the time the station received it.
class WatchDevice : public BlockDevice
{
    Q_OBJECT

public:
    explicit WatchDevice(QObject *parent = nullptr);

    // One inbound frame's payload (its type, then its fields), received by
    // the station at `ms`.
    void addFrame(const std::uint8_t *payload, std::size_t length, qint64 ms);
    // Tells the reader of the frames added since the last call.
    void announce();

private:
    bool added = false;
};

#endif
