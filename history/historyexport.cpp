#include "historyexport.h"

#include "flighthistory.h"
#include "historyplot.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimeZone>

namespace {

QByteArray csvField(const QString &text)
{
    const bool plain = !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
            && !text.contains(QLatin1Char('\n'));
    if (plain)
        return text.toUtf8();
    return '"' + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")).toUtf8() + '"';
}

// A short write says nothing of why; writing the rest again does ("File too
// large", "No space left on device").
bool writeAll(QSaveFile &file, QByteArrayView text)
{
    while (!text.isEmpty()) {
        const qint64 written = file.write(text.data(), text.size());
        if (written <= 0)
            return false;
        text = text.sliced(written);
    }
    return true;
}

} // namespace

HistoryExport::HistoryExport(const FlightHistory &history, HistoryPlot *plot)
    : QObject(plot), history(history), plot(plot)
{
    exportAction = new QAction(tr("Export CSV..."), plot);
    exportAction->setObjectName(QStringLiteral("exportCsvAction"));
    exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportAction->setShortcutContext(Qt::WindowShortcut);
    connect(exportAction, &QAction::triggered, this, &HistoryExport::exportAs);
}

QString HistoryExport::writeCsv(const QString &path, const FlightHistory &history, qint64 from, qint64 to,
                                qint64 origin, const Scales &scales)
{
    QSaveFile file(path);
    // The reason first: cancelWriting() puts its own in its place.
    const auto failed = [&file, &path] {
        const QString reason = file.errorString();
        file.cancelWriting();
        return tr("Cannot export to %1: %2").arg(QDir::toNativeSeparators(path), reason);
    };
    // Unbuffered: each write says how much of it reached the file, where a
    // buffer would leave a disk that fills to be found (or not) at commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed();
    QByteArray text("seconds,utc,volt1,volt2,linkq,linkql");
    for (const ChannelScale &scale : scales) {
        if (scale.hasUnit())
            text += ',' + csvField(QStringLiteral("%1 (%2)").arg(scale.name, scale.unit));
    }
    text += '\n';
    const qsizetype end = history.lowerBound(to);
    for (qsizetype index = history.lowerBound(from); index < end; ++index) {
        const FlightHistory::Report report = history.at(index);
        const QDateTime clock = QDateTime::fromMSecsSinceEpoch(report.time, QTimeZone::utc());
        text += QByteArray::number(double(report.time - origin) / 1000.0, 'f', 3) + ','
                + clock.toString(Qt::ISODateWithMs).toLatin1();
        for (const quint8 value : report.values)
            text += ',' + QByteArray::number(value);
        std::size_t channel = 0;
        for (const ChannelScale &scale : scales) {
            if (scale.hasUnit())
                text += ',' + scale.number(report.values[channel]).toLatin1();
            ++channel;
        }
        text += '\n';
        if (text.size() >= WriteBlock) {
            if (!writeAll(file, text))
                return failed();
            text.clear();
        }
    }
    if (!writeAll(file, text) || !file.commit())
        return failed();
    return {};
}

QString HistoryExport::exportShown(const QString &path) const
{
    Scales scales;
    for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
        scales[std::size_t(channel - 1)] = plot->channelScale(channel);
    return writeCsv(path, history, plot->view().from(), plot->view().to(), plot->origin(), scales);
}

void HistoryExport::exportAs()
{
    QFileDialog dialog(plot, tr("Export CSV"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("CSV files (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(QDir(documents).exists() ? documents : QDir::homePath());
    dialog.selectFile(QStringLiteral("duplink-history.csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString error = exportShown(dialog.selectedFiles().constFirst());
    if (!error.isEmpty())
        QMessageBox::warning(plot, tr("Export CSV"), error);
}
