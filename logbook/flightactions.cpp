#include "flightactions.h"

#include "flightrecord.h"
#include "flightscan.h"
#include "historybuilder.h"
#include "historyexport.h"
#include "historyplot.h"
#include "historywindow.h"
#include "logbook.h"

#include <QAction>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace {

QString flightName(const FlightRecord &flight)
{
    return QDateTime::fromMSecsSinceEpoch(flight.start).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

FlightActions::FlightActions(Logbook *logbook, QWidget *window, CurrentFlight current)
    : QObject(window), logbook(logbook), window(window), current(std::move(current))
{
    open = makeAction(tr("&Open"), QStringLiteral("openFlightAction"),
                      tr("Show the whole flight in a flight history window"));
    note = makeAction(tr("&Note..."), QStringLiteral("noteAction"), tr("Write a note on the flight"));
    pin = makeAction(tr("&Pin"), QStringLiteral("pinAction"),
                     tr("Keep the flight whatever room the flights take"));
    pin->setCheckable(true);
    exportCsv = makeAction(tr("&Export CSV..."), QStringLiteral("exportFlightAction"),
                           tr("Write the flight's reports to a CSV file"));
    exportCsv->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    showFile = makeAction(tr("&Show file"), QStringLiteral("showFileAction"),
                          tr("Open the folder that holds the flights' files"));
    remove = makeAction(tr("&Delete..."), QStringLiteral("deleteFlightAction"),
                        tr("Move the flight's file to the trash"));
    remove->setShortcut(QKeySequence::Delete);
    connect(open, &QAction::triggered, this, &FlightActions::openCurrent);
    connect(note, &QAction::triggered, this, &FlightActions::editNote);
    connect(pin, &QAction::triggered, this, &FlightActions::togglePin);
    connect(exportCsv, &QAction::triggered, this, &FlightActions::exportCurrent);
    connect(showFile, &QAction::triggered, this, &FlightActions::showFolder);
    connect(remove, &QAction::triggered, this, &FlightActions::deleteCurrent);
    currentChanged();
}

FlightActions::~FlightActions() = default;

QAction *FlightActions::makeAction(const QString &text, const QString &name, const QString &description)
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    action->setToolTip(description);
    action->setStatusTip(description);
    return action;
}

void FlightActions::currentChanged()
{
    const FlightRecord *flight = current();
    const bool flightThere = flight != nullptr;
    const bool readable = flightThere && !flight->isDamaged();
    open->setEnabled(readable);
    note->setEnabled(flightThere);
    pin->setEnabled(flightThere);
    pin->setChecked(flightThere && flight->pinned);
    exportCsv->setEnabled(readable);
    remove->setEnabled(flightThere);
}

std::unique_ptr<HistoryBuilder> FlightActions::read(const FlightRecord &flight)
{
    auto builder = std::make_unique<HistoryBuilder>();
    FlightScan scan;
    if (flight.isDamaged() || scan.read(logbook->filePath(flight.file), *builder) == FlightScan::Damaged) {
        emit message(tr("Cannot open %1: %2")
                             .arg(flight.file, flight.isDamaged() ? FlightRecord::endingText(flight.ending)
                                                                  : scan.errorString()));
        return nullptr;
    }
    return builder;
}

HistoryWindow *FlightActions::openFlight(const FlightRecord &flight)
{
    std::unique_ptr<HistoryBuilder> builder = read(flight);
    if (!builder)
        return nullptr;
    auto *shown = new HistoryWindow(builder->history(), window);
    shown->setAttribute(Qt::WA_DeleteOnClose);
    //: The title of a flight's history window opened from the Flights window: its start
    shown->setWindowTitle(tr("Flight history: %1").arg(flightName(flight)));
    for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
        shown->setChannelScale(channel, scales[std::size_t(channel - 1)]);
    for (int row = 0; row < FlightRecord::AlarmRows; ++row)
        shown->plot()->setRowChannel(row, row < 2 ? 1 : 2); // rows 1 and 2 watch volt 1
    if (builder->origin() >= 0)
        shown->setOrigin(builder->origin());
    opened.emplace(shown, std::move(builder));
    connect(shown, &QObject::destroyed, this, [this](QObject *gone) { opened.erase(gone); });
    shown->show();
    shown->plot()->settle(); // the whole flight, fitted
    return shown;
}

void FlightActions::openCurrent()
{
    if (const FlightRecord *flight = current())
        openFlight(*flight);
}

void FlightActions::editNote()
{
    const FlightRecord *flight = current();
    if (!flight)
        return;
    bool accepted = false;
    const QString text = QInputDialog::getText(window, tr("Note"), tr("Note on the flight of %1:").arg(flightName(*flight)),
                                               QLineEdit::Normal, flight->note, &accepted);
    if (accepted && !logbook->setNote(flight->file, text.trimmed()))
        emit message(tr("Cannot keep the note: the logbook's index cannot be written"));
}

void FlightActions::togglePin()
{
    const FlightRecord *flight = current();
    if (flight && !logbook->setPinned(flight->file, !flight->pinned))
        emit message(tr("Cannot keep the pin: the logbook's index cannot be written"));
}

QString FlightActions::writeCsv(const FlightRecord &flight, const QString &path)
{
    const std::unique_ptr<HistoryBuilder> builder = read(flight);
    if (!builder)
        return tr("Cannot read %1").arg(flight.file);
    const FlightHistory &history = builder->history();
    return HistoryExport::writeCsv(path, history, history.firstTime(), history.lastTime() + 1,
                                   builder->origin(), scales);
}

void FlightActions::exportCurrent()
{
    const FlightRecord *flight = current();
    if (!flight || flight->isDamaged())
        return;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed = QDir(QDir(documents).exists() ? documents : QDir::homePath())
                                     .filePath(QFileInfo(flight->file).completeBaseName() + QLatin1String(".csv"));
    const QString path = QFileDialog::getSaveFileName(window, tr("Export CSV"), proposed, tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    const QString error = writeCsv(*flight, path);
    emit message(error.isEmpty() ? tr("Exported to %1").arg(QDir::toNativeSeparators(path)) : error);
}

void FlightActions::showFolder()
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(logbook->folder())))
        emit message(tr("Cannot open the folder %1").arg(QDir::toNativeSeparators(logbook->folder())));
}

void FlightActions::deleteCurrent()
{
    const FlightRecord *flight = current();
    if (!flight)
        return;
    const QString file = flight->file;
    const auto answer = QMessageBox::question(
            window, tr("Delete flight"),
            tr("Move the flight of %1 (%2) to the trash?").arg(flightName(*flight), file),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const QString error = logbook->moveToTrash(file);
    emit message(error.isEmpty() ? tr("Moved %1 to the trash").arg(file) : error);
}
