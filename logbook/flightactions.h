#ifndef FLIGHTACTIONS_H
#define FLIGHTACTIONS_H

#include "channelscale.h"

#include <QObject>

#include <array>
#include <functional>
#include <map>
#include <memory>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class HistoryBuilder;
class HistoryWindow;
class Logbook;
struct FlightRecord;

// What can be done with a flight of the Flights window: open it in a
// flight history window (the whole flight at once), edit its note, pin it,
// export it as CSV, show its folder, move it to the trash after asking.
// Each is an action the window shows as a button and in the table's menu;
// the window says which flight they act on.
class FlightActions : public QObject
{
    Q_OBJECT

public:
    using Scales = std::array<ChannelScale, ChannelScale::ChannelCount>;
    using CurrentFlight = std::function<const FlightRecord *()>;

    FlightActions(Logbook *logbook, QWidget *window, CurrentFlight current);
    ~FlightActions() override;

    QAction *openAction() const { return open; }
    QAction *noteAction() const { return note; }
    QAction *pinAction() const { return pin; }
    QAction *exportAction() const { return exportCsv; }
    QAction *showFileAction() const { return showFile; }
    QAction *deleteAction() const { return remove; }
    QList<QAction *> all() const { return { open, note, pin, exportCsv, showFile, remove }; }

    // The channels' units for what it opens and exports; its window sets them
    // before any flight can be chosen.
    void setScales(const Scales &channelScales) { scales = channelScales; }
    // Enables what the current flight allows.
    void currentChanged();

    // The flight in a history window of its own; the window, or none when
    // the file cannot be read (which message() says).
    HistoryWindow *openFlight(const FlightRecord &flight);
    // The flight as the history window's export writes it; why not, or
    // nothing.
    QString writeCsv(const FlightRecord &flight, const QString &path);

public slots:
    // The current flight opened, or why it cannot be.
    void openCurrent();

signals:
    void message(const QString &text);

private:
    QAction *makeAction(const QString &text, const QString &name, const QString &description);
    void editNote();
    void togglePin();
    void exportCurrent();
    void showFolder();
    void deleteCurrent();
    std::unique_ptr<HistoryBuilder> read(const FlightRecord &flight);

    Logbook *logbook;
    QWidget *window;
    CurrentFlight current;
    Scales scales;
    QAction *open;
    QAction *note;
    QAction *pin;
    QAction *exportCsv;
    QAction *showFile;
    QAction *remove;
    // The flights open in history windows, each kept while its window is.
    std::map<QObject *, std::unique_ptr<HistoryBuilder>> opened;
};

#endif
