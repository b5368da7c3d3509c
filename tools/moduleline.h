#ifndef MODULELINE_H
#define MODULELINE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The simulated module's end of the serial line: a pseudo-terminal it creates
// or a serial device it is given, raw 9600 8N1, non-blocking.
class ModuleLine
{
    Q_DECLARE_TR_FUNCTIONS(ModuleLine)

public:
    ModuleLine() = default;
    ~ModuleLine();
    ModuleLine(const ModuleLine &) = delete;
    ModuleLine &operator=(const ModuleLine &) = delete;

    bool openPseudoTerminal();
    bool openDevice(const QString &devicePath);
    // Points linkPath at the device. An existing symbolic link there is
    // replaced; anything else is left alone and the call fails.
    bool makeLink(const QString &linkPath);

    int fd() const { return ioFd; }
    QString devicePath() const { return QString::fromLocal8Bit(path); }
    QString errorString() const { return error; }

    // Bytes written that the far end has not taken yet.
    int unreadBytes() const;
    // Throws away what the far end has not taken, as a real line would have
    // lost it.
    void discardUnread();

private:
    bool fail(const QString &what, int errorNumber);
    void removeLink();

    int ioFd = -1;
    // Our own descriptor of the pty slave: while it is open the master never
    // sees a hang-up, so reads do not fail with EIO when no monitor is
    // attached, and bytes queued for the monitor can be counted.
    int slaveFd = -1;
    QByteArray path;
    QByteArray link;
    QString error;
};

#endif
