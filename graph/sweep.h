#ifndef SWEEP_H
#define SWEEP_H

#include <QPoint>

// The last Slots samples of the graph's three channels, as the graph draws
// them: a ring of points for each channel, whose x is the slot and whose y
// the value upside down (255 - value), so that a run of slots is a polyline
// as it stands. Each new sample overwrites the oldest slot, left to right.
//
// A value: copying it is what freezes a picture.
class Sweep
{
public:
    static constexpr int Slots = 128; // a power of two: slots wrap with a mask
    static constexpr int Channels = 3;

    Sweep();

    // Each value is taken as an unsigned byte: -1 is 255.
    void add(char value1, char value2, char value3);

    // The newest sample's slot; before the first sample, the last slot.
    int newestSlot() const { return head; }
    // Slots that have held a sample, up to Slots.
    int filledSlots() const { return filled; }

    // Channel 1 to 3; the slot is taken modulo Slots.
    const QPoint *ring(int channel) const;
    QPoint point(int channel, int slot) const { return ring(channel)[slot & (Slots - 1)]; }
    int value(int channel, int slot) const { return 255 - point(channel, slot).y(); }
    // How many samples ago the slot was written: 0 for the newest.
    int age(int slot) const { return (head - slot) & (Slots - 1); }
    bool holdsSample(int slot) const { return age(slot) < filled; }

private:
    QPoint points1[Slots];
    QPoint points2[Slots];
    QPoint points3[Slots];
    quint8 head = Slots - 1; // so the first sample lands in slot 0
    int filled = 0;
};

#endif
