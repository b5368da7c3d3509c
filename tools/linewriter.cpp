#include "linewriter.h"

#include "moduleline.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {

constexpr qint64 UnheardLimitMs = 1000;   // untaken output is dropped after this
constexpr int DrainPollMs = 20;
constexpr qint64 DrainPatienceMs = 2000;  // give up draining when nothing moves
constexpr int SplitPauseMs = 1;           // between the pieces of a split write
constexpr unsigned MaxSplit = 8;          // bytes per write when splitting

} // namespace

LineWriter::LineWriter(ModuleLine &line, const Options &options, QObject *parent)
    : QObject(parent), line(line), options(options), splitSizes(options.seed ^ 0x73706C74u)
{
    writeNotifier = new QSocketNotifier(line.fd(), QSocketNotifier::Write, this);
    writeNotifier->setEnabled(false);
    connect(writeNotifier, &QSocketNotifier::activated, this, &LineWriter::lineHasRoom);
    splitPause.setSingleShot(true);
    splitPause.setInterval(SplitPauseMs);
    splitPause.setTimerType(Qt::PreciseTimer);
    connect(&splitPause, &QTimer::timeout, this, &LineWriter::flush);
    drainCheck.setInterval(DrainPollMs);
    connect(&drainCheck, &QTimer::timeout, this, &LineWriter::checkDrained);
    clock.start();
}

void LineWriter::setAskingForMore(bool on)
{
    askingForMore = on;
    updateWriteNotifier();
}

void LineWriter::lineHasRoom()
{
    if (askingForMore)
        emit roomForMore();
    flush();
}

void LineWriter::flush()
{
    if (stopped || splitPause.isActive())
        return;
    while (!pending.isEmpty()) {
        std::size_t size = std::size_t(pending.size());
        if (options.splitWrites)
            size = std::min<std::size_t>(size, 1 + splitSizes() % MaxSplit);
        const ssize_t written = ::write(line.fd(), pending.constData(), size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            emit writeFailed(errno);
            return;
        }
        pending.remove(0, qsizetype(written));
        lastSeenUnread = line.unreadBytes();
        // Paced, the pieces get a moment apart so that they arrive apart.
        if (options.pauseBetweenPieces && !pending.isEmpty()) {
            splitPause.start();
            break;
        }
    }
    updateWriteNotifier();
}

void LineWriter::updateWriteNotifier()
{
    writeNotifier->setEnabled(!stopped && !splitPause.isActive()
                              && (!pending.isEmpty() || askingForMore));
}

// Nobody has taken our bytes for a while: no monitor is attached, or it has
// stopped reading. A real line would have lost them, so a monitor that opens
// the port later starts with fresh frames instead of a stale backlog.
void LineWriter::dropUnheardOutput()
{
    const int unread = line.unreadBytes();
    const qint64 nowMs = clock.elapsed();
    if (unread == 0 || unread < lastSeenUnread) {
        lastHeardMs = nowMs;
    } else if (nowMs - lastHeardMs > UnheardLimitMs) {
        line.discardUnread();
        lastHeardMs = nowMs;
    }
    lastSeenUnread = line.unreadBytes();
}

void LineWriter::drain()
{
    lastUnread = -1;
    drainCheck.start();
    flush();
}

// Quitting closes the line, which throws away what the monitor has not read
// yet; so the last frames are given time to be taken.
void LineWriter::checkDrained()
{
    const int unread = int(pending.size()) + line.unreadBytes();
    // Empty twice in a row, so that nothing written just now is still on its
    // way into the count.
    if (unread == 0 && lastUnread == 0) {
        emit drained();
    } else if (unread != lastUnread) {
        lastUnread = unread;
        lastDrainProgressMs = clock.elapsed();
    } else if (clock.elapsed() - lastDrainProgressMs > DrainPatienceMs) {
        emit drained();
    }
}

void LineWriter::stop()
{
    stopped = true;
    splitPause.stop();
    drainCheck.stop();
    writeNotifier->setEnabled(false);
}
