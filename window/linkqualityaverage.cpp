#include "linkqualityaverage.h"

#include <cstdio>

bool LinkQualityAverage::add(quint8 linkq, quint8 linkql)
{
    linkqRing[ringIndex] = linkq;
    linkqlRing[ringIndex] = linkql;
    ringIndex = (ringIndex + 1) % Reports;
    if (ringIndex != 0)
        return false;
    int linkqSum = 0;
    int linkqlSum = 0;
    for (int i = 0; i < Reports; ++i) {
        linkqSum += linkqRing[i];
        linkqlSum += linkqlRing[i];
    }
    std::snprintf(figures, sizeof figures, "%d %d", linkqSum >> 4, linkqlSum >> 5);
    return true;
}
