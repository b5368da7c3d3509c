#include "serialconnection.h"

#include "devicepath.h"
#include "portlistener.h"
#include "seriallink.h"

#include <QSerialPort>

SerialConnection::SerialConnection(const QString &deviceName, const QString &byIdFolder,
                                   QObject *parent)
    : QObject(parent)
{
    const QString path = stableDevicePath(deviceName, byIdFolder);
    if (path != deviceName)
        byIdPath = path;
    serialPort = new QSerialPort(path, this);
    portListener = new PortListener(serialPort, this);
    serialLink = new SerialLink(deviceName, serialPort, portListener, this);
}

bool SerialConnection::open()
{
    if (serialLink->open())
        return true;
    serialLink->waitForDevice();
    return false;
}

bool SerialConnection::send(const FrameTemplate &frame, QString *whyNot)
{
    if (!serialPort->isOpen()) {
        if (whyNot)
            *whyNot = tr("the port is not open");
        return false;
    }
    std::uint8_t wire[Protocol::MaxWireFrame];
    const qint64 length = qint64(encodeFrame(frame, wire));
    if (serialPort->write(reinterpret_cast<const char *>(wire), length) == length)
        return true;
    if (whyNot)
        *whyNot = serialPort->errorString();
    return false;
}
