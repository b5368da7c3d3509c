#ifndef SERIALLINK_H
#define SERIALLINK_H

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

class PortListener;

// Keeps the line to the module up: opens the port at the module's settings,
// notices when the device fails or goes away, closes it, and tries again
// every second until it is back. The owner hears of each change in words fit
// for a user, and asks the module again for what it must know once the link
// is restored.
class SerialLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int RetryInterval = 1000; // ms, unless set otherwise

    // `port` (named after the device to open) and the listener that reads
    // it stay the caller's; `deviceName` is how messages name the device.
    SerialLink(const QString &deviceName, QSerialPort *port, PortListener *listener,
               QObject *parent = nullptr);

    // One attempt to open and configure the port; says nothing on failure.
    bool open();
    // After a failed open(): reports why and tries again every second. A
    // link without a device name has nothing to try.
    void waitForDevice();
    // Closes the port and gives up retrying.
    void close();
    // How long between two tries to open; tests need not wait a second.
    void setRetryInterval(int ms) { retryTimer.setInterval(ms); }

    bool isUp() const;
    // Runs `action` now if the link is up, else once it first comes up.
    template <typename Action>
    void whenUp(const QObject *context, Action action)
    {
        if (isUp())
            action();
        else
            connect(this, &SerialLink::restored, context, action, Qt::SingleShotConnection);
    }
    // Why the link is down, empty while it is up.
    QString problem() const { return downReason; }
    // What the user can do about the problem, where we know: empty mostly.
    QString advice() const { return remedy; }
    QString deviceName() const { return name; }

signals:
    // Each message is reported once, however often a retry fails the same way.
    void cannotOpen(const QString &message); // "Cannot open DEVICE: REASON"
    void lost(const QString &message);       // "Link lost: ..."
    void restored(const QString &message);   // "Link up: DEVICE"

private:
    void configure();
    void handleError(QSerialPort::SerialPortError error);
    QString describeFailure(QSerialPort::SerialPortError error) const;
    QString openFailure() const;
    QString openedPath() const;
    void retry();
    void report(void (SerialLink::*signal)(const QString &), const QString &message);

    const QString name;
    QSerialPort *port;
    PortListener *listener;
    QTimer retryTimer;
    QString downReason;
    QString remedy;
    QString lastMessage;
};

#endif
