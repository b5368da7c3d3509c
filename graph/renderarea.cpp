#include "renderarea.h"

#include <QTransform>

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
    head = (head + 1) & (Slots - 1);
    points1[head].setY(toY(value1));
    points2[head].setY(toY(value2));
    points3[head].setY(toY(value3));
}

QPoint RenderArea::point(int channel, int slot) const
{
    const QPoint *rings[] = { points1, points2, points3 };
    return rings[channel - 1][slot & (Slots - 1)];
}

void RenderArea::paintEvent(QPaintEvent *)
{
    painter.begin(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // From 128 pixels up each slot takes a whole number of pixels; below that
    // a whole step would be 0 and collapse the traces onto the left edge.
    const qreal step = width() >= Slots ? qreal(width() / Slots) : width() / qreal(Slots);
    QTransform transform;
    transform.setMatrix(step, 0, 0, 0, height() / 255.0, 0, 0, 0, 1.0);
    painter.setWorldTransform(transform, false);

    // Green over red over blue where the traces meet.
    drawChannel(pen1, points1);
    drawChannel(pen2, points2);
    drawChannel(pen3, points3);
    painter.end();
}

void RenderArea::drawChannel(const QPen &pen, const QPoint *points)
{
    painter.setPen(pen);
    const int newerCount = head; // slots 0 .. head - 1
    if (newerCount >= 2)
        painter.drawPolyline(points, newerCount);
    // Slots head .. head + 4 are the gap; slot 127 is never drawn.
    const int olderCount = Slots - GapSlots - 1 - head;
    if (olderCount >= 2)
        painter.drawPolyline(points + head + GapSlots, olderCount);
}
