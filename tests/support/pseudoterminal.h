#ifndef PSEUDOTERMINAL_H
#define PSEUDOTERMINAL_H

#include <QByteArray>
#include <QString>

// The controlling side of a real pseudo-terminal: tests write and read here
// what a serial device would carry, while the code under test opens
// slavePath() like any serial port.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isOpen() const { return masterFd >= 0; }
    QString slavePath() const { return path; }

    bool write(const QByteArray &bytes);
    // What arrives until `expected` bytes are in or timeoutMs has passed;
    // runs the event loop meanwhile.
    QByteArray read(int expected, int timeoutMs = 2000);
    void close();

private:
    int masterFd = -1;
    QString path;
};

#endif
