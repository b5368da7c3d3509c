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
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

namespace {

QString lastDataLine(const Window &window)
{
    return child<DataPane>(window, "dataBrowser")->lastLine();
}

} // namespace

class tst_Window : public QObject
{
    Q_OBJECT

private slots:
    void stateAfterConstruction();
    void spinBoxRanges();
    void requestOnConnect();
    void alarmCommands_data();
    void alarmCommands();
    void frameNotSentWithoutPort();
    void averagesCoverOnlyTheLastSixteen();
    void voltsReachGraph();
    void graphRepaintsWhileDataFlows();
    void dataLines_data();
    void dataLines();
    void dataPaneKeepsRecentLines();
    void dataPaneLooksLikeAParagraphALine();
    void thresholds_data();
    void thresholds();
    void accessibleNames_data();
    void accessibleNames();
    void statusLineReadsAsItsText();
    void longStatusKeepsTheLayout();

private:
    TemporarySettings settings; // the port dialog reads the remembered port
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
        QCOMPARE(rowChild<QSpinBox>(window, "levelSpinBox", row)->value(), 0);
        QCOMPARE(rowChild<QSpinBox>(window, "valueSpinBox", row)->value(), 1);
        auto *comparison = rowChild<QComboBox>(window, "comparisonComboBox", row);
        QCOMPARE(comparison->count(), 2);
        QCOMPARE(comparison->itemText(0), QStringLiteral("less"));
        QCOMPARE(comparison->itemText(1), QStringLiteral("great"));
        QCOMPARE(comparison->currentIndex(), 0);
        QCOMPARE(rowChild<QPushButton>(window, "setButton", row)->text(), QStringLiteral("Set"));
        QCOMPARE(rowChild<QLabel>(window, "whenLabel", row)->text(), QStringLiteral("when"));
        QCOMPARE(rowChild<QLabel>(window, "thanLabel", row)->text(), QStringLiteral("than"));
    }
    QCOMPARE(child<QLabel>(window, "statusLabel")->text(), QStringLiteral(" "));
    auto *browser = child<QTextBrowser>(window, "dataBrowser");
    QVERIFY(browser->toPlainText().contains(QStringLiteral("www.duplink.example")));
    QVERIFY(browser->toPlainText().trimmed() == QStringLiteral("www.duplink.example"));
}

void tst_Window::spinBoxRanges()
{
    Window window;
    auto *value = rowChild<QSpinBox>(window, "valueSpinBox", 1);
    auto *level = rowChild<QSpinBox>(window, "levelSpinBox", 1);
    QCOMPARE(value->minimum(), 1);
    QCOMPARE(value->maximum(), 254);
    QCOMPARE(level->minimum(), 0);
    QCOMPARE(level->maximum(), 3);
    value->setValue(255);
    QCOMPARE(value->value(), 254);
    value->setValue(0);
    QCOMPARE(value->value(), 1);
}

void tst_Window::requestOnConnect()
{
    LinkedWindow linked;
    QCOMPARE(linked.requestBytes.toHex(' '), RequestFrame.toHex(' '));
    QCOMPARE(linked.requestLine, QByteArray("alarmset1:ffffffff,fffffff8,0,0,0\n"));
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
    rowChild<QComboBox>(linked.window, "comparisonComboBox", row)->setCurrentIndex(comparison);
    rowChild<QSpinBox>(linked.window, "valueSpinBox", row)->setValue(value);
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

void tst_Window::averagesCoverOnlyTheLastSixteen()
{
    LinkedWindow linked;
    auto *status = child<QLabel>(linked.window, "statusLabel");
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    for (int i = 0; i < 16; ++i)
        QVERIFY(linked.send(voltsFrame(0, 0, 100, 100)));
    QTRY_COMPARE(status->text(), QStringLiteral("100 50"));
    for (int i = 0; i < 15; ++i)
        QVERIFY(linked.send(voltsFrame(0, 0, 40, 20)));
    QTRY_COMPARE(graph->newestSlot(), 30);
    QCOMPARE(status->text(), QStringLiteral("100 50"));
    QVERIFY(linked.send(voltsFrame(0, 0, 40, 20)));
    QTRY_COMPARE(status->text(), QStringLiteral("40 10"));
}

void tst_Window::voltsReachGraph()
{
    LinkedWindow linked;
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    QVERIFY(linked.send(voltsFrame(0x5A, 0xFF, 0x00, 0x32)));
    QTRY_COMPARE(graph->newestSlot(), 0);
    QCOMPARE(graph->point(1, 0), QPoint(0, 255 - 0x5A));
    QCOMPARE(graph->point(2, 0), QPoint(0, 0));
    QCOMPARE(graph->point(3, 0), QPoint(0, 255));
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

// The graph is redrawn as reports come, not only once they stop.
void tst_Window::graphRepaintsWhileDataFlows()
{
    LinkedWindow linked;
    DialogDriver closeDialog(&linked.window, DialogDriver::Reject);
    linked.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&linked.window));
    auto *graph = child<RenderArea>(linked.window, "renderArea");
    PaintCounter counter;
    graph->installEventFilter(&counter);
    for (int i = 0; i < 30; ++i) {
        QVERIFY(linked.send(voltsFrame(quint8(i * 8), 0, 0, 0)));
        QTest::qWait(20);
    }
    const int whileFlowing = counter.paints;
    QTRY_COMPARE(graph->newestSlot(), 29);
    QVERIFY2(whileFlowing >= 3, qPrintable(QStringLiteral("%1 paints").arg(whileFlowing)));
}

void tst_Window::dataLines_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("one byte") << hex("7E FD 01 00 05 7E") << QStringList{ "05 " };
    QTest::newRow("three bytes") << hex("7E FD 03 00 0A FF 7D 5E 7E") << QStringList{ "0A FF 7E " };
    QTest::newRow("six bytes") << hex("7E FD 06 00 01 02 03 04 05 06 7E")
                               << QStringList{ "01 02 03 04 05 06 " };
    QTest::newRow("two frames, two lines")
            << hex("7E FD 01 00 AA 7E FD 02 00 BB CC 7E") << QStringList{ "AA ", "BB CC " };
}

void tst_Window::dataLines()
{
    QFETCH(QByteArray, wire);
    QFETCH(QStringList, lines);

    LinkedWindow linked;
    auto *pane = child<DataPane>(linked.window, "dataBrowser");
    QVERIFY(linked.send(wire));
    QTRY_COMPARE(pane->lineCount(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(pane->line(i), lines.at(i));
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
    LinkedWindow linked;
    auto *pane = child<DataPane>(linked.window, "dataBrowser");
    const int total = DataPane::MaxLines + 2 * DataPane::TrimBatch + 50;
    QByteArray wire;
    // Both bytes stay below 0x7D, so no stuffing is needed.
    auto line = [](int i) { return QString::asprintf("%02X %02X ", i / 100, i % 100); };
    for (int i = 0; i < total; ++i)
        wire += QByteArray("\x7E\xFD\x02\x00", 4) + char(i / 100) + char(i % 100) + '\x7E';
    QVERIFY(linked.send(wire));
    QTRY_COMPARE_WITH_TIMEOUT(lastDataLine(linked.window), line(total - 1), 10000);
    QCOMPARE(checkKeptLines(*pane, total, line(total - 1)), QString());
    QVERIFY(pane->document()->firstBlock().text().contains(QStringLiteral("www.duplink.example")));
    // Without a gap: the oldest kept line follows the last one dropped.
    const int firstKept = total - pane->lineCount();
    QCOMPARE(pane->line(0), line(firstKept));
    QCOMPARE(pane->line(DataPane::MaxLines / 2), line(firstKept + DataPane::MaxLines / 2));
}

void tst_Window::thresholds_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("comparison");
    QTest::addColumn<int>("value");

    QTest::newRow("index 0 to row 1") << hex("7E FC 64 01 02 7E") << 1 << 2 << 1 << 100;
    QTest::newRow("index 1 to row 2") << hex("7E FB 7D 5D 00 03 7E") << 2 << 3 << 0 << 125;
    QTest::newRow("index 2 to first Ch2 row") << hex("7E FA 7D 5E 01 02 7E") << 3 << 2 << 1 << 126;
    QTest::newRow("0xC8 is 200") << hex("7E F9 C8 01 01 7E") << 4 << 1 << 1 << 200;
    QTest::newRow("value 0 clamps to 1") << hex("7E FC 00 01 01 7E") << 1 << 1 << 1 << 1;
    QTest::newRow("value 255 clamps to 254") << hex("7E FC FF 01 01 7E") << 1 << 1 << 1 << 254;
    QTest::newRow("level clamps to 3") << hex("7E FC 10 01 09 7E") << 1 << 3 << 1 << 16;
    // An unknown comparison leaves the box as it was ("less").
    QTest::newRow("comparison 5 ignored") << hex("7E FB 10 05 02 7E") << 2 << 2 << 0 << 16;
    QTest::newRow("comparison -1 ignored") << hex("7E FB 10 FF 02 7E") << 2 << 2 << 0 << 16;
}

void tst_Window::thresholds()
{
    QFETCH(QByteArray, wire);
    QFETCH(int, row);
    QFETCH(int, level);
    QFETCH(int, comparison);
    QFETCH(int, value);

    LinkedWindow linked;
    auto rowState = [&] {
        return QList<int>{ rowChild<QSpinBox>(linked.window, "levelSpinBox", row)->value(),
                           rowChild<QComboBox>(linked.window, "comparisonComboBox", row)->currentIndex(),
                           rowChild<QSpinBox>(linked.window, "valueSpinBox", row)->value() };
    };
    // The volts report marks the threshold as handled.
    QVERIFY(linked.send(wire + voltsFrame(0, 0, 0, 0)));
    QTRY_COMPARE(child<RenderArea>(linked.window, "renderArea")->newestSlot(), 0);
    QCOMPARE(rowState(), (QList<int>{ level, comparison, value }));
    // The other rows keep their defaults.
    for (int other = 1; other <= 4; ++other) {
        if (other != row)
            QCOMPARE(rowChild<QSpinBox>(linked.window, "valueSpinBox", other)->value(), 1);
    }
}

void tst_Window::accessibleNames_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("name");

    QTest::newRow("graph") << "renderArea" << "Telemetry graph";
    QTest::newRow("data pane") << "dataBrowser" << "User data";
    QTest::newRow("level 1") << "levelSpinBox1" << "Alarm 1 level";
    QTest::newRow("set 2") << "setButton2" << "Set alarm 2";
    QTest::newRow("comparison 4") << "comparisonComboBox4" << "Alarm 4 comparison";
    QTest::newRow("value 3") << "valueSpinBox3" << "Alarm 3 threshold value";
    QTest::newRow("caption 3") << "alarmLabel3" << "Alarm 3, channel 2";
}

// What a screen reader hears, through the accessibility interface.
void tst_Window::accessibleNames()
{
    QFETCH(QString, objectName);
    QFETCH(QString, name);
    Window window;
    QWidget *widget = window.findChild<QWidget *>(objectName);
    QVERIFY(widget);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(face);
    // On Linux a combo box reports its current item as its name and leaves the
    // label to the relations, so only its own name property can be checked.
    const bool nameIsText = qobject_cast<QComboBox *>(widget);
    QCOMPARE(nameIsText ? widget->accessibleName() : face->text(QAccessible::Name), name);
    if (!objectName.startsWith(QLatin1String("alarmLabel")))
        QVERIFY(!face->text(QAccessible::Description).isEmpty());
}

// A screen reader hears the status line's text, never a fixed name in its
// place.
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
    QCOMPARE(device.size(), 60);
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
        QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name), message);
    }
}

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
