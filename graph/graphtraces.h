#ifndef GRAPHTRACES_H
#define GRAPHTRACES_H

#include "sweep.h"

#include <QRect>
#include <QRegion>
#include <QSize>

QT_BEGIN_NAMESPACE
class QPainter;
class QPen;
QT_END_NAMESPACE

// Where a sweep's slots lie across a graph of a given size, and the
// stroking of its three traces there: the newer run from slot 0 to the
// newest sample, a gap of GapSlots, then the older run up to the
// second-last slot. Value 255 lies along the top edge and 0 along the
// bottom one.
class GraphTraces
{
public:
    static constexpr int GapSlots = 5;

    explicit GraphTraces(QSize size);

    // The slot whose point is nearest to x.
    int slotAt(int x) const;
    // The pixel column of a slot's point.
    int slotX(int slot) const;
    // The columns nearer to the slot's point than to any other.
    QRect slotArea(int slot) const;

    // What `added` samples up to the newest in slot `head` changed in the
    // picture, with room for the pen's caps, joins and antialiasing.
    QRegion changedBy(int head, int added) const;

    // Strokes the slots under `area`, one pen for each channel.
    void draw(QPainter &painter, const QRegion &area, const Sweep &sweep,
              const QPen *const (&pens)[Sweep::Channels]) const;

private:
    struct Slice
    {
        int first, last; // slots
    };
    QRect slotsArea(int first, int last) const;
    void drawChannel(QPainter &painter, const QPoint *points, int head, Slice slice) const;
    void drawRun(QPainter &painter, const QPoint *points, int first, int last, Slice slice) const;

    QSize size;
    // From 128 pixels up each slot takes a whole number of pixels; below
    // that a whole step would be 0 and collapse the traces onto the left edge.
    qreal step;
};

#endif
