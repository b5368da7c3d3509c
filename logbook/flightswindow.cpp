#include "flightswindow.h"

#include "flightactions.h"
#include "flightsmodel.h"
#include "indexupdate.h"
#include "logbook.h"
#include "logbooksettings.h"

#include <QAction>
#include <QDir>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <numeric>

FlightsWindow::FlightsWindow(Logbook *logbook, QWidget *parent)
    : QWidget(parent, Qt::Window), logbook(logbook)
{
    setWindowTitle(tr("Flights"));
    if (parent)
        setAttribute(Qt::WA_QuitOnClose, false); // closing the main window ends the program
    flights = new FlightsModel(this);
    sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(flights);
    sorted->setSortRole(FlightsModel::SortRole);
    sorted->setFilterKeyColumn(-1); // any column's text
    sorted->setFilterCaseSensitivity(Qt::CaseInsensitive);
    filter = new QLineEdit;
    filter->setObjectName(QStringLiteral("flightsFilter"));
    filter->setClearButtonEnabled(true);
    // Qt's own button in the box would have no name for a screen reader.
    if (auto *clear = filter->findChild<QAction *>(QStringLiteral("_q_qlineeditclearaction")))
        clear->setText(tr("Clear the filter"));
    connect(filter, &QLineEdit::textChanged, sorted, &QSortFilterProxyModel::setFilterFixedString);

    view = new QTableView;
    view->setObjectName(QStringLiteral("flightsTable"));
    view->setModel(sorted);
    view->setSortingEnabled(true);
    view->sortByColumn(FlightsModel::Date, Qt::DescendingOrder); // newest first
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false); // Tab goes on to the buttons
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    // Columns sized from the rows in view and a hundred more, not all of a
    // thousand flights: the table opens and follows the folder at once.
    view->horizontalHeader()->setResizeContentsPrecision(ColumnSizingRows);
    totals = new QLabel;
    totals->setObjectName(QStringLiteral("flightsTotals"));
    status = new QLabel;
    status->setObjectName(QStringLiteral("flightsStatus"));
    status->setWordWrap(true);
    status->hide(); // until there is something to say

    flightActions = new FlightActions(logbook, this, [this] { return currentFlight(); });
    connect(flightActions, &FlightActions::message, this, &FlightsWindow::showMessage);
    connect(view, &QTableView::activated, flightActions, &FlightActions::openCurrent);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, flightActions,
            &FlightActions::currentChanged);
    for (QAction *action : flightActions->all())
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view->addActions(flightActions->all());
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(logbook, &Logbook::flightsChanged, this, &FlightsWindow::reload);

    // Files added or removed by hand, or by another copy of Duplink.
    watcher = new QFileSystemWatcher(this);
    if (QDir().mkpath(logbook->folder()))
        watcher->addPath(logbook->folder());
    folderSettle = new QTimer(this);
    folderSettle->setSingleShot(true);
    folderSettle->setInterval(FolderSettleMs);
    connect(watcher, &QFileSystemWatcher::directoryChanged, folderSettle, qOverload<>(&QTimer::start));
    connect(folderSettle, &QTimer::timeout, this, &FlightsWindow::updateIndex);

    layOut();
    describeForAssistiveTools();
    QSettings settings;
    for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
        setChannelScale(channel, ChannelScale::load(settings, ChannelScale::Channel(channel - 1)));
    reload();
    resize(1000, 460);
    view->setFocus(); // where the flights are, for the keyboard and screen readers
}

void FlightsWindow::layOut()
{
    //: The label of the Flights window's filter box
    auto *filterLabel = new QLabel(tr("&Filter:"));
    filterLabel->setBuddy(filter);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter, 1);
    auto *buttons = new QHBoxLayout;
    for (QAction *action : flightActions->all())
        buttons->addWidget(buttonFor(action));
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(view, 1);
    layout->addLayout(buttons);
    layout->addWidget(totals);
    layout->addWidget(status);
}

// A button that follows its action: text, state, and what it is for.
QWidget *FlightsWindow::buttonFor(QAction *action)
{
    auto *button = new QPushButton(action->text());
    button->setObjectName(action->objectName() + QLatin1String("Button"));
    button->setCheckable(action->isCheckable());
    button->setAutoDefault(false);
    const auto follow = [button, action] {
        button->setEnabled(action->isEnabled());
        button->setChecked(action->isChecked());
        button->setAccessibleName(QString(action->text()).remove(QLatin1Char('&')));
        button->setAccessibleDescription(action->toolTip());
        button->setToolTip(action->toolTip());
    };
    follow();
    connect(action, &QAction::changed, button, follow);
    connect(button, &QPushButton::clicked, action, [action] {
        action->trigger();
    });
    return button;
}

void FlightsWindow::describeForAssistiveTools()
{
    filter->setAccessibleName(tr("Filter flights"));
    filter->setAccessibleDescription(tr("Shows only the flights whose row holds this text"));
    view->setAccessibleName(tr("Flights"));
    view->setAccessibleDescription(tr("A row per flight, newest first. Enter opens the flight in a flight "
                                      "history window, Delete moves it to the trash."));
}

void FlightsWindow::setChannelScale(int channel, const ChannelScale &scale)
{
    flights->setChannelScale(channel, scale);
    FlightActions::Scales scales;
    for (int c = 1; c <= ChannelScale::ChannelCount; ++c)
        scales[std::size_t(c - 1)] = c == channel ? scale : flights->channelScale(c);
    flightActions->setScales(scales);
}

void FlightsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!updatedOnce) {
        updatedOnce = true;
        updateIndex();
    }
}

const FlightRecord *FlightsWindow::currentFlight() const
{
    const QModelIndex shown = view->currentIndex();
    if (!shown.isValid())
        return nullptr;
    return &flights->flight(sorted->mapToSource(shown).row());
}

void FlightsWindow::selectFlight(const QString &file)
{
    const int row = flights->rowOf(file);
    const QModelIndex shown = row < 0 ? QModelIndex() : sorted->mapFromSource(flights->index(row, 0));
    if (shown.isValid())
        view->setCurrentIndex(shown);
}

void FlightsWindow::reload()
{
    const FlightRecord *chosen = currentFlight();
    const QString file = chosen ? chosen->file : QString();
    flights->setFlights(logbook->flights());
    if (!file.isEmpty() && flights->rowOf(file) >= 0)
        selectFlight(file);
    else if (sorted->rowCount() > 0)
        view->setCurrentIndex(sorted->index(0, 0));
    flightActions->currentChanged();
    view->resizeColumnsToContents();
    showTotals();
}

void FlightsWindow::showTotals()
{
    qint64 bytes = 0;
    for (int row = 0; row < flights->rowCount(); ++row)
        bytes += std::max<qint64>(flights->flight(row).bytes, 0);
    const QLocale locale;
    const QString count = flights->rowCount() == 1 ? tr("1 flight")
                                                   : tr("%1 flights").arg(locale.toString(flights->rowCount()));
    //: Under the Flights table: "12 flights", the room they take ("1.2 MB") and may take, and their folder
    totals->setText(tr("%1, %2 of %3 MB, in %4")
                            .arg(count, locale.formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat),
                                 locale.toString(logbook->settings().maxMegabytes),
                                 QDir::toNativeSeparators(logbook->folder())));
}

QString FlightsWindow::statusText() const
{
    return status->text();
}

void FlightsWindow::showMessage(const QString &text)
{
    status->setText(text);
    status->setVisible(!text.isEmpty());
}

void FlightsWindow::updateIndex()
{
    IndexUpdate *running = logbook->update();
    if (!running || progress)
        return;
    progress = new QProgressDialog(tr("Reading the flights' files into the logbook's index..."), tr("Stop"), 0,
                                   running->total(), this);
    progress->setWindowTitle(tr("Flights"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(ProgressDelayMs);
    connect(running, &IndexUpdate::progress, progress, &QProgressDialog::setValue);
    connect(progress, &QProgressDialog::canceled, running, &IndexUpdate::cancel);
    connect(running, &IndexUpdate::finished, progress, &QObject::deleteLater);
}
