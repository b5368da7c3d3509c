#include "renderarea.h"

#include <QPaintEvent>
#include <QTransform>

#include <cmath>

namespace {

QPen channelPen(const QBrush &brush)
{
    QPen pen(brush, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(false); // scaled with the points, like the traces
    return pen;
}

int toY(char value)
{
    return 255 - static_cast<unsigned char>(value);
}

} // namespace

RenderArea::RenderArea(QWidget *parent)
    : QWidget(parent),
      brush1(Qt::blue, Qt::SolidPattern),
      brush2(Qt::red, Qt::SolidPattern),
      brush3(Qt::green, Qt::SolidPattern)
{
    for (int slot = 0; slot < Slots; ++slot)
        points1[slot] = points2[slot] = points3[slot] = QPoint(slot, 0);
    pen1 = channelPen(brush1);
    pen2 = channelPen(brush2);
    pen3 = channelPen(brush3);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

QSize RenderArea::minimumSizeHint() const
{
    return QSize(100, 100);
}

QSize RenderArea::sizeHint() const
{
    return QSize(400, 200);
}

void RenderArea::addSample(char value1, char value2, char value3)
{
    if (samplesSinceUpdate < Slots)
        ++samplesSinceUpdate;
    head = (head + 1) & (Slots - 1);
    points1[head].setY(toY(value1));
    points2[head].setY(toY(value2));
    points3[head].setY(toY(value3));
}

// From 128 pixels up each slot takes a whole number of pixels; below that
// a whole step would be 0 and collapse the traces onto the left edge.
qreal RenderArea::slotStep() const
{
    return width() >= Slots ? qreal(width() / Slots) : width() / qreal(Slots);
}

void RenderArea::updateChanged()
{
    const int added = samplesSinceUpdate;
    samplesSinceUpdate = 0;
    if (added == 0)
        return;
    // A new sample in slot h draws the segment from h - 2 to h - 1 and moves
    // the older run's start from h + 4 to h + 5. One more slot on each side
    // covers the pen's caps and joins.
    const int first = head - added + 1 - 3;
    const int last = head + GapSlots + 1;
    if (last - first + 1 >= Slots) {
        update();
        return;
    }
    // The changed slots may wrap around from the right edge to the left.
    updateSlots(first, last);
    if (first < 0)
        updateSlots(first + Slots, Slots - 1);
    if (last >= Slots)
        updateSlots(0, last - Slots);
}

void RenderArea::updateSlots(int first, int last)
{
    first = qMax(first, 0);
    last = qMin(last, Slots - 1);
    if (first > last)
        return;
    // Antialiasing may touch the pixel beside a stroke's edge.
    const qreal step = slotStep();
    const int left = int(std::floor(first * step)) - 2;
    const int right = int(std::ceil(last * step)) + 2;
    update(QRect(left, 0, right - left + 1, height()));
}

QPoint RenderArea::point(int channel, int slot) const
{
    const QPoint *rings[] = { points1, points2, points3 };
    return rings[channel - 1][slot & (Slots - 1)];
}

void RenderArea::paintEvent(QPaintEvent *event)
{
    painter.begin(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal step = slotStep();
    QTransform transform;
    transform.setMatrix(step, 0, 0, 0, height() / 255.0, 0, 0, 0, 1.0);

    // Only the slots under the area being painted are stroked: stroking the
    // whole sweep costs more than all else a report does. A slice reaches a
    // little beyond its rectangle, so the caps where a run is cut fall
    // outside; each rectangle is clipped to itself, so no pixel is blended
    // twice.
    const QRegion &area = event->region();
    for (const QRect &rect : area) {
        Slice slice = { 0, Slots - 1 };
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
        drawChannel(pen1, points1, slice);
        drawChannel(pen2, points2, slice);
        drawChannel(pen3, points3, slice);
    }
    painter.end();
}

void RenderArea::drawChannel(const QPen &pen, const QPoint *points, Slice slice)
{
    painter.setPen(pen);
    drawRun(points, 0, head - 1, slice); // the newer run
    // Slots head .. head + 4 are the gap; slot 127 is never drawn.
    drawRun(points, head + GapSlots, Slots - 2, slice);
}

void RenderArea::drawRun(const QPoint *points, int first, int last, Slice slice)
{
    first = qMax(first, slice.first);
    last = qMin(last, slice.last);
    if (last - first + 1 >= 2)
        painter.drawPolyline(points + first, last - first + 1);
}
