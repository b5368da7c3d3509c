#ifndef FLIGHTSWINDOW_H
#define FLIGHTSWINDOW_H

#include "channelscale.h"

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class QTimer;
QT_END_NAMESPACE

class FlightActions;
class FlightsModel;
class Logbook;
struct FlightRecord;

// The "Flights" window: the logbook's table, newest first, sorted by any
// column and filtered by the text of its rows, with the buttons of what
// can be done with the flight chosen (FlightActions): Enter or a
// double-click opens it, Delete moves it to the trash after asking. Its
// list comes from the index, which it brings up to date with the folder
// when it opens and whenever the folder changes, with a progress dialog
// when that takes more than half a second. The table is read by screen
// readers through Qt's accessibility; every control has a name.
class FlightsWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ProgressDelayMs = 500;
    static constexpr int FolderSettleMs = 1000; // a folder's changes gathered before the index is updated
    static constexpr int ColumnSizingRows = 100;

    explicit FlightsWindow(Logbook *logbook, QWidget *parent = nullptr);

    QTableView *table() const { return view; }
    FlightsModel *model() const { return flights; }
    FlightActions *actions() const { return flightActions; }
    QLineEdit *filterBox() const { return filter; }
    QString statusText() const;
    // The flight of the current row, or none.
    const FlightRecord *currentFlight() const;
    // Makes the flight's row current, if it is listed.
    void selectFlight(const QString &file);

    // Reads the index again; the current flight stays current.
    void reload();
    // Brings the index up to date with the folder's files.
    void updateIndex();
    // The progress dialog of the update under way, once it was made.
    QProgressDialog *progressDialog() const { return progress; }

public slots:
    void showMessage(const QString &text);
    // Channel 1 to 3 reads this way from now on.
    void setChannelScale(int channel, const ChannelScale &scale);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void layOut();
    void describeForAssistiveTools();
    QWidget *buttonFor(QAction *action);
    void showTotals();

    Logbook *logbook;
    FlightsModel *flights;
    QSortFilterProxyModel *sorted;
    QLineEdit *filter;
    QTableView *view;
    QLabel *totals;
    QLabel *status;
    FlightActions *flightActions;
    QFileSystemWatcher *watcher;
    QTimer *folderSettle;
    QPointer<QProgressDialog> progress;
    bool updatedOnce = false;
};

#endif
