#ifndef SERIALCONNECTION_H
#define SERIALCONNECTION_H

#include "framecodec.h"

#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QSerialPort;
QT_END_NAMESPACE

class PortListener;
class SerialLink;

// A serial device as the monitor and the recorder use it: the port, opened
// through the adapter's by-id link where it has one so that a reopen finds
// the same adapter; the listener that reads it as bytes arrive; and the
// SerialLink that opens it at the module's settings and reopens it after it
// was lost. Nothing is opened before the owner says so.
class SerialConnection : public QObject
{
    Q_OBJECT

public:
    // `deviceName` as the user gave it, which messages keep.
    SerialConnection(const QString &deviceName, const QString &byIdFolder, QObject *parent = nullptr);

    QSerialPort *port() const { return serialPort; }
    PortListener *listener() const { return portListener; }
    SerialLink *link() const { return serialLink; }
    // The by-id link the port is opened through, or empty when it is opened
    // under the name given.
    QString openedThrough() const { return byIdPath; }

    // Opens the port now, or reports why it cannot and retries every
    // second. Whether it is open now.
    bool open();

    // Writes the encoded frame in one write. False when not all of it went,
    // with the reason in `whyNot`.
    bool send(const FrameTemplate &frame, QString *whyNot = nullptr);

private:
    QSerialPort *serialPort;
    PortListener *portListener;
    SerialLink *serialLink;
    QString byIdPath;
};

#endif
