#ifndef GRAPHOVERLAYS_H
#define GRAPHOVERLAYS_H

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QPalette>
#include <QSize>
#include <QString>

QT_BEGIN_NAMESPACE
class QPainter;
QT_END_NAMESPACE

// What the graph draws over its traces, gathered at each paint, and the
// drawing of it: the alarm thresholds' dashed lines with their labels, the
// keyboard cursor, the "Paused" note and the "REC" mark. Knows no samples.
struct GraphOverlays
{
    Q_DECLARE_TR_FUNCTIONS(GraphOverlays)

public:
    static constexpr int ThresholdCount = 4;

    struct ThresholdLine
    {
        int value = -1; // 0 to 255, or -1 for no line
        QColor colour; // its channel's
        QString label; // at the right end, in a column of the line's own
    };

    QSize size; // the graph's
    QFont font; // the graph's; labels are drawn a little smaller
    QPalette palette; // the cursor and the note in the text colour, on the base

    bool thresholdsShown = false;
    ThresholdLine thresholds[ThresholdCount];
    int cursorX = -1; // -1: no cursor
    bool paused = false;
    bool recording = false;

    bool anything() const { return thresholdsShown || cursorX >= 0 || paused || recording; }
    // Draws on a painter that is active on the graph, in its own coordinates.
    void draw(QPainter &painter) const;

private:
    void drawThresholds(QPainter &painter) const;
    void drawCursor(QPainter &painter) const;
    void drawPausedNote(QPainter &painter) const;
    void drawRecordingMark(QPainter &painter) const;
    QRect noteBox(const QString &text) const;
};

#endif
