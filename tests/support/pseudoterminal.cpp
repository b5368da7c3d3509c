#include "pseudoterminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    masterFd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (masterFd < 0)
        return;
    // A tool started by the test must not keep this side open: closing it
    // is how a test pulls the device out.
    fcntl(masterFd, F_SETFD, FD_CLOEXEC);
    if (grantpt(masterFd) != 0 || unlockpt(masterFd) != 0) {
        close();
        return;
    }
    path = QString::fromLocal8Bit(ptsname(masterFd));
    // Raw, so bytes such as 0x0A pass unchanged and nothing is echoed.
    termios settings;
    if (tcgetattr(masterFd, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(masterFd, TCSANOW, &settings);
    }
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    QElapsedTimer timer;
    timer.start();
    while (done < bytes.size() && timer.elapsed() < 5000) {
        const ssize_t n = ::write(masterFd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            // Full: the reader under test needs its event loop to drain it.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            pollfd fd = { masterFd, POLLOUT, 0 };
            poll(&fd, 1, 5);
        }
    }
    return done == bytes.size();
}

QByteArray PseudoTerminal::read(int expected, int timeoutMs)
{
    QByteArray result;
    QElapsedTimer timer;
    timer.start();
    char buffer[4096];
    while (result.size() < expected && timer.elapsed() < timeoutMs) {
        // The writer under test may need its event loop to flush.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd fd = { masterFd, POLLIN, 0 };
        if (poll(&fd, 1, 5) > 0) {
            const ssize_t n = ::read(masterFd, buffer, sizeof buffer);
            if (n > 0)
                result.append(buffer, n);
        }
    }
    return result;
}

void PseudoTerminal::close()
{
    if (masterFd >= 0)
        ::close(masterFd);
    masterFd = -1;
}
