#include "historydrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Margin = 6;
constexpr int GridSteps = 5; // grid lines at raw 0, 51, ... 255
constexpr int RawPerGridStep = 255 / GridSteps;
constexpr int MinTickGap = 16; // pixels between two time labels, at least

// The y of the line from (xa, ya) to (xb, yb) at column x.
int lineY(qint64 xa, int ya, qint64 xb, int yb, qint64 x)
{
    return int(std::lround(ya + double(yb - ya) * double(x - xa) / double(xb - xa)));
}

// The first multiple of step at or after value.
qint64 ceilTo(qint64 value, qint64 step)
{
    const qint64 floor = value / step * step;
    return floor < value ? floor + step : floor;
}

} // namespace

HistoryDrawing::HistoryDrawing(const FlightHistory &history, const HistoryView &view)
    : history(history), view(view)
{
}

void HistoryDrawing::layOut(QSize size)
{
    const QFontMetrics metrics(font);
    const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
    valueColumns.clear();
    bool anyRaw = false;
    for (int channel = 0; channel < Channels; ++channel) {
        if (scales[channel].hasUnit())
            valueColumns.push_back({ channel, 0, {} });
        else
            anyRaw = true;
    }
    if (anyRaw)
        valueColumns.push_back({ -1, 0, {} });
    int x = Margin;
    for (ValueColumn &column : valueColumns) {
        int width = 0;
        for (int step = 0; step <= GridSteps; ++step) {
            const int raw = step * RawPerGridStep;
            column.labels << (column.channel < 0 ? QString::number(raw)
                                                 : scales[column.channel].valueText(raw));
            width = std::max(width, metrics.horizontalAdvance(column.labels.constLast()));
        }
        x += width;
        column.right = x;
        x += gap;
    }
    const int left = x + gap / 2;
    const int right = size.width() - 2 * Margin;
    legend = QRect(left, Margin, std::max(1, right - left), metrics.height());
    const int top = legend.bottom() + 1 + metrics.height() / 2 + 2;
    const int axisHeight = 3 + 2 * MarkRadius + 2 + metrics.height();
    const int bottom = std::max(top + 16, size.height() - Margin - axisHeight);
    plot = QRect(left, top, std::max(1, right - left), bottom - top);
    axisTop = plot.bottom() + 3;
    strip = QImage(plot.size(), QImage::Format_RGB32);
    labelWidth = metrics.horizontalAdvance(QStringLiteral("00:00:00")) + gap;
}

QRect HistoryDrawing::movingArea() const
{
    const QFontMetrics metrics(font);
    return QRect(plot.left(), plot.top(), plot.width(),
                 axisTop + 2 * MarkRadius + 2 + metrics.height() - plot.top());
}

int HistoryDrawing::yOf(int raw) const
{
    return plot.top() + ((255 - raw) * (plot.height() - 1) + 127) / 255;
}

QString HistoryDrawing::elapsedText(qint64 ms, int decimals)
{
    const qint64 seconds = ms / 1000;
    const QLatin1Char zero('0');
    QString text = seconds >= 3600 ? QStringLiteral("%1:%2:%3")
                                             .arg(seconds / 3600)
                                             .arg(seconds / 60 % 60, 2, 10, zero)
                                             .arg(seconds % 60, 2, 10, zero)
                                   : QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, zero);
    if (decimals > 0)
        text += QLatin1Char('.') + QStringLiteral("%1").arg(ms % 1000, 3, 10, zero).left(decimals);
    return text;
}

// Round steps of time, the first that leaves room for a label.
qint64 HistoryDrawing::tickSpacing() const
{
    static constexpr qint64 Steps[] = { 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 15000,
                                        30000, 60000, 120000, 300000, 600000, 900000, 1800000, 3600000,
                                        7200000, 10800000, 21600000, 43200000, 86400000 };
    const qint64 wanted = view.msPerColumn() * (labelWidth + MinTickGap);
    for (const qint64 step : Steps) {
        if (step >= wanted)
            return step;
    }
    qint64 step = Steps[std::size(Steps) - 1];
    while (step < wanted)
        step *= 2;
    return step;
}

// The base colour with a share of another: opaque, unlike a blend.
QColor HistoryDrawing::mixed(QColor with, int percent) const
{
    const QColor base = palette.color(QPalette::Base);
    auto mix = [percent](int a, int b) { return (a * (100 - percent) + b * percent) / 100; };
    return QColor(mix(base.red(), with.red()), mix(base.green(), with.green()),
                  mix(base.blue(), with.blue()));
}

void HistoryDrawing::draw(QPainter &painter, const QRect &exposed)
{
    painter.setFont(font);
    if (exposed.intersects(legend))
        drawLegend(painter);
    if (exposed.left() < plot.left())
        drawValueAxis(painter);
    const QRect moving = exposed & movingArea();
    if (moving.isEmpty())
        return;
    const int x0 = moving.left() - plot.left();
    const int x1 = moving.right() - plot.left();
    if (moving.top() <= plot.bottom())
        drawColumns(painter, x0, x1);
    if (moving.bottom() > plot.bottom())
        drawTimeAxis(painter, x0, x1);
}

void HistoryDrawing::drawLegend(QPainter &painter) const
{
    const QFontMetrics metrics(font);
    const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
    const int box = metrics.ascent() * 2 / 3;
    const int boxTop = legend.top() + (legend.height() - box) / 2;
    const int baseline = legend.top() + metrics.ascent();
    int x = legend.left();
    auto label = [&](const QString &text) {
        x += box + gap;
        painter.setPen(palette.color(QPalette::Text));
        painter.drawText(x, baseline, text);
        x += metrics.horizontalAdvance(text) + 3 * gap;
    };
    for (int channel = 0; channel < Channels; ++channel) {
        painter.fillRect(QRect(x, boxTop, box, box), colours[channel]);
        label(scales[channel].name);
    }
    painter.fillRect(QRect(x, legend.top(), box, legend.height()), mixed(palette.color(QPalette::Text), 15));
    //: In the flight history's legend, beside the shading of a lost link
    label(tr("link lost"));
    const QColor neutral = palette.color(QPalette::Text);
    const int markTop = legend.top() + (legend.height() - 2 * MarkRadius) / 2;
    drawMark(painter, x + box / 2, markTop, neutral, true);
    //: In the flight history's legend, beside a filled triangle
    label(tr("alarm tripped"));
    drawMark(painter, x + box / 2, markTop, neutral, false);
    //: In the flight history's legend, beside a hollow triangle: an alarm that cleared
    label(tr("cleared"));
}

// One column of labels for each channel with a unit, in its colour, and
// one of raw bytes for those without.
void HistoryDrawing::drawValueAxis(QPainter &painter) const
{
    const QFontMetrics metrics(font);
    for (const ValueColumn &column : valueColumns) {
        painter.setPen(column.channel < 0 ? palette.color(QPalette::Text)
                                          : colours[column.channel].darker(160));
        for (int step = 0; step <= GridSteps; ++step) {
            const QString &text = column.labels.at(step);
            const int y = yOf(step * RawPerGridStep) - metrics.height() / 2 + metrics.ascent();
            painter.drawText(column.right - metrics.horizontalAdvance(text), y, text);
        }
    }
}

// Columns are drawn into an image of their own and copied over in one go:
// a vertical span is a few stores there, and a call through the paint
// engine each on a widget.
void HistoryDrawing::drawColumns(QPainter &painter, int x0, int x1)
{
    const int count = x1 - x0 + 1;
    history.columns(view.columnStart(x0), view.columnStart(x1 + 1), count, columns);
    stripStart = x0;
    stripBits = reinterpret_cast<QRgb *>(strip.bits());
    const QColor text = palette.color(QPalette::Text);
    fill(x0, plot.top(), count, plot.height(), palette.color(QPalette::Base).rgb());
    const int selectedFrom = std::max(x0, std::min(selectionFrom, selectionTo));
    const int selectedTo = std::min(x1, std::max(selectionFrom, selectionTo));
    if (selectionFrom >= 0 && selectedFrom <= selectedTo)
        fill(selectedFrom, plot.top(), selectedTo - selectedFrom + 1, plot.height(),
             mixed(palette.color(QPalette::Highlight), 25).rgb());
    const QRgb lost = mixed(text, 15).rgb();
    for (int x = x0; x <= x1; ++x) {
        if (!columns[std::size_t(x - x0)].lostLink)
            continue;
        int end = x;
        while (end < x1 && columns[std::size_t(end + 1 - x0)].lostLink)
            ++end;
        fill(x, plot.top(), end - x + 1, plot.height(), lost);
        x = end;
    }
    const QRgb grid = mixed(text, 10).rgb();
    for (int step = 0; step <= GridSteps; ++step)
        fill(x0, yOf(step * RawPerGridStep), count, 1, grid);
    const qint64 spacing = tickSpacing();
    for (qint64 tick = view.origin() + ceilTo(view.columnStart(x0) - view.origin(), spacing);
         tick < view.columnStart(x1 + 1); tick += spacing)
        fill(int(view.columnAt(tick)), plot.top(), 1, plot.height(), grid);

    const Neighbour before = reportBefore(view.columnStart(x0));
    const Neighbour after = reportAfter(view.columnStart(x1 + 1));
    for (int channel = 0; channel < Channels; ++channel)
        drawTrace(channel, x0, x1, before, after);
    painter.drawImage(QPoint(plot.left() + x0, plot.top()), strip, QRect(0, 0, count, plot.height()));
    if (cursor >= x0 && cursor <= x1) {
        painter.setPen(QPen(text, 0, Qt::DashLine));
        painter.drawLine(plot.left() + cursor, plot.top(), plot.left() + cursor, plot.bottom());
    }
}

// A rectangle of the strip: x in view columns, y in the plot's pixels.
void HistoryDrawing::fill(int x, int y, int width, int height, QRgb colour)
{
    const qsizetype stride = strip.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb *row = stripBits + (y - plot.top()) * stride + (x - stripStart);
    for (int line = 0; line < height; ++line, row += stride)
        std::fill_n(row, width, colour);
}

// Each column's span from its lowest to its highest value, stretched to
// meet the trace coming from the report before; across empty columns the
// trace runs straight, unless the link was lost between.
void HistoryDrawing::drawTrace(int channel, int x0, int x1, const Neighbour &before, const Neighbour &after)
{
    const std::size_t c = std::size_t(channel);
    const QRgb colour = colours[channel].rgb();
    bool hasPrevious = before.valid;
    qint64 px = before.x;
    int py = before.valid ? yOf(before.values[c]) : 0;
    for (int x = x0; x <= x1; ++x) {
        const FlightHistory::Column &column = columns[std::size_t(x - x0)];
        if (column.count == 0)
            continue;
        int top = yOf(column.high[c]);
        int bottom = yOf(column.low[c]);
        if (column.joined && hasPrevious) {
            const int first = yOf(column.first[c]);
            drawJoin(colour, px, py, x, first, x0, x - 1);
            const int entry = lineY(px, py, x, first, x - 1);
            top = std::min(top, entry);
            bottom = std::max(bottom, entry);
        }
        fill(x, top, 1, bottom - top + 1, colour);
        hasPrevious = true;
        px = x;
        py = yOf(column.last[c]);
    }
    if (hasPrevious && after.valid && after.joined)
        drawJoin(colour, px, py, after.x, yOf(after.values[c]), x0, x1);
}

// The straight line from (xa, ya) to (xb, yb), in the columns between them
// from `from` to `to`.
void HistoryDrawing::drawJoin(QRgb colour, qint64 xa, int ya, qint64 xb, int yb, qint64 from, qint64 to)
{
    for (qint64 x = std::max(from, xa + 1); x <= std::min(to, xb - 1); ++x) {
        const int entry = lineY(xa, ya, xb, yb, x - 1);
        const int here = lineY(xa, ya, xb, yb, x);
        fill(int(x), std::min(entry, here), 1, std::abs(here - entry) + 1, colour);
    }
}

void HistoryDrawing::drawTimeAxis(QPainter &painter, int x0, int x1) const
{
    painter.setClipRect(movingArea(), Qt::IntersectClip); // labels and marks stay off the margins
    const auto changes =
            history.alarmChanges(view.columnStart(x0 - MarkRadius), view.columnStart(x1 + MarkRadius + 1));
    for (const FlightHistory::AlarmChange &change : changes)
        drawMark(painter, plot.left() + int(view.columnAt(change.time)), axisTop,
                 colours[rowChannels[change.row] - 1], change.tripped);

    const QFontMetrics metrics(font);
    const qint64 spacing = tickSpacing();
    const int decimals = spacing < 10 ? 3 : spacing < 100 ? 2 : spacing < 1000 ? 1 : 0;
    const int labelTop = axisTop + 2 * MarkRadius + 2;
    // Each label starts at its tick, so none reaches into the margin on the
    // left, which does not move with the picture.
    const QColor text = palette.color(QPalette::Text);
    painter.setPen(text);
    const qint64 firstTick = std::max<qint64>(0, view.columnStart(x0 - labelWidth) - view.origin());
    const qint64 end = view.columnStart(x1 + 1);
    for (qint64 tick = view.origin() + ceilTo(firstTick, spacing); tick < end; tick += spacing) {
        const int x = plot.left() + int(view.columnAt(tick));
        painter.fillRect(QRect(x, plot.bottom() + 1, 1, labelTop - plot.bottom() + metrics.ascent()), text);
        painter.drawText(x + 3, labelTop + metrics.ascent(), elapsedText(tick - view.origin(), decimals));
    }
    painter.setClipping(false);
}

// A triangle pointing up at the axis: filled when the alarm tripped,
// hollow when it cleared.
void HistoryDrawing::drawMark(QPainter &painter, int x, int top, const QColor &colour, bool tripped) const
{
    const QPolygon triangle({ QPoint(x, top), QPoint(x + MarkRadius, top + 2 * MarkRadius),
                              QPoint(x - MarkRadius, top + 2 * MarkRadius) });
    painter.setPen(colour.darker(130));
    painter.setBrush(tripped ? QBrush(colour) : palette.base());
    painter.drawPolygon(triangle);
}

HistoryDrawing::Neighbour HistoryDrawing::reportBefore(qint64 time) const
{
    const qsizetype index = history.lowerBound(time) - 1;
    if (index < 0)
        return {};
    const FlightHistory::Report report = history.at(index);
    return { true, true, view.columnAt(report.time), report.values };
}

HistoryDrawing::Neighbour HistoryDrawing::reportAfter(qint64 time)
{
    const qsizetype index = history.lowerBound(time);
    if (index >= history.size())
        return {};
    const FlightHistory::Report report = history.at(index);
    history.columns(report.time, report.time + 1, 1, single);
    return { true, single[0].joined, view.columnAt(report.time), report.values };
}
