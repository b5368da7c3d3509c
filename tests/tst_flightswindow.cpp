#include "flightactions.h"
#include "flightsmodel.h"
#include "flightswindow.h"
#include "channelscale.h"
#include "historyplot.h"
#include "historywindow.h"
#include "logbook.h"
#include "temporarysettings.h"
#include "testflight.h"
#include "testframes.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The next modal dialog, answered as the user would.
void answerNextDialog(const std::function<void(QWidget *)> &answer)
{
    QTimer::singleShot(0, qApp, [answer] { answer(QApplication::activeModalWidget()); });
}

// A folder of three flights and a file that is none, in a window.
struct ShownFlights
{
    ShownFlights()
    {
        QSettings channels;
        channels.setValue(QStringLiteral("channels/volt1/name"), QStringLiteral("RX battery"));
        channels.setValue(QStringLiteral("channels/volt1/unit"), QStringLiteral("V"));
        channels.setValue(QStringLiteral("channels/volt1/value2"), 10);
        channels.setValue(QStringLiteral("channels/volt1/decimals"), 2);
        kept.folder = folder.path();
        for (int i = 0; i < 3; ++i) {
            TestFlight flight;
            flight.start += i * 60000;
            flight.reports = i == 2 ? 2 : 400 * (i + 1);
            flight.stepMs = i == 2 ? 3723000 : 50;
            flight.dips = i;
            flight.lead = thresholdFrame(1, 100, 0);
            written = written && flight.write(folder.filePath(QStringLiteral("flight%1.raw").arg(i)));
        }
        QFile notes(folder.filePath(QStringLiteral("notes.txt")));
        written = written && notes.open(QIODevice::WriteOnly) && notes.write("windy\n") == 6;
        notes.close();
        logbook = std::make_unique<Logbook>(kept);
        window = std::make_unique<FlightsWindow>(logbook.get());
        QSignalSpy updated(logbook.get(), &Logbook::updateFinished);
        window->show();
        written = written && (!updated.isEmpty() || updated.wait(10000));
        table = window->table();
    }

    // A column's texts, top to bottom.
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            texts << table->model()->index(row, column).data().toString();
        return texts;
    }

    void choose(const QString &file) { window->selectFlight(file); }
    QString current() const { return window->currentFlight() ? window->currentFlight()->file : QString(); }

    TemporarySettings settings;
    QTemporaryDir folder;
    LogbookSettings kept;
    std::unique_ptr<Logbook> logbook;
    std::unique_ptr<FlightsWindow> window;
    QTableView *table = nullptr;
    bool written = true;
};

} // namespace

class tst_FlightsWindow : public QObject
{
    Q_OBJECT

private slots:
    void tableShowsTheFlights_data();
    void tableShowsTheFlights();
    void sortAndFilter_data();
    void sortAndFilter();
    void enterOpensTheWholeFlight();
    void deleteAsksThenMovesToTheTrash_data();
    void deleteAsksThenMovesToTheTrash();
    void noteAndPin();
    void exportWritesTheWholeFlight();
    void everyControlIsNamed();
    void followsTheFolder();
    void stoppedUpdateGoesOnNextTime();
};

void tst_FlightsWindow::tableShowsTheFlights_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("texts"); // newest first: the damaged file, flights 2, 1, 0

    using M = FlightsModel;
    QTest::newRow("duration") << int(M::Duration) << QStringList{ "", "1:02:03", "0:39", "0:19" };
    QTest::newRow("reports") << int(M::Reports) << QStringList{ "", "2", "800", "400" };
    QTest::newRow("volt 1 lowest, in volts") << int(M::FirstChannel)
                                            << QStringList{ "", "4.71 V", "3.14 V", "4.71 V" };
    QTest::newRow("volt 2 highest, raw") << int(M::FirstChannel + 3) << QStringList{ "", "151", "169", "169" };
    QTest::newRow("alarms") << int(M::Alarms) << QStringList{ "", "none", "alarm 1: 1", "none" };
    QTest::newRow("lost links") << int(M::LostLinks) << QStringList{ "", "1", "0", "0" };
    QTest::newRow("ended") << int(M::Ending) << QStringList{ "damaged", "", "", "" };
}

void tst_FlightsWindow::tableShowsTheFlights()
{
    QFETCH(int, column);
    QFETCH(QStringList, texts);
    ShownFlights shown;
    QVERIFY(shown.written);
    QCOMPARE(shown.column(column), texts);
    QCOMPARE(shown.table->model()->headerData(FlightsModel::FirstChannel, Qt::Horizontal).toString(),
             QStringLiteral("RX battery\nlowest"));
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(TestFlight::DefaultStart + 2 * 60000);
    QCOMPARE(shown.column(FlightsModel::Date).at(1), start.toString(QStringLiteral("yyyy-MM-dd")));
    QCOMPARE(shown.column(FlightsModel::Start).at(1), start.toString(QStringLiteral("HH:mm:ss")));
    QCOMPARE(shown.current(), QStringLiteral("notes.txt"));
    QVERIFY(shown.window->statusText().isEmpty());
    // Numbers sort as numbers, whatever they read as.
    using M = FlightsModel;
    for (int c : { int(M::Date), int(M::Start), int(M::Duration), int(M::Reports), int(M::FirstChannel), M::Alarms - 1,
                   int(M::Alarms), int(M::LostLinks) })
        QVERIFY(shown.table->model()->index(1, c).data(M::SortRole).typeId() != QMetaType::QString);

    ChannelScale tx = ChannelScale::defaults(ChannelScale::Volt2);
    tx.unit = QStringLiteral("V");
    QSignalSpy headers(shown.window->model(), &QAbstractItemModel::headerDataChanged);
    QSignalSpy cells(shown.window->model(), &QAbstractItemModel::dataChanged);
    shown.window->setChannelScale(2, tx);
    QCOMPARE(headers.value(0), (QVariantList{ QVariant::fromValue(Qt::Horizontal), M::FirstChannel + 2, M::FirstChannel + 3 }));
    QCOMPARE(cells.value(0).value(1).toModelIndex().column(), M::FirstChannel + 3);
    QCOMPARE(shown.column(M::FirstChannel + 3).at(1), QStringLiteral("151 V"));
}

void tst_FlightsWindow::sortAndFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("sortColumn");
    QTest::addColumn<QStringList>("files");

    using M = FlightsModel;
    QTest::newRow("newest first") << "" << -1 << QStringList{ "notes.txt", "flight2.raw", "flight1.raw", "flight0.raw" };
    QTest::newRow("longest first") << "" << int(M::Duration)
                                   << QStringList{ "flight2.raw", "flight1.raw", "flight0.raw", "notes.txt" };
    QTest::newRow("most reports first, as numbers") << "" << int(M::Reports)
                                                    << QStringList{ "flight1.raw", "flight0.raw", "flight2.raw", "notes.txt" };
    QTest::newRow("the damaged") << "DAMAGED" << -1 << QStringList{ "notes.txt" };
    QTest::newRow("an alarm tripped") << "alarm 1" << -1 << QStringList{ "flight1.raw" };
    QTest::newRow("nothing") << "gusty" << -1 << QStringList{};
}

void tst_FlightsWindow::sortAndFilter()
{
    QFETCH(QString, filter);
    QFETCH(int, sortColumn);
    QFETCH(QStringList, files);
    ShownFlights shown;
    QTest::keyClicks(shown.window->filterBox(), filter);
    if (sortColumn >= 0)
        shown.table->sortByColumn(sortColumn, Qt::DescendingOrder);
    QStringList listed;
    for (int row = 0; row < shown.table->model()->rowCount(); ++row) {
        shown.table->setCurrentIndex(shown.table->model()->index(row, 0));
        listed << shown.current();
    }
    QCOMPARE(listed, files);
}

// Enter on a flight: its history, all of it; on a damaged file: why not.
void tst_FlightsWindow::enterOpensTheWholeFlight()
{
    ShownFlights shown;
    shown.table->setFocus();
    QTest::keyClick(shown.table, Qt::Key_Return);
    QVERIFY(shown.window->findChildren<HistoryWindow *>().isEmpty());
    QCOMPARE(shown.window->statusText(), QStringLiteral("Cannot open notes.txt: damaged"));

    shown.choose(QStringLiteral("flight1.raw"));
    QTest::keyClick(shown.table, Qt::Key_Return);
    const QList<HistoryWindow *> opened = shown.window->findChildren<HistoryWindow *>();
    QCOMPARE(opened.size(), 1);
    HistoryWindow *history = opened.at(0);
    QVERIFY(history->isVisible());
    QVERIFY(history->windowTitle().startsWith(QStringLiteral("Flight history: ")));
    const qint64 start = TestFlight::DefaultStart + 60000;
    QCOMPARE(history->plot()->origin(), start);
    QCOMPARE(history->plot()->view().from(), start);
    QVERIFY(history->plot()->view().to() > start + 799 * 50);
    QVERIFY(history->figures().contains(QStringLiteral(", 800 reports.\nRX battery: min 3.14 V, max 6.63 V")));
    const QPoint cell = shown.table->visualRect(shown.table->currentIndex()).center();
    QTest::mouseClick(shown.table->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(shown.table->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(shown.window->findChildren<HistoryWindow *>().size(), 2);
    history->close(); // its flight goes with it
    QTRY_COMPARE(shown.window->findChildren<HistoryWindow *>().size(), 1);
}

void tst_FlightsWindow::deleteAsksThenMovesToTheTrash_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
}

void tst_FlightsWindow::deleteAsksThenMovesToTheTrash()
{
    QFETCH(bool, yes);
    ShownFlights shown;
    shown.choose(QStringLiteral("flight0.raw"));
    shown.table->setFocus();
    QString asked;
    answerNextDialog([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        asked = box ? box->text() : QStringLiteral("no message box");
        if (box)
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    // The trash of XDG_DATA_HOME, which the test mode would not use.
    QStandardPaths::setTestModeEnabled(false);
    QTest::keyClick(shown.table, Qt::Key_Delete);
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(asked.endsWith(QStringLiteral("(flight0.raw) to the trash?")), qPrintable(asked));
    QCOMPARE(QFile::exists(shown.folder.filePath(QStringLiteral("flight0.raw"))), !yes);
    const QString trashed = QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath(QStringLiteral("Trash/files/flight0.raw"));
    QCOMPARE(QFile::exists(trashed), yes);
    QCOMPARE(shown.column(FlightsModel::Reports).contains(QStringLiteral("400")), !yes);
    QCOMPARE(shown.window->statusText(), yes ? QStringLiteral("Moved flight0.raw to the trash") : QString());
}

void tst_FlightsWindow::noteAndPin()
{
    ShownFlights shown;
    shown.choose(QStringLiteral("flight1.raw"));
    answerNextDialog([](QWidget *dialog) {
        if (auto *input = qobject_cast<QInputDialog *>(dialog)) {
            input->setTextValue(QStringLiteral(" gusty, new prop "));
            input->accept();
        }
    });
    shown.window->actions()->noteAction()->trigger();
    auto *pin = shown.window->findChild<QPushButton *>(QStringLiteral("pinActionButton"));
    QVERIFY(!pin->isChecked());
    pin->click();
    QVERIFY(pin->isChecked());
    QCOMPARE(shown.current(), QStringLiteral("flight1.raw"));
    QCOMPARE(shown.column(FlightsModel::Note).at(2), QStringLiteral("gusty, new prop"));
    QCOMPARE(shown.column(FlightsModel::Pinned), (QStringList{ "", "", "pinned", "" }));
    const std::vector<FlightRecord> kept = shown.logbook->flights();
    QVERIFY(std::any_of(kept.begin(), kept.end(), [](const FlightRecord &r) { return r.pinned && r.note == "gusty, new prop"; }));

    { // An index that can no longer be written, as another program might leave it.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(shown.folder.filePath(QStringLiteral("logbook.sqlite")));
        QVERIFY(other.open() && other.exec(QStringLiteral("DROP TABLE flights")).lastError().type() == QSqlError::NoError);
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    pin->click();
    QCOMPARE(shown.window->statusText(), QStringLiteral("Cannot keep the pin: the logbook's index cannot be written"));
}

void tst_FlightsWindow::exportWritesTheWholeFlight()
{
    ShownFlights shown;
    shown.choose(QStringLiteral("flight1.raw"));
    const QString path = shown.folder.filePath(QStringLiteral("flight1.csv"));
    QCOMPARE(shown.window->actions()->writeCsv(*shown.window->currentFlight(), path), QString());
    QFile csv(path);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.size(), 1 + 800 + 1);
    QCOMPARE(lines.at(0), QByteArray("seconds,utc,volt1,volt2,linkq,linkql,RX battery (V)"));
    QVERIFY2(lines.at(800).startsWith("39.950,2023-11-14T22:14:59.950") && lines.at(800).endsWith(",169,169,101,31,6.63"),
             lines.at(800).constData());
}

// Every control tells a screen reader what it is; the table reads as one.
void tst_FlightsWindow::everyControlIsNamed()
{
    ShownFlights shown;
    const QList<QWidget *> controls = shown.window->findChildren<QWidget *>();
    int named = 0;
    for (QWidget *control : controls) {
        if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(shown.window.get()))
            continue;
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        ++named;
    }
    QVERIFY(named >= 8); // the filter, the table, six buttons
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(shown.table);
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Flights"));
    QAccessibleTableInterface *cells = table->tableInterface();
    QCOMPARE(cells->rowCount(), 4);
    QCOMPARE(cells->cellAt(1, FlightsModel::Duration)->text(QAccessible::Name), QStringLiteral("1:02:03"));
    QCOMPARE(cells->columnDescription(FlightsModel::Ending), QStringLiteral("Ended"));
}

// A flight copied in by hand shows without asking.
void tst_FlightsWindow::followsTheFolder()
{
    ShownFlights shown;
    TestFlight copied;
    QVERIFY(copied.write(shown.folder.filePath(QStringLiteral("copied.raw"))));
    QTRY_COMPARE_WITH_TIMEOUT(shown.table->model()->rowCount(), 5, 3 * FlightsWindow::FolderSettleMs);
}

// Flights not yet read when the update was stopped are read the next time.
void tst_FlightsWindow::stoppedUpdateGoesOnNextTime()
{
    TemporarySettings settings;
    QTemporaryDir folder;
    const int threads = QThread::idealThreadCount();
    TestFlight big;
    big.reports = 200000;
    for (int i = 0; i < threads + 2; ++i)
        QVERIFY(big.write(folder.filePath(QStringLiteral("big%1.raw").arg(i))));
    LogbookSettings kept;
    kept.folder = folder.path();
    Logbook logbook(kept);
    QSignalSpy updated(&logbook, &Logbook::updateFinished);
    FlightsWindow window(&logbook);
    window.show();
    QVERIFY(window.progressDialog());
    window.progressDialog()->findChild<QPushButton *>()->click(); // Stop
    QVERIFY(updated.wait(10000));
    QVERIFY(window.model()->rowCount() <= threads); // those under way
    QTRY_VERIFY(!window.progressDialog());
    window.updateIndex();
    QVERIFY(updated.wait(10000));
    QCOMPARE(window.model()->rowCount(), threads + 2);
}

QTEST_MAIN(tst_FlightsWindow)
#include "tst_flightswindow.moc"
