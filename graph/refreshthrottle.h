#ifndef REFRESHTHROTTLE_H
#define REFRESHTHROTTLE_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Runs a costly refresh at most once an interval, however often it is
// asked for. A request that finds the interval up runs it at once, in the
// wake-up that brought it; one that comes sooner waits on a timer for the
// rest of the interval, so the end of a burst is shown too.
class RefreshThrottle : public QObject
{
    Q_OBJECT

public:
    RefreshThrottle(int intervalMs, std::function<void()> refresh, QObject *parent = nullptr);

    void request();
    void setInterval(int ms) { interval = ms; }

private:
    void run();

    const std::function<void()> refresh;
    int interval;
    QTimer timer;
    QElapsedTimer sinceRun;
};

#endif
