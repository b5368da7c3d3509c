#include "moduleline.h"

#include "protocol.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

static_assert(Protocol::BaudRate == 9600, "the line speed below is B9600");

// Raw 8N1 at the module's speed: no echo, no line editing, no CR/LF
// translation, no flow control, so every byte value passes unchanged.
bool configureRaw(int fd)
{
    termios settings;
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    settings.c_cflag &= ~tcflag_t(CSTOPB | PARENB | CRTSCTS | CSIZE);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    // A read with nothing to read then fails with EAGAIN instead of
    // returning 0, which would look like a hang-up.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

ModuleLine::~ModuleLine()
{
    removeLink();
    if (slaveFd >= 0)
        ::close(slaveFd);
    if (ioFd >= 0)
        ::close(ioFd);
}

bool ModuleLine::fail(const QString &what, int errorNumber)
{
    //: What failed, then why: "cannot open /dev/pts/3: No such file or directory"
    error = tr("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errorNumber)));
    return false;
}

bool ModuleLine::openPseudoTerminal()
{
    ioFd = posix_openpt(O_RDWR | O_NOCTTY);
    if (ioFd < 0)
        return fail(tr("cannot create a pseudo-terminal"), errno);
    fcntl(ioFd, F_SETFD, FD_CLOEXEC);
    if (fcntl(ioFd, F_SETFL, fcntl(ioFd, F_GETFL) | O_NONBLOCK) != 0)
        return fail(tr("cannot make the pseudo-terminal non-blocking"), errno);
    if (grantpt(ioFd) != 0 || unlockpt(ioFd) != 0)
        return fail(tr("cannot unlock the pseudo-terminal"), errno);
    char name[128];
    if (ptsname_r(ioFd, name, sizeof name) != 0)
        return fail(tr("cannot name the pseudo-terminal"), errno);
    path = name;
    slaveFd = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slaveFd < 0)
        return fail(tr("cannot open %1").arg(devicePath()), errno);
    // Set on the slave, whose settings every later opener shares.
    if (!configureRaw(slaveFd))
        return fail(tr("cannot set %1 raw").arg(devicePath()), errno);
    return true;
}

bool ModuleLine::openDevice(const QString &devicePath)
{
    path = QFile::encodeName(devicePath);
    ioFd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (ioFd < 0)
        return fail(tr("cannot open %1").arg(devicePath), errno);
    if (!isatty(ioFd))
        return fail(tr("%1 is not a serial device").arg(devicePath), ENOTTY);
    if (!configureRaw(ioFd))
        return fail(tr("cannot configure %1").arg(devicePath), errno);
    // Whatever was queued before we took the line is not ours.
    tcflush(ioFd, TCIOFLUSH);
    return true;
}

bool ModuleLine::makeLink(const QString &linkPath)
{
    const QByteArray name = QFile::encodeName(linkPath);
    struct stat status;
    if (lstat(name.constData(), &status) == 0) {
        if (!S_ISLNK(status.st_mode)) {
            error = tr("%1 exists and is not a symbolic link").arg(linkPath);
            return false;
        }
        if (unlink(name.constData()) != 0)
            return fail(tr("cannot replace %1").arg(linkPath), errno);
    }
    if (symlink(path.constData(), name.constData()) != 0)
        return fail(tr("cannot create %1").arg(linkPath), errno);
    link = name;
    return true;
}

void ModuleLine::removeLink()
{
    if (link.isEmpty())
        return;
    // Only while it is still ours: another simulator may have taken the name.
    char target[4096];
    const ssize_t length = readlink(link.constData(), target, sizeof target);
    if (length >= 0 && QByteArray(target, length) == path)
        unlink(link.constData());
    link.clear();
}

int ModuleLine::unreadBytes() const
{
    int count = 0;
    if (slaveFd >= 0) {
        if (ioctl(slaveFd, FIONREAD, &count) != 0)
            return 0;
    } else if (ioFd >= 0) {
        if (ioctl(ioFd, TIOCOUTQ, &count) != 0)
            return 0;
    }
    return count;
}

void ModuleLine::discardUnread()
{
    if (slaveFd >= 0)
        tcflush(slaveFd, TCIFLUSH);
    else if (ioFd >= 0)
        tcflush(ioFd, TCOFLUSH);
}
