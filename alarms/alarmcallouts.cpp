#include "alarmcallouts.h"

#include "speaker.h"

#include <QElapsedTimer>

#include <climits>
#include <utility>

AlarmCallouts::AlarmCallouts(Speaker &speaker, Clock clock, QObject *parent)
    : QObject(parent), speaker(speaker), clock(std::move(clock)), repeatTimer(this)
{
    if (!this->clock) {
        QElapsedTimer monotonic;
        monotonic.start();
        this->clock = [monotonic] { return monotonic.elapsed(); };
    }
    repeatTimer.setSingleShot(true);
    connect(&repeatTimer, &QTimer::timeout, this, &AlarmCallouts::tick);
    connect(&speaker, &Speaker::finished, this, &AlarmCallouts::spoken);
}

AlarmCallouts::~AlarmCallouts()
{
    shutDown();
}

void AlarmCallouts::setRepeatSeconds(int seconds)
{
    repeatMs = qMax(0, seconds) * qint64(1000);
    tick();
}

void AlarmCallouts::trip(int row, const QString &text)
{
    if (isShutDown || row < 0 || row >= RowCount)
        return;
    Row &changed = rows[row];
    changed.tripText = text;
    if (changed.tripped) {
        if (line.contains(row))
            changed.waiting = text;
        return;
    }
    changed.tripped = true;
    if (silenced) {
        silenced = false;
        const qint64 now = clock();
        for (Row &other : rows)
            other.lastReadAt = now;
    }
    queue(row, text);
}

void AlarmCallouts::clear(int row, const QString &text)
{
    if (isShutDown || row < 0 || row >= RowCount || !rows[row].tripped)
        return;
    rows[row].tripped = false;
    unqueue(row);
    if (rows[row].heardTripped)
        queue(row, text);
    else
        armTimer();
}

void AlarmCallouts::silence()
{
    silenced = true;
    for (int row : std::as_const(line))
        rows[row].waiting.clear();
    line.clear();
    repeatTimer.stop();
    if (reading >= 0) {
        reading = -1;
        speaker.stop();
    }
}

void AlarmCallouts::shutDown()
{
    silence();
    isShutDown = true;
}

void AlarmCallouts::tick()
{
    if (silenced) // also once shut down
        return;
    const qint64 now = clock();
    for (int row = 0; row < RowCount; ++row) {
        const qint64 due = repeatAt(row);
        if (due >= 0 && due <= now)
            queue(row, rows[row].tripText);
    }
    armTimer();
}

qint64 AlarmCallouts::nextRepeatIn() const
{
    if (silenced)
        return -1;
    qint64 soonest = -1;
    for (int row = 0; row < RowCount; ++row) {
        const qint64 due = repeatAt(row);
        if (due >= 0 && (soonest < 0 || due < soonest))
            soonest = due;
    }
    return soonest < 0 ? -1 : qMax<qint64>(0, soonest - clock());
}

// A row waiting or being read has its repeat in hand already.
qint64 AlarmCallouts::repeatAt(int row) const
{
    if (repeatMs == 0 || !rows[row].tripped || reading == row || line.contains(row))
        return -1;
    return rows[row].lastReadAt + repeatMs;
}

// In the row's place in the line if it has one, else at the end.
void AlarmCallouts::queue(int row, const QString &text)
{
    if (silenced)
        return;
    rows[row].waiting = text;
    if (!line.contains(row))
        line.append(row);
    speakNext();
    armTimer();
}

void AlarmCallouts::unqueue(int row)
{
    line.removeOne(row);
    rows[row].waiting.clear();
}

void AlarmCallouts::speakNext()
{
    if (reading >= 0 || line.isEmpty())
        return;
    reading = line.takeFirst();
    Row &next = rows[reading];
    // What waits is a trip exactly while the row is tripped.
    next.heardTripped = next.tripped;
    if (next.tripped)
        next.lastReadAt = clock();
    speaker.say(std::exchange(next.waiting, QString()));
}

void AlarmCallouts::spoken()
{
    if (reading < 0)
        return;
    reading = -1;
    speakNext();
    tick();
}

void AlarmCallouts::armTimer()
{
    const qint64 wait = nextRepeatIn();
    if (wait < 0)
        repeatTimer.stop();
    else
        repeatTimer.start(int(qMin<qint64>(wait, INT_MAX)));
}
