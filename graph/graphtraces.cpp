#include "graphtraces.h"

#include <QPainter>
#include <QTransform>

#include <cmath>

GraphTraces::GraphTraces(QSize size)
    : size(size),
      step(size.width() >= Sweep::Slots ? qreal(size.width() / Sweep::Slots)
                                        : size.width() / qreal(Sweep::Slots))
{
}

int GraphTraces::slotAt(int x) const
{
    if (step <= 0)
        return 0;
    return qBound(0, qRound(x / step), Sweep::Slots - 1);
}

int GraphTraces::slotX(int slot) const
{
    return qMin(int(std::floor(slot * step)), size.width() - 1);
}

QRect GraphTraces::slotArea(int slot) const
{
    const int left = int(std::floor((slot - 0.5) * step));
    const int right = int(std::ceil((slot + 0.5) * step));
    return QRect(left, 0, qMax(1, right - left), size.height());
}

QRegion GraphTraces::changedBy(int head, int added) const
{
    // A new sample in slot h draws the segment from h - 2 to h - 1 and moves
    // the older run's start from h + 4 to h + 5. One more slot on each side
    // covers the pen's caps and joins.
    const int first = head - added + 1 - 3;
    const int last = head + GapSlots + 1;
    if (last - first + 1 >= Sweep::Slots)
        return QRegion(QRect(QPoint(0, 0), size));
    // The changed slots may wrap around from the right edge to the left.
    QRegion changed = slotsArea(first, last);
    if (first < 0)
        changed += slotsArea(first + Sweep::Slots, Sweep::Slots - 1);
    if (last >= Sweep::Slots)
        changed += slotsArea(0, last - Sweep::Slots);
    return changed;
}

QRect GraphTraces::slotsArea(int first, int last) const
{
    first = qMax(first, 0);
    last = qMin(last, Sweep::Slots - 1);
    if (first > last)
        return {};
    // Antialiasing may touch the pixel beside a stroke's edge.
    const int left = int(std::floor(first * step)) - 2;
    const int right = int(std::ceil(last * step)) + 2;
    return QRect(left, 0, right - left + 1, size.height());
}

void GraphTraces::draw(QPainter &painter, const QRegion &area, const Sweep &sweep,
                       const QPen *const (&pens)[Sweep::Channels]) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    QTransform transform;
    transform.setMatrix(step, 0, 0, 0, size.height() / 255.0, 0, 0, 0, 1.0);

    // Only the slots under the area being painted are stroked: stroking the
    // whole sweep costs more than all else a report does. A slice reaches a
    // little beyond its rectangle, so the caps where a run is cut fall
    // outside; each rectangle is clipped to itself, so no pixel is blended
    // twice.
    for (const QRect &rect : area) {
        Slice slice = { 0, Sweep::Slots - 1 };
        if (step > 0) {
            slice.first = int(std::floor((rect.left() - 2) / step)) - 3;
            slice.last = int(std::ceil((rect.right() + 2) / step)) + 3;
        }
        if (area.rectCount() > 1) {
            painter.resetTransform();
            painter.setClipRect(rect);
        }
        painter.setWorldTransform(transform, false);

        // Green over red over blue where the traces meet.
        for (int channel = 1; channel <= Sweep::Channels; ++channel) {
            painter.setPen(*pens[channel - 1]);
            drawChannel(painter, sweep.ring(channel), sweep.newestSlot(), slice);
        }
    }
}

void GraphTraces::drawChannel(QPainter &painter, const QPoint *points, int head, Slice slice) const
{
    drawRun(painter, points, 0, head - 1, slice); // the newer run
    // Slots head .. head + 4 are the gap; slot 127 is never drawn.
    drawRun(painter, points, head + GapSlots, Sweep::Slots - 2, slice);
}

void GraphTraces::drawRun(QPainter &painter, const QPoint *points, int first, int last,
                          Slice slice) const
{
    first = qMax(first, slice.first);
    last = qMin(last, slice.last);
    if (last - first + 1 >= 2)
        painter.drawPolyline(points + first, last - first + 1);
}
