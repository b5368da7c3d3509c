#include "sweep.h"

#include <algorithm>

namespace {

int toY(char value)
{
    return 255 - static_cast<unsigned char>(value);
}

} // namespace

// Before any sample every point lies at 255, along the top edge.
Sweep::Sweep()
{
    for (int slot = 0; slot < Slots; ++slot)
        points1[slot] = points2[slot] = points3[slot] = QPoint(slot, 0);
}

void Sweep::add(char value1, char value2, char value3)
{
    head = (head + 1) & (Slots - 1);
    points1[head].setY(toY(value1));
    points2[head].setY(toY(value2));
    points3[head].setY(toY(value3));
    filled = std::min(filled + 1, int(Slots));
}

const QPoint *Sweep::ring(int channel) const
{
    const QPoint *rings[Channels] = { points1, points2, points3 };
    return rings[channel - 1];
}
