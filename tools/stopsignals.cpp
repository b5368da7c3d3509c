#include "stopsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Handled[] = { SIGINT, SIGTERM, SIGHUP };
volatile std::sig_atomic_t writeEnd = -1;

} // namespace

StopSignals::StopSignals(QObject *parent)
    : QObject(parent)
{
    if (pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    writeEnd = pipeFds[1];
    notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopSignals::readPipe);

    struct sigaction action = {};
    action.sa_handler = &StopSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : Handled)
        sigaction(signalNumber, &action, nullptr);
}

StopSignals::~StopSignals()
{
    for (int signalNumber : Handled)
        std::signal(signalNumber, SIG_DFL);
    writeEnd = -1;
    for (int fd : pipeFds) {
        if (fd >= 0)
            ::close(fd);
    }
}

void StopSignals::handle(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = char(signalNumber);
    if (writeEnd >= 0)
        (void)!::write(writeEnd, &byte, 1); // a full pipe already holds a stop
    errno = savedErrno;
}

void StopSignals::readPipe()
{
    char bytes[16];
    const ssize_t count = ::read(pipeFds[0], bytes, sizeof bytes);
    for (ssize_t i = 0; i < count; ++i)
        emit received(bytes[i]);
}
