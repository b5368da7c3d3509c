#ifndef TESTFLIGHT_H
#define TESTFLIGHT_H

#include "reportchunk.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// A made-up flight written as a raw capture, a report a record after a
// first record of its own (the alarm settings, say), and the plain facts of
// its reports to check what is made of it against. Volt 1 wanders between
// 120 and 169 but for its dips to 80, each two seconds long; volt 2 between
// 150 and 169 but for its spikes to 230; dips and spikes 20 s apart.
struct TestFlight
{
    static constexpr qint64 DefaultStart = 1700000000000; // ms since 1970

    qint64 start = DefaultStart;
    int reports = 200;
    qint64 stepMs = 50;
    int dips = 0;
    int spikes = 0;
    QList<QPair<int, qint64>> silences; // after report i, a silence this long
    QByteArray lead;                    // the first record's bytes
    bool cutShort = false;              // the last record cut in half

    ReportValues values(int i) const;
    qint64 timeOf(int i) const; // ms since the start
    bool write(const QString &path) const;

    // Of the whole reports.
    int wholeReports() const { return cutShort ? reports - 1 : reports; }
    qint64 durationMs() const { return timeOf(wholeReports() - 1) - timeOf(0); }
    int low(int channel) const;
    int high(int channel) const;
    double mean(int channel) const;
};

#endif
