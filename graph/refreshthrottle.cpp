#include "refreshthrottle.h"

RefreshThrottle::RefreshThrottle(int intervalMs, std::function<void()> refresh, QObject *parent)
    : QObject(parent), refresh(std::move(refresh)), interval(intervalMs)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &RefreshThrottle::run);
}

void RefreshThrottle::request()
{
    // At line rate the next report comes before the timer, which then only
    // catches the last reports of a burst.
    if (!sinceRun.isValid() || sinceRun.elapsed() >= interval) {
        timer.stop();
        run();
    } else if (!timer.isActive()) {
        timer.start(int(interval - sinceRun.elapsed()));
    }
}

void RefreshThrottle::run()
{
    sinceRun.start();
    refresh();
}
