#ifndef HISTORYEXPORT_H
#define HISTORYEXPORT_H

#include "channelscale.h"

#include <QObject>

#include <array>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class FlightHistory;
class HistoryPlot;

// The reports a history plot shows, written out as CSV: the "Export CSV..."
// entry (Ctrl+E), its file dialog, and the message when writing fails. The
// file appears whole or not at all (QSaveFile): a place that cannot be
// written leaves nothing under the name, and a file already there as it was.
//
// One line per report: the time since the first report in seconds, the
// wall-clock time (ISO 8601, UTC), the four raw bytes, and for each channel
// with a unit its value in that unit.
class HistoryExport : public QObject
{
    Q_OBJECT

public:
    HistoryExport(const FlightHistory &history, HistoryPlot *plot);

    QAction *csvAction() const { return exportAction; }

    // Writes the reports of [from, to) to path; returns why it failed, or
    // nothing. Times count from origin.
    using Scales = std::array<ChannelScale, ChannelScale::ChannelCount>;
    static QString writeCsv(const QString &path, const FlightHistory &history, qint64 from, qint64 to,
                            qint64 origin, const Scales &scales);
    // The reports the plot shows.
    QString exportShown(const QString &path) const;

public slots:
    // Asks for a file and writes there; a failure is shown.
    void exportAs();

private:
    static constexpr qsizetype WriteBlock = 64 * 1024; // bytes gathered before each write

    const FlightHistory &history;
    HistoryPlot *plot;
    QAction *exportAction;
};

#endif
