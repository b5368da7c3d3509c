#ifndef HISTORYPLOT_H
#define HISTORYPLOT_H

#include "channelscale.h"
#include "historydrawing.h"
#include "historyview.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QAction;
QT_END_NAMESPACE

class FlightHistory;

// The whole flight as a plot against time: the three channels of the
// graph, in its colours, over a time axis since the session's first report.
// It follows new reports while it shows the newest one (HistoryView), and
// repaints only the columns they changed, scrolling the rest.
//
// Read with the mouse and the keyboard: the wheel zooms around the pointer,
// + and - zoom, a drag over a time range zooms to it, a drag with Shift held
// (or with the middle button) pans, as do Left and Right; Home shows the
// whole session and End follows the newest report again. The tooltip and a
// keyboard cursor (Shift+Left and Shift+Right, or a click) read the report
// under them. It draws and reads; the history is kept elsewhere.
class HistoryPlot : public QWidget
{
    Q_OBJECT

public:
    explicit HistoryPlot(const FlightHistory &history, QWidget *parent = nullptr);

    QSize minimumSizeHint() const override { return QSize(240, 160); }
    QSize sizeHint() const override { return QSize(900, 420); }

    // The session's first report's time: 0:00 on the time axis.
    void setOrigin(qint64 ms);
    qint64 origin() const { return shown.origin(); }
    // How channel 1 to 3 reads, in the legend, the value axis and the readout.
    void setChannelScale(int channel, const ChannelScale &scale);
    const ChannelScale &channelScale(int channel) const { return drawing.scales[channel - 1]; }
    // The colour of alarm row `row`'s marks is its channel's (1 or 2).
    void setRowChannel(int row, int channel) { drawing.rowChannels[row] = channel; }

    // Follows what the history gained or dropped since the last call.
    void refresh();
    // No more reports are coming (a replay is over): a view of the whole
    // session, which leaves room to grow, fits it tightly.
    void settle();

    const HistoryView &view() const { return shown; }
    void showWhole();
    void goLive();
    void zoomIn();
    void zoomOut();

    // The report nearest to a column of the plot, in words: its time since
    // the first report and by the clock, and its values.
    QString readout(int column) const;
    // The keyboard cursor's column, or -1 before it is first moved.
    int cursorColumn() const { return cursor; }

    // The plot as shown, without the cursor.
    QImage image();

    // Home, End, + and - (with focus), for the context menu.
    QList<QAction *> viewActions() const { return actions; }

signals:
    // The user zoomed, panned, or went back to the whole session or live.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    HistoryView::Span span() const;
    int columnAt(int x) const;
    QRect columnRect(int column) const;
    void createActions();
    void layOut();
    template<typename Change>
    void changeView(Change change);
    void redrawAll();
    void moveCursor(int column);

    const FlightHistory &history;
    HistoryView shown;
    HistoryDrawing drawing;
    QList<QAction *> actions;
    bool hasOrigin = false;
    // What the picture on screen holds, for refresh().
    bool drawnAny = false;
    qint64 drawnNewest = 0;
    qint64 drawnDropped = 0;
    bool drawnLost = false;
    int cursor = -1;
    int pressX = -1; // where the left button went down, while it is down
    int panX = -1; // where a pan last moved the picture to, while panning
    bool selecting = false;
    int wheelRest = 0; // eighths of a degree not yet zoomed
};

#endif
