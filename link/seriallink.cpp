#include "seriallink.h"

#include "devicepath.h"
#include "portlistener.h"
#include "protocol.h"

SerialLink::SerialLink(const QString &deviceName, QSerialPort *port, PortListener *listener,
                       QObject *parent)
    : QObject(parent), name(deviceName), port(port), listener(listener)
{
    connect(port, &QSerialPort::errorOccurred, this, &SerialLink::handleError);
    retryTimer.setInterval(RetryInterval);
    connect(&retryTimer, &QTimer::timeout, this, &SerialLink::retry);
}

bool SerialLink::open()
{
    if (!port->open(QIODevice::ReadWrite)) {
        downReason = openFailure();
        remedy = port->error() == QSerialPort::PermissionError ? permissionAdvice(openedPath())
                                                               : QString();
        return false;
    }
    configure();
    downReason.clear();
    remedy.clear();
    return true;
}

// In this order: speed, flow control, parity, data bits, stop bits.
void SerialLink::configure()
{
    port->setBaudRate(Protocol::BaudRate);
    port->setFlowControl(QSerialPort::NoFlowControl);
    port->setParity(QSerialPort::NoParity);
    port->setDataBits(QSerialPort::Data8);
    port->setStopBits(QSerialPort::OneStop);
}

QString SerialLink::openFailure() const
{
    if (name.isEmpty())
        return tr("No serial port was chosen");
    return tr("Cannot open %1: %2").arg(name, port->errorString());
}

// The device the port opens (a by-id link, say), which may be named
// differently from `name` after a replug. The port names a device under
// /dev by its path there.
QString SerialLink::openedPath() const
{
    const QString portName = port->portName();
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
}

void SerialLink::waitForDevice()
{
    report(&SerialLink::cannotOpen, downReason);
    if (!name.isEmpty())
        retryTimer.start();
}

void SerialLink::close()
{
    retryTimer.stop();
    port->close();
}

bool SerialLink::isUp() const
{
    return port->isOpen();
}

void SerialLink::handleError(QSerialPort::SerialPortError error)
{
    // Settings a device does not support (a pseudo-terminal has no modem
    // lines, say) are no reason to drop a working link.
    const bool linkLost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
            || error == QSerialPort::WriteError || error == QSerialPort::UnknownError;
    if (!linkLost || !port->isOpen())
        return;
    const QString reason = port->errorString();
    // A dead device keeps reporting errors; closing it stops the flood.
    port->close();
    downReason = tr("Link lost: %1 (%2)").arg(describeFailure(error), reason);
    remedy.clear();
    report(&SerialLink::lost, downReason);
    retryTimer.start();
}

QString SerialLink::describeFailure(QSerialPort::SerialPortError error) const
{
    switch (error) {
    case QSerialPort::ResourceError:
        return tr("%1 was unplugged or closed").arg(name);
    case QSerialPort::ReadError:
        return tr("cannot read from %1").arg(name);
    case QSerialPort::WriteError:
        return tr("cannot write to %1").arg(name);
    default:
        return tr("%1 failed").arg(name);
    }
}

void SerialLink::retry()
{
    port->clearError();
    if (!port->isOpen() && !open()) {
        report(&SerialLink::cannotOpen, downReason);
        return;
    }
    retryTimer.stop();
    // Half a frame from before the gap must not be joined to what follows.
    listener->resetDecoder();
    report(&SerialLink::restored, tr("Link up: %1").arg(name));
}

void SerialLink::report(void (SerialLink::*signal)(const QString &), const QString &message)
{
    if (message == lastMessage)
        return;
    lastMessage = message;
    emit(this->*signal)(message);
}
