#ifndef RENDERAREA_H
#define RENDERAREA_H

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QWidget>

// Sweep graph of the last 128 samples of three channels: new samples
// overwrite the oldest slot from left to right, and a short gap after the
// newest one separates fresh history from old.
class RenderArea : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Slots = 128;
    static constexpr int GapSlots = 5;

    explicit RenderArea(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // Each value is taken as an unsigned byte: -1 is drawn as 255.
    void addSample(char value1, char value2, char value3);

    // Requests a repaint of what the samples added since the last call
    // changed: a few slots around the newest one, since a sample only joins
    // its predecessor and moves the gap. Far cheaper than update() on a
    // whole sweep of antialiased traces.
    void updateChanged();

    int newestSlot() const { return head; }
    QPoint point(int channel, int slot) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Slice
    {
        int first, last; // slots
    };
    void drawChannel(const QPen &pen, const QPoint *points, Slice slice);
    void drawRun(const QPoint *points, int first, int last, Slice slice);
    qreal slotStep() const;
    void updateSlots(int first, int last);

    QPainter painter;
    QPoint points1[Slots];
    QPoint points2[Slots];
    QPoint points3[Slots];
    quint8 head = Slots - 1; // so the first sample lands in slot 0
    int samplesSinceUpdate = 0;
    QPen pen1, pen2, pen3;
    QBrush brush1, brush2, brush3;
};

#endif
