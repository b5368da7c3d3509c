#include "historywindow.h"

#include "channelscale.h"
#include "figureslabel.h"
#include "flighthistory.h"
#include "graphexport.h"
#include "historydrawing.h"
#include "historyexport.h"
#include "historyplot.h"
#include "refreshthrottle.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QSettings>
#include <QVBoxLayout>

namespace {

QString clockText(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

HistoryWindow::HistoryWindow(const FlightHistory &history, QWidget *parent)
    : QWidget(parent, Qt::Window), history(history)
{
    setWindowTitle(tr("Flight history"));
    setAttribute(Qt::WA_QuitOnClose, false); // closing the main window ends the program
    plotWidget = new HistoryPlot(history);
    plotWidget->setObjectName(QStringLiteral("historyPlot"));
    plotWidget->setAccessibleName(tr("Flight history plot"));
    plotWidget->setAccessibleDescription(
            tr("Every report since the start: voltage 1 in blue, voltage 2 in red, link quality in green, "
               "against the time since the first report"));
    const QString longestTime = QStringLiteral("888:88:88"); // hours of a month or so
    figuresLabel = new FiguresLabel(
            1 + ChannelScale::ChannelCount,
            //: Never shown: the widest line of figures likely, which sizes the label
            tr("Link quality: min 00.00 %, max 00.00 %, mean 00.00 %, newest 00.00 %."),
            rangeLine(longestTime, longestTime, FlightHistory::LineReportsPerDay) + QLatin1Char('.'));
    figuresLabel->setObjectName(QStringLiteral("historyFigures"));
    heldFromLabel = new QLabel;
    heldFromLabel->setObjectName(QStringLiteral("historyHeldFrom"));
    heldFromLabel->setWordWrap(true);
    heldFromLabel->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(plotWidget, 1);
    layout->addWidget(figuresLabel);
    layout->addWidget(heldFromLabel);

    picture = new GraphExport(plotWidget, [this] { return plotWidget->image(); });
    picture->setNames(tr("Save as image..."), QStringLiteral("duplink-history.png"));
    csv = new HistoryExport(history, plotWidget);
    auto *line = new QAction(this);
    line->setSeparator(true);
    plotWidget->addActions({ line, picture->saveAction(), picture->copyAction(), csv->csvAction() });

    plotThrottle = new RefreshThrottle(RefreshInterval, [this] { refresh(); }, this);
    figuresThrottle = new RefreshThrottle(FiguresInterval, [this] { showFigures(); }, this);
    connect(plotWidget, &HistoryPlot::viewChanged, this, &HistoryWindow::showFigures);
    showFigures();
    restoreGeometry(QSettings().value(QLatin1String(GeometryKey)).toByteArray());
}

HistoryWindow::~HistoryWindow()
{
    if (isVisible())
        keepGeometry();
}

void HistoryWindow::hideEvent(QHideEvent *event)
{
    keepGeometry();
    QWidget::hideEvent(event);
}

void HistoryWindow::keepGeometry() const
{
    QSettings().setValue(QLatin1String(GeometryKey), saveGeometry());
}

void HistoryWindow::setOrigin(qint64 ms)
{
    plotWidget->setOrigin(ms);
    showFigures();
}

void HistoryWindow::setChannelScale(int channel, const ChannelScale &scale)
{
    plotWidget->setChannelScale(channel, scale);
    showFigures();
}

void HistoryWindow::historyChanged()
{
    if (isVisible())
        plotThrottle->request();
}

// The figures of a view that stays put change only when reports are dropped.
void HistoryWindow::refresh()
{
    plotWidget->refresh();
    if (plotWidget->view().isLive() || history.droppedCount() != droppedShown)
        figuresThrottle->request();
}

void HistoryWindow::showFigures()
{
    const QString text = figures();
    if (text != figuresLabel->text())
        figuresLabel->setText(text);
    droppedShown = history.droppedCount();
    const QString held = heldFrom();
    heldFromLabel->setVisible(!held.isEmpty());
    if (held != heldFromLabel->text())
        heldFromLabel->setText(held);
}

// The range shown, then a line a channel: "Volt 1: min 85, max 195, mean
// 140.2, newest 150." Lines of their own rather than wrapped text: a label
// that wraps lays its text out again and again at every change.
QString HistoryWindow::figures() const
{
    if (history.isEmpty())
        return tr("No reports yet.");
    const qint64 origin = plotWidget->origin();
    const qint64 from = plotWidget->view().from();
    const qint64 to = plotWidget->view().to();
    const FlightHistory::Statistics shown = history.statistics(from, to);
    QStringList parts(rangeLine(HistoryDrawing::elapsedText(from - origin), HistoryDrawing::elapsedText(to - origin),
                                shown.count));
    for (int channel = 1; channel <= ChannelScale::ChannelCount && shown.count > 0; ++channel) {
        const ChannelScale &scale = plotWidget->channelScale(channel);
        const std::size_t c = std::size_t(channel - 1);
        parts << tr("%1: min %2, max %3, mean %4, newest %5")
                         .arg(scale.name, scale.valueText(shown.low[c]), scale.valueText(shown.high[c]),
                              scale.meanText(shown.mean[c]), scale.valueText(shown.newest[c]));
    }
    return parts.join(QLatin1String(".\n")) + QLatin1Char('.');
}

QString HistoryWindow::rangeLine(const QString &from, const QString &to, qsizetype count)
{
    //: The number of reports in the time shown, at the end of the line before each channel's figures
    const QString reports = count == 1 ? tr("1 report") : tr("%1 reports").arg(QLocale().toString(qlonglong(count)));
    return tr("%1 to %2 since the first report, %3").arg(from, to, reports);
}

QString HistoryWindow::heldFrom() const
{
    if (history.droppedCount() == 0)
        return {};
    return tr("Holds the reports from %1 (%2) on: the oldest were dropped to keep within %3 reports.")
            .arg(HistoryDrawing::elapsedText(history.firstTime() - plotWidget->origin()),
                 clockText(history.firstTime()),
                 QLocale().toString(qlonglong(history.capacity())));
}
