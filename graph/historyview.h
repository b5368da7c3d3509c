#ifndef HISTORYVIEW_H
#define HISTORYVIEW_H

#include <QtGlobal>

// Which stretch of a flight's history a plot shows, as pixel columns of a
// whole number of milliseconds each, counted from the session's first
// report (the origin): column c covers [origin + c * m, origin + (c + 1) * m).
// Columns keep their place in time while the view follows new reports, so a
// plot repaints only the columns that changed and scrolls the rest.
//
// The widths of a column run 1 to 8 ms, then by eighths of a power of two
// (9, 10, ... 16, 18, 20, ... 32, 36 ...): whatever a zoom asks for fills at
// least eight ninths of the plot.
//
// Three ways of following the reports:
//  - Whole (at start, and Home): the oldest report kept to the newest, as
//    tight as the widths allow; a session that outgrows the plot gets wider
//    columns with some room to grow.
//  - Live (End, or a zoom or pan that reaches the newest report): columns of
//    a fixed width, the newest report in the rightmost one.
//  - Fixed: once the user zooms or pans back, the view stays where it is.
// No widget.
class HistoryView
{
public:
    enum class Mode { Whole, Live, Fixed };

    // What is there to view: the axis's origin and the times of the oldest
    // and newest reports kept, or none.
    struct Span
    {
        qint64 origin = 0;
        qint64 oldest = 0;
        qint64 newest = 0;
        bool empty = true;
    };

    // The plot's width in columns (pixels); at least one.
    void setWidth(int columns);
    int width() const { return columns; }

    // New reports, or old ones dropped: the whole and live views follow.
    void follow(const Span &span);

    Mode mode() const { return following; }
    bool isLive() const { return following != Mode::Fixed; }
    qint64 msPerColumn() const;
    // The leftmost column, counted from the origin.
    qint64 firstColumn() const { return first; }
    qint64 origin() const { return data.origin; }
    // Where view column x (0 at the left) starts; the view is [from(), to()).
    qint64 columnStart(qint64 x) const { return data.origin + (first + x) * msPerColumn(); }
    qint64 from() const { return columnStart(0); }
    qint64 to() const { return columnStart(columns); }
    // The view column holding a time; outside 0 to width() - 1 when the time
    // is outside the view.
    qint64 columnAt(qint64 time) const { return absoluteColumn(time) - first; }

    void showWhole();
    void goLive();
    // Positive steps zoom in, each by an eighth or so, keeping the time at
    // column anchor where it is.
    void zoom(int steps, int anchor);
    // At least [from, to) across the plot.
    void zoomTo(qint64 from, qint64 to);
    // Positive columns show later times.
    void pan(qint64 columns);

private:
    static qint64 msAtLevel(int level);
    qint64 absoluteColumn(qint64 time) const;
    int wholeLevel() const;
    qint64 livePosition() const;
    void place(qint64 wantedFirst);

    Span data;
    int columns = 1;
    int level = 0; // of the column's width
    qint64 first = 0;
    Mode following = Mode::Whole;
};

#endif
