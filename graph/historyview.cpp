#include "historyview.h"

#include <algorithm>

namespace {

constexpr int FineLevels = 8; // 1 to 8 ms a column
constexpr int StepsPerDoubling = 8;
constexpr int MaxLevel = FineLevels + StepsPerDoubling * 30; // some 200 days a column
// A session that outgrows the whole view gets a quarter to a third more room
// at once: every step repaints every column.
constexpr int GrowthLevels = 3;

// Floor division: a time before the origin is in a column before 0.
qint64 floorDiv(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

} // namespace

qint64 HistoryView::msAtLevel(int level)
{
    if (level < FineLevels)
        return level + 1;
    const int steps = level - FineLevels;
    return qint64(FineLevels + 1 + steps % StepsPerDoubling) << (steps / StepsPerDoubling);
}

qint64 HistoryView::msPerColumn() const
{
    return msAtLevel(level);
}

qint64 HistoryView::absoluteColumn(qint64 time) const
{
    return floorDiv(time - data.origin, msPerColumn());
}

// A view of the whole session fits it tightly again.
void HistoryView::setWidth(int width)
{
    columns = std::max(width, 1);
    if (following == Mode::Whole)
        showWhole();
    else
        follow(data);
}

// The finest columns that hold every report kept.
int HistoryView::wholeLevel() const
{
    int fit = 0;
    while (fit < MaxLevel
           && floorDiv(data.newest - data.origin, msAtLevel(fit))
                           - floorDiv(data.oldest - data.origin, msAtLevel(fit))
                   >= columns)
        ++fit;
    return fit;
}

// Where the view starts when it shows the newest report in its rightmost
// column, or the oldest in its leftmost when the reports do not fill it.
qint64 HistoryView::livePosition() const
{
    return std::max(absoluteColumn(data.oldest), absoluteColumn(data.newest) - columns + 1);
}

void HistoryView::follow(const Span &span)
{
    const bool hadData = !data.empty;
    data = span;
    if (data.empty) {
        first = 0;
        return;
    }
    if (following == Mode::Whole) {
        const int fit = wholeLevel();
        if (level < fit)
            level = hadData ? std::min(fit + GrowthLevels, MaxLevel) : fit;
        first = absoluteColumn(data.oldest);
    } else if (following == Mode::Live) {
        first = livePosition();
    }
}

// As tight as the reports allow.
void HistoryView::showWhole()
{
    following = Mode::Whole;
    if (data.empty)
        return;
    level = wholeLevel();
    first = absoluteColumn(data.oldest);
}

void HistoryView::goLive()
{
    following = Mode::Live;
    follow(data);
}

// Between the oldest report and the live position; at the live position
// the view follows.
void HistoryView::place(qint64 wantedFirst)
{
    if (data.empty)
        return;
    const qint64 live = livePosition();
    const qint64 placed = std::clamp(wantedFirst, absoluteColumn(data.oldest), live);
    if (following == Mode::Whole && placed == first)
        return; // the whole session shows already
    first = placed;
    following = placed == live ? Mode::Live : Mode::Fixed;
}

void HistoryView::zoom(int steps, int anchor)
{
    if (data.empty)
        return;
    const int zoomed = std::clamp(level - steps, 0, MaxLevel);
    if (zoomed >= wholeLevel()) {
        showWhole();
        return;
    }
    // A zoom anchored at the right edge of a live view keeps following.
    const bool keepLive = isLive() && anchor >= columns - 1;
    const qint64 anchored = columnStart(anchor) + msPerColumn() / 2;
    level = zoomed;
    if (keepLive) {
        goLive();
        return;
    }
    following = Mode::Fixed;
    place(absoluteColumn(anchored) - anchor);
}

void HistoryView::zoomTo(qint64 from, qint64 to)
{
    if (data.empty)
        return;
    int fit = 0;
    while (fit < MaxLevel && msAtLevel(fit) * columns < to - from)
        ++fit;
    if (fit >= wholeLevel()) {
        showWhole();
        return;
    }
    level = fit;
    following = Mode::Fixed;
    place(absoluteColumn(from));
}

void HistoryView::pan(qint64 by)
{
    place(first + by);
}
