#include "alarmrow.h"
#include "alarmrows.h"
#include "alarmwatch.h"
#include "channelscale.h"
#include "datapane.h"
#include "dialogdriver.h"
#include "linkedwindow.h"
#include "outputcapture.h"
#include "pseudoterminal.h"
#include "renderarea.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "windowfeed.h"
#include "window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

class tst_Window : public QObject
{
    Q_OBJECT

private slots:
    void stateAfterConstruction();
    void alarmCommands_data();
    void alarmCommands();
    void frameNotSentWithoutPort();
    void voltsReachGraph();
    void graphRepaintsWhileDataFlows();
    void dataLines();
    void dataPaneKeepsRecentLines();
    void dataPaneLooksLikeAParagraphALine();
    void accessibleNames();
    void statusLineReadsAsItsText();
    void longStatusKeepsTheLayout();

    void thresholdLinesFollowTheRows();
    void thresholdsShownIsRemembered();
    void trippedAlarmCaption_data();
    void trippedAlarmCaption();
    void pauseLetsReportsGoOn();
    void graphTakesFocusAfterTheRows();
    void readsInTheChannelsUnits();
    void reportedRowChangesOnce();

private:
    TemporarySettings settings; // before any window reads them
};

void tst_Window::stateAfterConstruction()
{
    Window window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Torvi Duplink"));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(QImage(QStringLiteral(":images/torvi-logo.png")).size(), QSize(80, 80));
    const char *captions[] = { "Ch1 alarm", "Ch1 alarm", "Ch2 alarm", "Ch2 alarm" };
    for (int row = 1; row <= 4; ++row) {
        QCOMPARE(rowChild<QLabel>(window, "alarmLabel", row)->text(), QLatin1String(captions[row - 1]));
        QCOMPARE(rowSettings(window, row), (QList<int>{ 0, 0, 1 })); // level 0, "less", value 1
        auto *comparison = rowChild<QComboBox>(window, "comparisonComboBox", row);
        QCOMPARE(comparison->count(), 2);
        QCOMPARE(comparison->itemText(0), QStringLiteral("less"));
        QCOMPARE(comparison->itemText(1), QStringLiteral("great"));
        QCOMPARE(rowChild<QPushButton>(window, "setButton", row)->text(), QStringLiteral("Set"));
        QCOMPARE(rowChild<QLabel>(window, "whenLabel", row)->text(), QStringLiteral("when"));
        QCOMPARE(rowChild<QLabel>(window, "thanLabel", row)->text(), QStringLiteral("than"));
    }
    QCOMPARE(child<QLabel>(window, "statusLabel")->text(), QStringLiteral(" "));
    QCOMPARE(child<QTextBrowser>(window, "dataBrowser")->toPlainText().trimmed(),
             QStringLiteral("www.duplink.example"));
}

void tst_Window::alarmCommands_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("comparison");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("row 1") << 1 << 2 << 1 << 200 << hex("7E FC C8 01 02 00 00 00 00 00 7E")
                           << QByteArray("alarmset1:ffffffff,fffffffc,ffffffc8,1,2\n");
    QTest::newRow("row 2") << 2 << 0 << 0 << 1 << hex("7E FB 01 00 00 00 00 00 00 00 7E")
                           << QByteArray("alarmset2:ffffffff,fffffffb,1,0,0\n");
    QTest::newRow("row 3 stuffed 7D") << 3 << 1 << 0 << 125 << hex("7E FA 7D 5D 00 01 00 00 00 00 00 7E")
                                      << QByteArray("alarmset3:ffffffff,fffffffa,7d,0,1\n");
    QTest::newRow("row 4 stuffed 7E") << 4 << 3 << 1 << 126 << hex("7E F9 7D 5E 01 03 00 00 00 00 00 7E")
                                      << QByteArray("alarmset4:ffffffff,fffffff9,7e,1,3\n");
    QTest::newRow("127") << 1 << 0 << 0 << 127 << hex("7E FC 7F 00 00 00 00 00 00 00 7E")
                         << QByteArray("alarmset1:ffffffff,fffffffc,7f,0,0\n");
    QTest::newRow("128") << 1 << 0 << 0 << 128 << hex("7E FC 80 00 00 00 00 00 00 00 7E")
                         << QByteArray("alarmset1:ffffffff,fffffffc,ffffff80,0,0\n");
}

void tst_Window::alarmCommands()
{
    QFETCH(int, row);
    QFETCH(int, level);
    QFETCH(int, comparison);
    QFETCH(int, value);
    QFETCH(QByteArray, wire);
    QFETCH(QByteArray, line);

    LinkedWindow linked;
    rowChild<QSpinBox>(linked.window, "levelSpinBox", row)->setValue(level);
    setRowCondition(linked.window, row, comparison, value);
    auto *button = rowChild<QPushButton>(linked.window, "setButton", row);

    OutputCapture output(stdout);
    // Pressing alone sends nothing: the command goes on release.
    QTest::mousePress(button, Qt::LeftButton);
    QCOMPARE(output.programText(), QByteArray());
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(linked.pty.read(wire.size()).toHex(' '), wire.toHex(' '));
    QTest::mouseClick(button, Qt::LeftButton); // a second release sends the same frame again
    QCOMPARE(linked.pty.read(wire.size()).toHex(' '), wire.toHex(' '));
    QCOMPARE(output.programText(), line + line);
}

void tst_Window::frameNotSentWithoutPort()
{
    Window window;
    OutputCapture output(stdout);
    OutputCapture errors(stderr);
    QTest::mouseClick(rowChild<QPushButton>(window, "setButton", 2), Qt::LeftButton);
    QCOMPARE(output.programText(), QByteArray("alarmset2:ffffffff,fffffffb,1,0,0\n"));
    QVERIFY(errors.programText().contains("Frame not sent"));
    QVERIFY(child<QLabel>(window, "statusLabel")->text().startsWith(QStringLiteral("Frame not sent")));
}

// Each report goes on the graph, and assistive tools hear of the newest
// after the graph's purpose.
void tst_Window::voltsReachGraph()
{
    LinkedWindow linked;
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    graph->setDescribeInterval(50);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(graph);
    const QString purpose = face->text(QAccessible::Description);
    QVERIFY(purpose.startsWith(QStringLiteral("The last 128 reports")));
    QVERIFY(linked.send(voltsFrame(0x5A, 0xFF, 0x00, 0x32)));
    QTRY_COMPARE(graph->newestSlot(), 0);
    QCOMPARE(graph->point(1, 0), QPoint(0, 255 - 0x5A));
    QCOMPARE(graph->point(2, 0), QPoint(0, 0));
    QCOMPARE(graph->point(3, 0), QPoint(0, 255));
    QTRY_COMPARE(face->text(QAccessible::Description),
                 purpose + QStringLiteral(". Newest report: volt 1 90, volt 2 255, link quality 0"));
}

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// The graph is redrawn as reports come, not only once they stop, and at
// most once a refresh interval, however fast they come.
void tst_Window::graphRepaintsWhileDataFlows()
{
    constexpr int Interval = 200; // ms, ten reports
    LinkedWindow linked;
    linked.window.setRefreshInterval(Interval);
    DialogDriver closeDialog(&linked.window, DialogDriver::Reject);
    linked.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&linked.window));
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    PaintCounter counter;
    graph->installEventFilter(&counter);
    QElapsedTimer flowing;
    flowing.start();
    for (int i = 0; i < 30; ++i) {
        QVERIFY(linked.send(voltsFrame(quint8(i * 8), 0, 0, 0)));
        QTest::qWait(20);
    }
    const int whileFlowing = counter.paints;
    const qint64 bound = flowing.elapsed() / Interval + 2;
    QTRY_COMPARE(graph->newestSlot(), 29);
    QVERIFY2(whileFlowing >= 3 && whileFlowing <= bound,
             qPrintable(QStringLiteral("%1 paints, at most %2").arg(whileFlowing).arg(bound)));
}

// Each byte as two upper-case hex digits and a blank, a line a frame;
// the stuffed byte as sent.
void tst_Window::dataLines()
{
    LinkedWindow linked;
    auto *pane = child<DataPane>(linked.window, "dataBrowser");
    QVERIFY(linked.send(hex("7E FD 03 00 0A FF 7D 5E 7E FD 01 00 05 7E")));
    QTRY_COMPARE(pane->lineCount(), 2);
    QCOMPARE(pane->line(0), QStringLiteral("0A FF 7E "));
    QCOMPARE(pane->line(1), QStringLiteral("05 "));
    // The banner's centring and colour stay with the banner.
    const QTextBlock block = pane->document()->lastBlock();
    QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QVERIFY(block.charFormat().foreground().color() != QColor(Qt::blue));
}

// Lines kept a few to a paragraph look just as a paragraph each would.
void tst_Window::dataPaneLooksLikeAParagraphALine()
{
    DataPane pane;
    QTextBrowser reference;
    reference.setHtml(pane.toHtml());
    for (QTextBrowser *browser : { static_cast<QTextBrowser *>(&pane), &reference })
        browser->resize(300, 400);
    for (int i = 0; i < 17; ++i) {
        const char bytes[] = { char(i), char(0x7E), char(0xFF) };
        pane.appendBytes(bytes, sizeof bytes);
        QTextCursor end(reference.document());
        end.movePosition(QTextCursor::End);
        end.insertBlock(QTextBlockFormat(), QTextCharFormat());
        end.insertText(QString::asprintf("%02X 7E FF ", i));
    }
    pane.showPendingLines();
    QCOMPARE(pane.lineCount(), 17);
    QCOMPARE(pane.toPlainText(), reference.toPlainText());
    QCOMPARE(pane.grab().toImage(), reference.grab().toImage());
}

void tst_Window::dataPaneKeepsRecentLines()
{
    QCOMPARE(DataPane::MaxLines, 10000); // what the README promises
    LinkedWindow linked;
    auto *pane = child<DataPane>(linked.window, "dataBrowser");
    const int total = DataPane::MaxLines + 2 * DataPane::TrimBatch + 50;
    QByteArray wire;
    // Both bytes stay below 0x7D, so no stuffing is needed.
    auto line = [](int i) { return QString::asprintf("%02X %02X ", i / 100, i % 100); };
    for (int i = 0; i < total; ++i)
        wire += QByteArray("\x7E\xFD\x02\x00", 4) + char(i / 100) + char(i % 100) + '\x7E';
    QVERIFY(linked.send(wire));
    QTRY_COMPARE_WITH_TIMEOUT(pane->lastLine(), line(total - 1), 10000);
    QCOMPARE(checkKeptLines(*pane, total, line(total - 1)), QString());
    QVERIFY(pane->document()->firstBlock().text().contains(QStringLiteral("www.duplink.example")));
    // Without a gap: the oldest kept line follows the last one dropped.
    const int firstKept = total - pane->lineCount();
    QCOMPARE(pane->line(0), line(firstKept));
    QCOMPARE(pane->line(DataPane::MaxLines / 2), line(firstKept + DataPane::MaxLines / 2));
}

// What a screen reader hears: every control one can reach, and each
// row's caption, has a name of its own, and an alarm row's carry the row's
// number; every control also says what it is for.
void tst_Window::accessibleNames()
{
    Window window;
    QSet<QString> names;
    const QRegularExpression inRow(QStringLiteral("^[a-zA-Z]+([1-4])$"));
    int rowWidgets = 0;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const QString objectName = widget->objectName();
        const QRegularExpressionMatch row = inRow.match(objectName);
        const bool caption = objectName.startsWith(QLatin1String("alarmLabel"));
        if (objectName.isEmpty() || objectName.startsWith(QLatin1String("qt_"))
            || (widget->focusPolicy() == Qt::NoFocus && !caption))
            continue;
        // On Linux a combo box reports its current item as its name, so the
        // name property is what is checked.
        const QString name = widget->accessibleName();
        QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(objectName + QLatin1String(": ") + name));
        names.insert(name);
        if (row.hasMatch()) {
            ++rowWidgets;
            const QRegularExpression number(QStringLiteral("\\b%1\\b").arg(row.captured(1)));
            QVERIFY2(name.contains(number), qPrintable(name));
        }
        if (!caption)
            QVERIFY2(!widget->accessibleDescription().isEmpty(), qPrintable(objectName));
    }
    QCOMPARE(rowWidgets, 4 * 5); // caption, level, Set, comparison, value: "when" and "than" say it all
}

// The status line shows the figures of each run of sixteen reports, and
// nothing between runs; a screen reader hears its text, never a fixed name
// in its place.
void tst_Window::statusLineReadsAsItsText()
{
    LinkedWindow linked;
    auto *status = child<QLabel>(linked.window, "statusLabel");
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(status);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral(" "));
    QVERIFY(face->text(QAccessible::Description).contains(QStringLiteral("Link quality")));
    for (int i = 0; i < 16; ++i)
        QVERIFY(linked.send(voltsFrame(1, 2, 200, 120)));
    QTRY_COMPARE(face->text(QAccessible::Name), QStringLiteral("200 60"));
    for (int i = 0; i < 15; ++i)
        QVERIFY(linked.send(voltsFrame(0, 0, 40, 20)));
    QTRY_COMPARE(child<RenderArea>(linked.window, "renderArea")->newestSlot(), 30);
    QCOMPARE(status->text(), QStringLiteral("200 60"));
    QVERIFY(linked.send(voltsFrame(0, 0, 40, 20)));
    QTRY_COMPARE(face->text(QAccessible::Name), QStringLiteral("40 10"));

    OutputCapture quiet(stderr);
    linked.pty.close(); // the device goes away
    QTRY_VERIFY(face->text(QAccessible::Name).startsWith(QStringLiteral("Link lost: ")));
    QCOMPARE(face->text(QAccessible::Name), status->text());
}

// Whatever the status line says, the window keeps its size and every alarm
// control its place.
void tst_Window::longStatusKeepsTheLayout()
{
    Window window;
    DialogDriver closeDialog(&window, DialogDriver::Reject);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize size = window.size();
    auto rowGeometries = [&] {
        QList<QRect> geometries;
        for (QWidget *widget : window.findChildren<QWidget *>()) {
            if (QRegularExpression(QStringLiteral("^[a-zA-Z]+[1-4]$")).match(widget->objectName()).hasMatch())
                geometries << widget->geometry();
        }
        return geometries;
    };
    const QList<QRect> rows = rowGeometries();
    QCOMPARE(rows.size(), 28);

    const QString device = QStringLiteral("/dev/serial/by-id/usb-Telemetry_Module_0123456789-if00-port0");
    const QString messages[] = {
        QStringLiteral("Cannot open %1: Permission denied").arg(device),
        QStringLiteral("Cannot open %1: No such file or directory").arg(device),
        QStringLiteral("Link lost: %1 was unplugged or closed (No such file or directory)").arg(device),
        QStringLiteral("Link lost: cannot read from %1 (Input/output error)").arg(device),
        QStringLiteral("Frame not sent: Link lost: cannot write to %1 (Input/output error)").arg(device),
        QStringLiteral("Link up: %1").arg(device),
    };
    auto *status = child<QLabel>(window, "statusLabel");
    for (const QString &message : messages) {
        status->setText(message);
        QCoreApplication::processEvents();
        QCOMPARE(window.size(), size);
        QCOMPARE(rowGeometries(), rows);
        // One line on screen, all of it for assistive tools.
        QCOMPARE(status->height(), QLabel(message).sizeHint().height());
        QVERIFY(status->geometry().right() <= window.rect().right());
        QLabel shown(status->fontMetrics().elidedText(message, Qt::ElideRight, status->contentsRect().width()));
        shown.setFont(status->font());
        shown.resize(status->size());
        QCOMPARE(status->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 shown.grab().toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name), message);
    }
}

// Each row's threshold is on the graph in its channel, and follows the
// row's value box, whether the user or the module changes it.
void tst_Window::thresholdLinesFollowTheRows()
{
    LinkedWindow linked;
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    for (int row = 1; row <= 4; ++row) {
        QCOMPARE(graph->thresholdValue(row), 1);
        QCOMPARE(graph->thresholdChannel(row), row <= 2 ? 1 : 2);
    }
    auto *value3 = rowChild<QSpinBox>(linked.window, "valueSpinBox", 3);
    value3->setFocus();
    value3->selectAll();
    QTest::keyClicks(value3, "77");
    QCOMPARE(graph->thresholdValue(3), 77);
    QTest::keyClick(value3, Qt::Key_Up);
    QCOMPARE(graph->thresholdValue(3), 78);
    linked.send(hex("7E FB C8 01 02 7E") + voltsFrame(0, 0, 0, 0)); // alarm 2: 200, great
    QTRY_COMPARE(graph->thresholdValue(2), 200);
    QCOMPARE(graph->thresholdChannel(2), 1);
    QCOMPARE(graph->thresholdValue(3), 78);
}

void tst_Window::thresholdsShownIsRemembered()
{
    const QString key = QStringLiteral("graph/showAlarmThresholds");
    QSettings().remove(key);
    {
        Window window;
        auto *graph = child<RenderArea>(window, "renderArea");
        QVERIFY(!graph->thresholdsShown()); // the default
        QVERIFY(!QSettings().contains(key)); // nothing written until the user asks
        graph->showThresholdsAction()->trigger();
        QCOMPARE(QSettings().value(key), QVariant(true));
    }
    {
        Window window;
        auto *graph = child<RenderArea>(window, "renderArea");
        QVERIFY(graph->thresholdsShown());
        QVERIFY(graph->showThresholdsAction()->isChecked());
        graph->showThresholdsAction()->trigger();
    }
    Window window;
    QVERIFY(!child<RenderArea>(window, "renderArea")->thresholdsShown());
    QSettings().remove(key);
}

void tst_Window::trippedAlarmCaption_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("comparison");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("tripping");
    QTest::addColumn<QByteArray>("clearing");
    QTest::addColumn<QString>("description");

    QTest::newRow("row 1, volt 1 above") << 1 << 1 << 100 << voltsFrame(150, 0, 0, 0)
                                         << voltsFrame(100, 0, 0, 0)
                                         << "Alarm condition holds: volt 1 is above 100";
    QTest::newRow("row 2, volt 1 below") << 2 << 0 << 50 << voltsFrame(49, 200, 0, 0)
                                         << voltsFrame(60, 200, 0, 0)
                                         << "Alarm condition holds: volt 1 is below 50";
    QTest::newRow("row 3, volt 2 above") << 3 << 1 << 120 << voltsFrame(0, 121, 0, 0)
                                         << voltsFrame(200, 119, 0, 0)
                                         << "Alarm condition holds: volt 2 is above 120";
    QTest::newRow("row 4, volt 2 below") << 4 << 0 << 60 << voltsFrame(200, 10, 0, 0)
                                         << voltsFrame(0, 60, 0, 0)
                                         << "Alarm condition holds: volt 2 is below 60";
}

// The caption turns red while its row's condition holds, and back; it
// keeps its text, size and place, assistive tools read the state, and a
// change back within a second waits for the second.
void tst_Window::trippedAlarmCaption()
{
    QFETCH(int, row);
    QFETCH(int, comparison);
    QFETCH(int, value);
    QFETCH(QByteArray, tripping);
    QFETCH(QByteArray, clearing);
    QFETCH(QString, description);

    LinkedWindow linked;
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    auto *caption = rowChild<QLabel>(linked.window, "alarmLabel", row);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(caption);
    const QColor normal = caption->palette().color(QPalette::WindowText);
    const QString text = caption->text();
    const QSize size = caption->sizeHint();
    // The other rows are set so that these reports never trip them.
    for (int other = 1; other <= 4; ++other)
        setRowCondition(linked.window, other, other == row ? comparison : 1, other == row ? value : 254);

    linked.send(clearing);
    QTRY_COMPARE(graph->newestSlot(), 0);
    QCOMPARE(caption->palette().color(QPalette::WindowText), normal);
    QCOMPARE(face->text(QAccessible::Description), QString());

    linked.send(tripping);
    QTRY_COMPARE(graph->newestSlot(), 1);
    QElapsedTimer sinceTripped;
    sinceTripped.start();
    const QColor red = caption->palette().color(QPalette::WindowText);
    QVERIFY(red != normal);
    QVERIFY2(red.red() >= 150 && red.green() < 50 && red.blue() < 50, qPrintable(red.name()));
    QCOMPARE(face->text(QAccessible::Description), description);
    QCOMPARE(caption->text(), text);
    QCOMPARE(caption->sizeHint(), size);
    for (int other = 1; other <= 4; ++other) {
        if (other != row)
            QCOMPARE(rowChild<QLabel>(linked.window, "alarmLabel", other)->palette().color(QPalette::WindowText), normal);
    }

    // Back at once: shown only when the second is up.
    linked.send(clearing);
    QTRY_COMPARE(graph->newestSlot(), 2);
    QCOMPARE(caption->palette().color(QPalette::WindowText), red);
    QTRY_COMPARE_WITH_TIMEOUT(caption->palette().color(QPalette::WindowText), normal, 3000);
    QVERIFY2(sinceTripped.elapsed() >= AlarmWatch::HoldMs - 100, qPrintable(QString::number(sinceTripped.elapsed())));
    QCOMPARE(face->text(QAccessible::Description), QString());
    QCOMPARE(caption->sizeHint(), size);
}

// Paused, the graph keeps its picture while the reports still reach the
// averages and the alarm rows; resumed, it shows them all.
void tst_Window::pauseLetsReportsGoOn()
{
    LinkedWindow linked;
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    auto *status = child<QLabel>(linked.window, "statusLabel");
    auto *caption = rowChild<QLabel>(linked.window, "alarmLabel", 1);
    const QColor normal = caption->palette().color(QPalette::WindowText);
    setRowCondition(linked.window, 1, 1, 150);
    graph->resize(400, 200);
    for (int i = 0; i < 16; ++i)
        linked.send(voltsFrame(100, 50, 20, 20));
    QTRY_COMPARE(status->text(), QStringLiteral("20 10"));

    graph->pauseAction()->trigger();
    QVERIFY(graph->isPaused());
    const QImage frozen = graph->grab().toImage();
    for (int i = 0; i < 16; ++i)
        linked.send(voltsFrame(200, 30, 100, 100));
    QTRY_COMPARE(status->text(), QStringLiteral("100 50"));
    QVERIFY(caption->palette().color(QPalette::WindowText) != normal); // 200 > 150
    QCOMPARE(graph->newestSlot(), 15);
    QCOMPARE(graph->grab().toImage(), frozen);

    graph->pauseAction()->trigger();
    QVERIFY(!graph->isPaused());
    QCOMPARE(graph->newestSlot(), 31);
    QCOMPARE(graph->point(1, 31), QPoint(31, 255 - 200));
    QCOMPARE(graph->point(1, 16), QPoint(16, 255 - 200));
    QCOMPARE(graph->point(1, 15), QPoint(15, 255 - 100));
    QVERIFY(graph->grab().toImage() != frozen);
}

// The window still opens with the first alarm row in focus; Tab reaches
// the graph after the last row.
void tst_Window::graphTakesFocusAfterTheRows()
{
    Window window;
    DialogDriver closeDialog(&window, DialogDriver::Reject);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(closeDialog.dialogsSeen, 1);
    QTRY_VERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget(), rowChild<QWidget>(window, "levelSpinBox", 1));
    auto *lastValue = rowChild<QSpinBox>(window, "valueSpinBox", 4);
    lastValue->setFocus(Qt::TabFocusReason);
    QTest::keyClick(lastValue, Qt::Key_Tab);
    auto *graph = child<RenderArea>(window, "renderArea");
    QCOMPARE(QApplication::focusWidget(), graph);
    QTest::keyClick(graph, Qt::Key_Space);
    QVERIFY(graph->isPaused());
    QTest::keyClick(graph, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(graph->thresholdsShown());
    QTest::keyClick(lastValue, Qt::Key_T, Qt::ControlModifier); // anywhere in the window
    QVERIFY(!graph->thresholdsShown());
}

// Kept in the settings, a unit shows wherever a number is read; the rows'
// boxes and the bytes stay raw.
void tst_Window::readsInTheChannelsUnits()
{
    QSettings().clear();
    const QList<std::pair<const char *, QVariant>> volt1 = {
        { "unit", "V" }, { "raw1", 0 }, { "value1", 0 }, { "raw2", 255 }, { "value2", 10 }, { "decimals", 2 } };
    for (const auto &[key, value] : volt1)
        QSettings().setValue(QStringLiteral("channels/volt1/") + QLatin1String(key), value);
    LinkedWindow linked;
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    graph->setDescribeInterval(50);
    graph->setThresholdsShown(true);
    graph->resize(400, 200);
    const QImage rawLabels = [&] {
        const ChannelScale scaled = graph->channelScale(1);
        graph->setChannelScale(1, ChannelScale::defaults(ChannelScale::Volt1));
        const QImage picture = graph->image();
        graph->setChannelScale(1, scaled);
        return picture;
    }();
    QVERIFY(graph->image() != rawLabels); // "1: 0.04 V" for "1"
    QVERIFY(linked.send(voltsFrame(156, 150, 7, 0)));
    QTRY_COMPARE(graph->newestSlot(), 0);
    QCOMPARE(graph->readout(0), QStringLiteral("Reports ago: 0\nVolt 1: 6.12 V (156)\nVolt 2: 150\nLink quality: 7"));
    QTRY_VERIFY(graph->accessibleDescription().endsWith(
            QStringLiteral("Newest report: volt 1 6.12 V, volt 2 150, link quality 7")));

    auto *value1 = rowChild<QSpinBox>(linked.window, "valueSpinBox", 1);
    value1->setValue(100);
    QCOMPARE(value1->toolTip(), QStringLiteral("100 means 3.92 V"));
    QVERIFY(value1->accessibleDescription().endsWith(value1->toolTip()));
    QCOMPARE(rowChild<QSpinBox>(linked.window, "valueSpinBox", 3)->toolTip(), QString());
    rowChild<QComboBox>(linked.window, "comparisonComboBox", 1)->setCurrentIndex(1);
    QVERIFY(linked.send(voltsFrame(156, 150, 7, 0)));
    QTRY_COMPARE(rowChild<QLabel>(linked.window, "alarmLabel", 1)->accessibleDescription(),
                 QStringLiteral("Alarm condition holds: volt 1 is above 3.92 V"));
    // Raw again, the box says nothing of volts.
    linked.window.findChild<AlarmRows *>()->setScale(1, ChannelScale::defaults(ChannelScale::Volt1));
    QCOMPARE(value1->toolTip() + value1->accessibleDescription(), QStringLiteral("Threshold value, 1 to 254"));
    QSettings().clear();
}

// The module's report changes a row's value and comparison as one: a row
// whose condition holds neither before nor after never trips on the way.
void tst_Window::reportedRowChangesOnce()
{
    LinkedWindow linked;
    QSignalSpy changes(linked.window.findChild<AlarmRows *>(), &AlarmRows::trippedChanged);
    QVERIFY(linked.send(voltsFrame(60, 100, 0, 0))); // no row: 60 and 100 are not below 1
    QVERIFY(linked.send(hex("7E FB 64 01 02 7E") + voltsFrame(60, 100, 0, 0))); // row 2: nor above 100
    QTRY_COMPARE(rowSettings(linked.window, 2), (QList<int>{ 2, 1, 100 }));
    QTest::qWait(50);
    QCOMPARE(changes.size(), 0);
}

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
