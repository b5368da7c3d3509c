#ifndef HISTORYWINDOW_H
#define HISTORYWINDOW_H

#include <QWidget>

QT_BEGIN_NAMESPACE
class QLabel;
QT_END_NAMESPACE

class ChannelScale;
class FlightHistory;
class GraphExport;
class HistoryExport;
class HistoryPlot;
class RefreshThrottle;

// The "Flight history" window: the plot of every report kept, a line of
// text under it with each channel's lowest, highest, mean and newest value
// over the time shown (its text is what screen readers read), and, once the
// oldest reports have been dropped for room, from when it holds data. The
// plot's context menu saves the picture and exports the reports shown. Its
// size and place are kept in the settings.
class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    // At most ten repaints a second while reports arrive, and new figures
    // once a second while the view follows them (the figures change with
    // every report, and a screen reader would read each change).
    static constexpr int RefreshInterval = 100; // ms
    static constexpr int FiguresInterval = 1000; // ms
    static constexpr char GeometryKey[] = "history/geometry";

    HistoryWindow(const FlightHistory &history, QWidget *parent = nullptr);
    ~HistoryWindow() override;

    HistoryPlot *plot() const { return plotWidget; }
    HistoryExport *exporter() const { return csv; }
    QString figures() const;

    void setOrigin(qint64 ms);
    void setChannelScale(int channel, const ChannelScale &scale);
    // Reports added or the link lost or restored: shown within the interval.
    void historyChanged();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void keepGeometry() const;
    // The figures' first line: the time shown (since the first report) and
    // its number of reports.
    static QString rangeLine(const QString &from, const QString &to, qsizetype count);
    void refresh();
    void showFigures();
    QString heldFrom() const;

    const FlightHistory &history;
    HistoryPlot *plotWidget;
    QLabel *figuresLabel;
    QLabel *heldFromLabel;
    GraphExport *picture;
    HistoryExport *csv;
    RefreshThrottle *plotThrottle;
    RefreshThrottle *figuresThrottle;
    qint64 droppedShown = 0;
};

#endif
