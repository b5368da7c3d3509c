// The logbook at the scale of a few seasons of flying, each figure printed
// with its budget:
//   1. a folder of 1,000 flights of about 1 MiB each (a capture of some six
//      minutes at the line's rate, a report a read, as a plain UART delivers
//      them), its index rebuilt in the Flights window as after deleting it:
//      the time to the last flight read, and whether the progress dialog
//      showed;
//   2. the Flights window opened over those 1,000 flights, the index up to
//      date: the time to its table painted;
//   3. a one-hour flight at the line's rate opened from the Flights window:
//      the time from Enter to the whole flight painted in its history window.
//
// Usage: bench_logbook [--flights N] [--folder DIR]   (run with
// QT_QPA_PLATFORM=offscreen; DIR keeps the captures between runs, made once)
// Exit status: 0 all within budget, 3 some not, 1 the run failed.

#include "flightactions.h"
#include "flightsmodel.h"
#include "flightswindow.h"
#include "historyplot.h"
#include "historywindow.h"
#include "logbook.h"
#include "logbookindex.h"
#include "testflight.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

constexpr qint64 LineStepMs = 7;             // 143 reports a second, the line carries 137
constexpr int ReportsPerMiB = (1 << 20) / 19; // a record: 12 bytes of header, a 7-byte frame
bool allWithin = true;

void figure(const char *what, double measured, const char *unit, double budget)
{
    const bool within = measured <= budget;
    allWithin = allWithin && within;
    std::printf("%-62s %10.1f %-3s (budget %g %s) %s\n", what, measured, unit, budget, unit, within ? "PASS" : "FAIL");
    std::fflush(stdout);
}

// Until the widget has painted once.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *widget) { widget->installEventFilter(this); }
    bool wait(int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!painted && clock.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return painted;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }

private:
    bool painted = false;
};

bool makeFlights(const QString &folder, int count)
{
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        const QString path = QDir(folder).filePath(QStringLiteral("flight-%1.raw").arg(i, 4, 10, QLatin1Char('0')));
        if (QFile::exists(path))
            continue;
        TestFlight flight;
        flight.start += qint64(i) * 3600 * 1000;
        flight.reports = ReportsPerMiB;
        flight.stepMs = LineStepMs;
        flight.dips = i % 3;
        if (!flight.write(path))
            return false;
    }
    return true;
}

qint64 folderBytes(const QString &folder)
{
    qint64 bytes = 0;
    for (const QFileInfo &file : QDir(folder).entryInfoList({ QStringLiteral("*.raw") }, QDir::Files))
        bytes += file.size();
    return bytes;
}

int rebuildAndOpen(const QString &folder, int count)
{
    for (const QString &index : QDir(folder).entryList({ QStringLiteral("logbook.sqlite*") }))
        QFile::remove(QDir(folder).filePath(index));
    LogbookSettings settings;
    settings.folder = folder;
    settings.maxMegabytes = LogbookSettings::MaxMegabytes;
    {
        Logbook logbook(settings);
        QSignalSpy finished(&logbook, &Logbook::updateFinished);
        FlightsWindow window(&logbook);
        bool dialogShown = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &window, [&] {
            dialogShown = dialogShown || (window.progressDialog() && window.progressDialog()->isVisible());
        });
        watch.start(50);
        QElapsedTimer clock;
        clock.start();
        window.show();
        if (!finished.wait(600000))
            return 1;
        const double seconds = double(clock.elapsed()) / 1000;
        QCoreApplication::processEvents();
        const QString what = QStringLiteral("rebuild the index from %1 flights (%2 MB), s")
                                     .arg(window.model()->rowCount())
                                     .arg(folderBytes(folder) / 1000000);
        figure(qPrintable(what), seconds, "s", 30);
        std::printf("%-62s %10s\n", "  the progress dialog showed", dialogShown ? "yes" : "NO");
        allWithin = allWithin && dialogShown && window.model()->rowCount() == count;
    }
    Logbook logbook(settings);
    QElapsedTimer clock;
    clock.start();
    FlightsWindow window(&logbook);
    FirstPaint painted(window.table()->viewport());
    window.show();
    if (!painted.wait(10000))
        return 1;
    figure(qPrintable(QStringLiteral("open the Flights window with %1 flights, ms").arg(window.model()->rowCount())),
           double(clock.nsecsElapsed()) / 1e6, "ms", 300);
    return 0;
}

int openAnHour(const QString &folder)
{
    TestFlight flight;
    flight.reports = int(3600 * 1000 / LineStepMs);
    flight.stepMs = LineStepMs;
    flight.dips = 5;
    if (!QDir().mkpath(folder) || !flight.write(QDir(folder).filePath(QStringLiteral("an-hour.raw"))))
        return 1;
    LogbookSettings settings;
    settings.folder = folder;
    Logbook logbook(settings);
    QSignalSpy finished(&logbook, &Logbook::updateFinished);
    FlightsWindow window(&logbook);
    window.show();
    if (!finished.wait(60000) && window.model()->rowCount() != 1)
        return 1;
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(window.table(), Qt::Key_Return);
    const QList<HistoryWindow *> opened = window.findChildren<HistoryWindow *>();
    if (opened.size() != 1)
        return 1;
    FirstPaint painted(opened.at(0)->plot());
    if (!painted.wait(10000))
        return 1;
    figure(qPrintable(QStringLiteral("open a one-hour flight (%1 reports, %2 MB) in its history, ms")
                              .arg(opened.at(0)->plot()->view().to() > 0 ? flight.reports : 0)
                              .arg(folderBytes(folder) / 1000000)),
           double(clock.nsecsElapsed()) / 1e6, "ms", 1000);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the channels' settings: the defaults
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The logbook's figures at scale."));
    parser.addHelpOption();
    const QCommandLineOption flightsOption(QStringLiteral("flights"), QStringLiteral("Flights to make."),
                                           QStringLiteral("N"), QStringLiteral("1000"));
    const QCommandLineOption folderOption(QStringLiteral("folder"),
                                          QStringLiteral("Where the flights are made, and kept between runs."),
                                          QStringLiteral("DIR"));
    parser.addOptions({ flightsOption, folderOption });
    parser.process(app);
    const int count = std::max(1, parser.value(flightsOption).toInt());
    QTemporaryDir scratch;
    const QString folder = parser.isSet(folderOption) ? parser.value(folderOption) : scratch.filePath("flights");
    QElapsedTimer made;
    made.start();
    if (!makeFlights(folder, count))
        return 1;
    std::printf("%d flights in %s (%.1f s to make what was missing)\n", count, qPrintable(folder),
                double(made.elapsed()) / 1000);
    if (rebuildAndOpen(folder, count) != 0 || openAnHour(scratch.filePath(QStringLiteral("hour"))) != 0) {
        std::fprintf(stderr, "bench_logbook: the run failed\n");
        return 1;
    }
    return allWithin ? 0 : 3;
}
