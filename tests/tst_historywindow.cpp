#include "alarmrows.h"
#include "flighthistory.h"
#include "historycontrol.h"
#include "historyexport.h"
#include "historyplot.h"
#include "historywindow.h"
#include "linkedwindow.h"
#include "portlistener.h"
#include "rawcapture.h"
#include "replaydevice.h"
#include "temporarysettings.h"
#include "testframes.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

#include <algorithm>
#include <csignal>

#include <sys/resource.h>

namespace {

// A flight of 400 reports, 50 ms apart, with silences of 3.1 s after the
// 200th (a lost link) and of 2.9 s after the 300th (not one); volt 1 is 0 (below alarm row 1's default "less than 1")
// from the 100th report to the 129th.
constexpr qint64 Start = 1700000000000; // ms since 1970
constexpr int Reports = 400;
constexpr qint64 StepMs = 50;

qint64 timeOf(int i)
{
    return StepMs * i + (i >= 200 ? 3050 : 0) + (i >= 300 ? 2850 : 0);
}

ReportValues valuesOf(int i)
{
    const int volt1 = i >= 100 && i < 130 ? 0 : 10 + i % 200;
    return { quint8(volt1), quint8(255 - i % 255), quint8(i * 7 % 256), quint8(i % 100) };
}

bool writeFlight(const QString &path)
{
    RawCapture capture;
    bool written = capture.create(path, Start);
    for (int i = 0; i < Reports; ++i) {
        const ReportValues v = valuesOf(i);
        written = written && capture.append(timeOf(i), voltsFrame(v[0], v[1], v[2], v[3]));
    }
    return written && capture.close();
}

// While it lives, files this process writes stop at `bytes` (none: as they
// were), as on a full disk: writes past it fail rather than end the process.
struct FileSizeLimit
{
    explicit FileSizeLimit(int bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit limit = before;
        limit.rlim_cur = bytes > 0 ? rlim_t(bytes) : before.rlim_cur;
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before); }
    rlimit before{};
};

QString minutesAndSeconds(qint64 ms)
{
    return QStringLiteral("%1:%2").arg(ms / 60000).arg(ms / 1000 % 60, 2, 10, QChar('0'));
}

// Played into a window with the history window open, as fast as it goes
// unless told otherwise.
struct PlayedFlight
{
    explicit PlayedFlight(const QString &path, double speed = 0)
        : finished(&replay, &ReplayDevice::finished)
    {
        ok = writeFlight(path) && replay.openCapture(path);
        window.showReplay(&replay, QStringLiteral("flight.raw"));
        window.historyControl()->openWindow();
        history = window.historyControl()->window();
        plot = history->plot();
        replay.play(speed);
        ok = ok && QTest::qWaitForWindowActive(history);
        plot->setFocus();
        if (speed == 0)
            finish();
    }

    void finish()
    {
        ok = ok && (!finished.isEmpty() || finished.wait(20000));
        QTest::qWait(2 * HistoryWindow::RefreshInterval); // the last reports painted
    }

    // The reports in [from, to), and the figures line they make.
    static QString figures(qint64 from, qint64 to, const QString &range)
    {
        QStringList lines;
        int count = 0;
        for (int c = 0; c < 3; ++c) {
            int low = 255, high = 0, newest = 0;
            double sum = 0;
            count = 0;
            for (int i = 0; i < Reports; ++i) {
                if (Start + timeOf(i) < from || Start + timeOf(i) >= to)
                    continue;
                const int v = valuesOf(i)[c];
                low = std::min(low, v), high = std::max(high, v), newest = v, sum += v, ++count;
            }
            lines << QStringLiteral("%1: min %2, max %3, mean %4, newest %5.")
                             .arg(QStringList{ "Volt 1", "Volt 2", "Link quality" }[c])
                             .arg(low).arg(high).arg(sum / count, 0, 'f', 1).arg(newest);
        }
        return QStringLiteral("%1 since the first report, %2 reports.\n").arg(range).arg(count)
                + lines.join('\n');
    }

    QString shownRange() const
    {
        return minutesAndSeconds(plot->view().from() - Start) + " to " + minutesAndSeconds(plot->view().to() - Start);
    }

    QString shownFigures() const { return child<QLabel>(*history, "historyFigures")->text(); }

    TemporarySettings settings;
    ReplayDevice replay;
    Window window;
    HistoryWindow *history = nullptr;
    HistoryPlot *plot = nullptr;
    QSignalSpy finished;
    bool ok = false;
};

} // namespace

class tst_HistoryWindow : public QObject
{
    Q_OBJECT

private slots:
    void replayShowsTheWholeFlight();
    void keysZoomAndPan_data();
    void keysZoomAndPan();
    void exportedThroughTheEntry_data();
    void exportedThroughTheEntry();
    void followingPaintsWhatAWholePaintShows();
    void droppedReportsAreSaid();
    void keepsItsPlaceAndItsTimeLine();

private:
    QTemporaryDir folder;
};

// The capture's own times, whatever the speed: the whole flight shown, its
// silence kept as a lost link, the alarm marked where volt 1 fell and rose.
void tst_HistoryWindow::replayShowsTheWholeFlight()
{
    PlayedFlight flight(folder.filePath("whole.raw"));
    QVERIFY(flight.ok);
    const FlightHistory &history = flight.window.historyControl()->history();
    QCOMPARE(history.size(), Reports);
    const HistoryView &view = flight.plot->view();
    QCOMPARE(flight.plot->origin(), Start);
    QCOMPARE(view.mode(), HistoryView::Mode::Whole);
    QCOMPARE(view.from(), Start);
    QVERIFY(view.to() > Start + timeOf(Reports - 1));
    QVERIFY(view.to() - Start < timeOf(Reports - 1) * 9 / 8 + 2 * view.msPerColumn()); // fits tightly
    QCOMPARE(flight.shownFigures(), PlayedFlight::figures(Start, Start + timeOf(Reports), flight.shownRange()));
    QVERIFY(!child<QLabel>(*flight.history, "historyHeldFrom")->isVisible()); // nothing dropped

    const auto gaps = history.lostLinks(Start, Start + timeOf(Reports));
    QCOMPARE(gaps.size(), std::size_t(1));
    QCOMPARE(gaps[0].from, Start + timeOf(199));
    QCOMPARE(gaps[0].to, Start + timeOf(200));
    const auto changes = history.alarmChanges(Start, Start + timeOf(Reports));
    QCOMPARE(changes.size(), std::size_t(4)); // rows 1 and 2 watch volt 1
    for (std::size_t k = 0; k < changes.size(); ++k) {
        QCOMPARE(changes[k].time, Start + timeOf(k < 2 ? 100 : 130));
        QCOMPARE(changes[k].row, int(k % 2));
        QCOMPARE(changes[k].tripped, k < 2);
    }
}

void tst_HistoryWindow::keysZoomAndPan_data()
{
    QTest::addColumn<QString>("keys"); // + - Left (<) Right (>) Home (H) End (E)
    QTest::addColumn<HistoryView::Mode>("mode");
    QTest::addColumn<double>("zoom"); // column width against the whole flight's
    QTest::addColumn<int>("eighthsBack"); // of the width, from the newest report at the right edge

    using Mode = HistoryView::Mode;
    QTest::newRow("+") << "+" << Mode::Live << 0.5 << 0;
    QTest::newRow("+ +") << "++" << Mode::Live << 0.25 << 0;
    QTest::newRow("+ + -") << "++-" << Mode::Live << 0.5 << 0;
    QTest::newRow("+ Left") << "+<" << Mode::Fixed << 0.5 << 1;
    QTest::newRow("+ Left Left Right") << "+<<>" << Mode::Fixed << 0.5 << 1;
    QTest::newRow("+ Left Right: live again") << "+<>" << Mode::Live << 0.5 << 0;
    QTest::newRow("+ Left Left End") << "+<<E" << Mode::Live << 0.5 << 0;
    QTest::newRow("-: no wider than the whole flight") << "-" << Mode::Whole << 1.0 << 0;
    QTest::newRow("+ Left Home") << "+<H" << Mode::Whole << 1.0 << 0;
}

// The keys as the user presses them, with the figures following the view.
void tst_HistoryWindow::keysZoomAndPan()
{
    QFETCH(QString, keys);
    QFETCH(HistoryView::Mode, mode);
    QFETCH(double, zoom);
    QFETCH(int, eighthsBack);
    PlayedFlight flight(folder.filePath("keys.raw"));
    QVERIFY(flight.ok);
    const HistoryView &view = flight.plot->view();
    const qint64 wholeMs = view.msPerColumn();
    const QHash<QChar, Qt::Key> named = { { '+', Qt::Key_Plus }, { '-', Qt::Key_Minus }, { '<', Qt::Key_Left },
                                          { '>', Qt::Key_Right }, { 'H', Qt::Key_Home }, { 'E', Qt::Key_End } };
    for (const QChar key : keys)
        QTest::keyClick(flight.plot, named[key]);
    QCOMPARE(view.mode(), mode);
    QCOMPARE(double(view.msPerColumn()) / double(wholeMs), zoom);
    const qint64 newest = Start + timeOf(Reports - 1);
    if (mode != HistoryView::Mode::Whole) {
        const qint64 right = view.to() + eighthsBack * (view.width() / 8) * view.msPerColumn();
        QVERIFY(right > newest && right - view.msPerColumn() <= newest);
    }
    QCOMPARE(flight.shownFigures(), PlayedFlight::figures(view.from(), view.to(), flight.shownRange()));
}

void tst_HistoryWindow::exportedThroughTheEntry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted"); // the file dialog
    QTest::addColumn<int>("limit"); // bytes a file of this process may hold; 0: as it is
    QTest::addColumn<QString>("reason"); // the message box's; none: no box

    QTest::newRow("exported") << "shown.csv" << true << 0 << "";
    QTest::newRow("canceled") << "canceled.csv" << false << 0 << "";
    QTest::newRow("a file for a folder") << "a-file/shown.csv" << true << 0 << "Not a directory";
    QTest::newRow("no folder") << "no-folder/shown.csv" << true << 0 << "No such file or directory";
    QTest::newRow("no room") << "no-room.csv" << true << 4096 << "File too large";
}

// Ctrl+E, a file named in its dialog: the reports in view, read back (times
// from the start and by the clock, the raw bytes, and the channels with a
// unit in that unit); or nothing under the name, not even an empty or
// half-written file, and a message that says why.
void tst_HistoryWindow::exportedThroughTheEntry()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QFETCH(int, limit);
    QFETCH(QString, reason);
    PlayedFlight flight(folder.filePath("export.raw"));
    QVERIFY(flight.ok);
    ChannelScale volts = ChannelScale::defaults(ChannelScale::Volt1);
    volts.name = QStringLiteral("RX, battery");
    volts.unit = QStringLiteral("V");
    volts.value2 = 10;
    volts.decimals = 2;
    flight.history->setChannelScale(1, volts);
    ChannelScale quality = ChannelScale::defaults(ChannelScale::LinkQuality);
    quality.unit = QStringLiteral("%");
    quality.value2 = 100;
    flight.history->setChannelScale(3, quality);
    QTest::keyClicks(flight.plot, "++");
    QTest::keyClick(flight.plot, Qt::Key_Left);
    QFile blocker(folder.filePath("a-file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = folder.filePath(name);
    QString message;
    QTimer answer; // the dialogs, modal, as they come
    connect(&answer, &QTimer::timeout, &answer, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog->setDirectory(folder.path()); // whatever it makes of the name, nothing lands elsewhere
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path); // as typed
            QDialog *answered = dialog; // its accept() is the dialog's own, checks and all
            accepted ? answered->accept() : answered->reject();
        } else if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            message = box->text();
            box->close();
        }
    });
    answer.start(10);
    {
        FileSizeLimit room(limit);
        flight.history->exporter()->csvAction()->trigger();
    }
    QCOMPARE(message, reason.isEmpty() ? QString() : "Cannot export to " + path + ": " + reason);
    QFile file(path);
    QCOMPARE(file.open(QIODevice::ReadOnly | QIODevice::Text), accepted && reason.isEmpty());
    if (!file.isOpen())
        return;
    QCOMPARE(file.readLine(), QByteArray("seconds,utc,volt1,volt2,linkq,linkql,\"RX, battery (V)\",Link quality (%)\n"));
    int rows = 0;
    for (int i = 0; i < Reports; ++i) {
        const qint64 time = Start + timeOf(i);
        if (time < flight.plot->view().from() || time >= flight.plot->view().to())
            continue;
        const ReportValues v = valuesOf(i);
        const QDateTime clock = QDateTime::fromMSecsSinceEpoch(time, QTimeZone::utc());
        const QString expected = QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8\n")
                                         .arg(double(timeOf(i)) / 1000, 0, 'f', 3)
                                         .arg(clock.toString(Qt::ISODateWithMs))
                                         .arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3])
                                         .arg(v[0] * 10.0 / 255, 0, 'f', 2)
                                         .arg(v[2] * 100.0 / 255, 0, 'f', 0);
        QCOMPARE(QString::fromUtf8(file.readLine()), expected);
        ++rows;
    }
    QVERIFY(rows > 10 && rows < Reports / 2);
    QVERIFY(file.atEnd());
}

// While following, the plot scrolls and repaints only new columns; what
// is on the screen then is what a paint of the whole plot draws.
void tst_HistoryWindow::followingPaintsWhatAWholePaintShows()
{
    PlayedFlight flight(folder.filePath("live.raw"), 5);
    QVERIFY(flight.ok);
    QTRY_VERIFY(flight.window.historyControl()->history().size() > Reports / 2);
    QTest::keyClick(flight.plot, Qt::Key_Plus);
    QCOMPARE(flight.plot->view().mode(), HistoryView::Mode::Live);
    flight.finish();
    QVERIFY(flight.ok);
    QCOMPARE(flight.plot->view().mode(), HistoryView::Mode::Live);
    const QRect plotArea(flight.plot->mapTo(flight.history, QPoint()), flight.plot->size());
    const QImage onScreen = flight.history->screen()->grabWindow(flight.history->winId()).toImage();
    QCOMPARE(onScreen.copy(plotArea).convertToFormat(QImage::Format_RGB32),
             flight.plot->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// Past its capacity the history drops its oldest reports, and the window
// says from when it holds them.
void tst_HistoryWindow::droppedReportsAreSaid()
{
    TemporarySettings settings;
    QWidget main;
    AlarmRows rows;
    rows.addTo(*new QGridLayout(&main), 0); // the rows' widgets belong to main
    HistoryControl control(&main, &rows, 128);
    ReplayDevice replay;
    QVERIFY(writeFlight(folder.filePath("dropped.raw")) && replay.openCapture(folder.filePath("dropped.raw")));
    PortListener listener(&replay);
    control.followReplay(&replay);
    control.listenTo(&listener);
    control.openWindow();
    QSignalSpy finished(&replay, &ReplayDevice::finished);
    replay.play(0);
    QVERIFY(finished.wait());
    const FlightHistory &history = control.history();
    QVERIFY(history.droppedCount() > 0 && history.size() <= 128);
    QCOMPARE(history.size() + history.droppedCount(), Reports);
    const HistoryView &view = control.window()->plot()->view();
    QVERIFY(view.from() <= history.firstTime() && view.columnStart(1) > history.firstTime());
    const auto *held = child<QLabel>(*control.window(), "historyHeldFrom");
    QTRY_VERIFY(held->isVisible());
    const QString from = minutesAndSeconds(history.firstTime() - Start);
    QVERIFY2(held->text().startsWith("Holds the reports from " + from + " ("), qPrintable(held->text()));
    QVERIFY(held->minimumSizeHint().width() < held->fontMetrics().horizontalAdvance(held->text())); // wraps

    // The view held still, the line follows further drops all the same.
    QTest::keyClick(control.window()->plot(), Qt::Key_Plus);
    QTest::keyClick(control.window()->plot(), Qt::Key_Left);
    QCOMPARE(view.mode(), HistoryView::Mode::Fixed);
    ReplayDevice again; // the same flight, held at the newest time
    QVERIFY(again.openCapture(folder.filePath("dropped.raw")));
    PortListener againListener(&again);
    control.followReplay(&again);
    control.listenTo(&againListener);
    again.play(0);
    QVERIFY(QSignalSpy(&again, &ReplayDevice::finished).wait());
    QTRY_VERIFY(held->text().startsWith("Holds the reports from " + minutesAndSeconds(history.firstTime() - Start) + " ("));
}

// As narrow as it goes, the window shows the time line whole; the figures
// are as tall as their lines, in the font as it is; it opens in the next
// session where it was and as large.
void tst_HistoryWindow::keepsItsPlaceAndItsTimeLine()
{
    PlayedFlight flight(folder.filePath("place.raw"));
    QVERIFY(flight.ok);
    auto *figures = child<QLabel>(*flight.history, "historyFigures");
    flight.history->resize(1, flight.history->height());
    QTRY_VERIFY(flight.history->width() < 500);
    QVERIFY(figures->contentsRect().width() >= figures->fontMetrics().horizontalAdvance(figures->text().section('\n', 0, 0)));
    QCOMPARE(figures->sizeHint().height(), figures->fontMetrics().lineSpacing() * (figures->text().count('\n') + 1));
    const QSize smallerFont = figures->sizeHint();
    figures->setFont(QFont(figures->font().family(), figures->font().pointSize() * 2));
    QVERIFY(figures->sizeHint().width() > smallerFont.width() && figures->minimumSizeHint().width() > smallerFont.width() / 2);
    for (const bool closed : { true, false }) { // or open as the program ends
        const QRect place(60 + closed, 70, 640, 380);
        {
            Window first;
            first.historyControl()->openWindow();
            first.historyControl()->window()->setGeometry(place);
            if (closed)
                first.historyControl()->window()->close();
        }
        Window next;
        next.historyControl()->openWindow();
        QCOMPARE(next.historyControl()->window()->geometry(), place);
    }
}

QTEST_MAIN(tst_HistoryWindow)
#include "tst_historywindow.moc"
