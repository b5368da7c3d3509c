#ifndef LINKQUALITYAVERAGE_H
#define LINKQUALITYAVERAGE_H

#include <QtGlobal>

// The two link-quality figures of the status line. Every 16 volts reports it
// gives the mean of linkq and half the mean of linkql over those 16, as
// "%d %d"; the halving is the module's own scale for the second reading.
class LinkQualityAverage
{
public:
    static constexpr int Reports = 16;

    // Takes one report's readings. Returns true when they complete a run of
    // 16, and text() then holds the new figures.
    bool add(quint8 linkq, quint8 linkql);
    const char *text() const { return figures; }

private:
    quint8 linkqRing[Reports] = {};
    quint8 linkqlRing[Reports] = {};
    quint8 ringIndex = 0;
    char figures[24] = {}; // room for any two ints
};

#endif
