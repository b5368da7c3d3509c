#ifndef HISTORYDRAWING_H
#define HISTORYDRAWING_H

#include "channelscale.h"
#include "flighthistory.h"
#include "historyview.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QStringList>

#include <vector>

QT_BEGIN_NAMESPACE
class QPainter;
QT_END_NAMESPACE

// What a history plot draws and where: the legend along the top, the value
// axis on the left, the reports as one vertical span a channel in each pixel
// column (joined to the reports before and after, with no trace across a
// lost link, which is shaded), the grid, and under the columns the alarm
// marks and the time axis. Any rectangle of it can be drawn on its own, so
// a plot repaints only the columns that changed. Everything is an opaque
// rectangle but the marks and the text: the raster engine's blended fills
// cost more than the picture.
struct HistoryDrawing
{
    Q_DECLARE_TR_FUNCTIONS(HistoryDrawing)

public:
    static constexpr int Channels = ChannelScale::ChannelCount;

    HistoryDrawing(const FlightHistory &history, const HistoryView &view);

    QFont font;
    QPalette palette;
    ChannelScale scales[Channels] = { ChannelScale::defaults(ChannelScale::Volt1),
                                      ChannelScale::defaults(ChannelScale::Volt2),
                                      ChannelScale::defaults(ChannelScale::LinkQuality) };
    QColor colours[Channels] = { Qt::blue, Qt::red, Qt::green }; // the graph's
    int rowChannels[FlightHistory::AlarmRowCount] = { 1, 1, 2, 2 }; // the channel each alarm row watches
    int cursor = -1; // a view column, or -1
    int selectionFrom = -1; // view columns, inclusive, or -1
    int selectionTo = -1;

    // Places the parts in a plot of this size; again after any change to
    // the size, the font or the scales.
    void layOut(QSize size);
    // The columns, one a pixel.
    QRect plotArea() const { return plot; }
    // The columns and the time axis under them: what moves with time.
    QRect movingArea() const;
    // How far an alarm mark reaches either side of its column.
    static constexpr int MarkRadius = 4;

    void draw(QPainter &painter, const QRect &exposed);

    // The pixel row of a raw value.
    int yOf(int raw) const;
    // Time since the first report: "12:05", "1:02:05", with decimals of a
    // second ("12:05.25").
    static QString elapsedText(qint64 ms, int decimals = 0);

private:
    struct Neighbour
    {
        bool valid = false;
        bool joined = false; // for the report after: no lost link since the one before
        qint64 x = 0;
        ReportValues values{};
    };

    qint64 tickSpacing() const;
    QColor mixed(QColor with, int percent) const;
    void drawLegend(QPainter &painter) const;
    void drawValueAxis(QPainter &painter) const;
    void drawColumns(QPainter &painter, int x0, int x1);
    void fill(int x, int y, int width, int height, QRgb colour);
    void drawTrace(int channel, int x0, int x1, const Neighbour &before, const Neighbour &after);
    void drawJoin(QRgb colour, qint64 xa, int ya, qint64 xb, int yb, qint64 from, qint64 to);
    void drawTimeAxis(QPainter &painter, int x0, int x1) const;
    void drawMark(QPainter &painter, int x, int top, const QColor &colour, bool tripped) const;
    Neighbour reportBefore(qint64 time) const;
    Neighbour reportAfter(qint64 time);

    const FlightHistory &history;
    const HistoryView &view;
    QRect plot;
    QRect legend;
    int axisTop = 0; // where the marks start, under the columns
    int labelWidth = 0; // room for a time label
    struct ValueColumn
    {
        int channel; // 0 to 2, or -1 for the raw bytes
        int right; // the labels end here
        QStringList labels; // at the grid lines, from raw 0 up
    };
    std::vector<ValueColumn> valueColumns;
    std::vector<FlightHistory::Column> columns; // of the area drawn, kept for its room
    std::vector<FlightHistory::Column> single;
    QImage strip; // the columns drawn, before they go on the widget
    int stripStart = 0; // the view column at the strip's left
    QRgb *stripBits = nullptr;
};

#endif
