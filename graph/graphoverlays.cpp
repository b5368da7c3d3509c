#include "graphoverlays.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <cmath>

void GraphOverlays::draw(QPainter &painter) const
{
    if (thresholdsShown)
        drawThresholds(painter);
    if (cursorX >= 0)
        drawCursor(painter);
    if (paused)
        drawPausedNote(painter);
    if (recording)
        drawRecordingMark(painter);
}

// Each line lies where its value's trace would run; the labels stand in
// columns of their own at the right end (each at least as wide as a digit),
// so lines that meet stay apart. The smaller font stays on the painter.
void GraphOverlays::drawThresholds(QPainter &painter) const
{
    QFont small = font;
    if (small.pointSizeF() > 0)
        small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    const QFontMetrics metrics(small);
    const int digit = metrics.horizontalAdvance(QLatin1Char('8'));
    int columnX[ThresholdCount];
    int right = size.width();
    for (int index = ThresholdCount - 1; index >= 0; --index) {
        right -= qMax(digit, metrics.horizontalAdvance(thresholds[index].label)) + 4;
        columnX[index] = right + 2;
    }
    for (int index = 0; index < ThresholdCount; ++index) {
        const ThresholdLine &line = thresholds[index];
        if (line.value < 0)
            continue;
        const int height = size.height();
        const int y = qBound(0, int(std::floor((255 - line.value) * height / 255.0)), height - 1);
        QPen dashes(line.colour, 0, Qt::CustomDashLine);
        dashes.setDashPattern({ 4, 3 });
        painter.setPen(dashes);
        painter.drawLine(0, y, size.width() - 1, y);

        const int x = columnX[index];
        const int above = y - 2 - metrics.descent();
        const int baseline = above - metrics.ascent() >= 0 ? above : y + 2 + metrics.ascent();
        painter.setPen(line.colour);
        painter.drawText(x, baseline, line.label);
    }
}

void GraphOverlays::drawCursor(QPainter &painter) const
{
    painter.setPen(QPen(palette.color(QPalette::Text), 0));
    painter.drawLine(cursorX, 0, cursorX, size.height() - 1);
}

void GraphOverlays::drawPausedNote(QPainter &painter) const
{
    const QString text = tr("Paused");
    QRect box = noteBox(text);
    box.moveTopLeft(QPoint(4, 4));
    painter.setPen(QPen(palette.color(QPalette::Text), 0));
    painter.setBrush(palette.base());
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, text);
}

void GraphOverlays::drawRecordingMark(QPainter &painter) const
{
    const QString text = tr("REC");
    QRect box = noteBox(text);
    box.moveTopRight(QPoint(size.width() - 5, 4));
    painter.setPen(QPen(Qt::white, 0));
    painter.setBrush(QColor(0xc0, 0, 0));
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, text);
}

// Measured in the graph's font, whatever font the painter holds.
QRect GraphOverlays::noteBox(const QString &text) const
{
    const QFontMetrics metrics(font);
    return QRect(0, 0, metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
}
