#include "renderarea.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QImage>
#include <QImageReader>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QMenu>
#include <QContextMenuEvent>
#include <QTimer>
#include <QTest>
#include <QToolTip>

#include <cmath>

namespace {

enum Ink { Background, Blue, Red, Green, Mixed };
const Ink ChannelInk[] = { Background, Blue, Red, Green };

// Antialiased edges blend the channel colour with the white base, so a pixel
// counts as a channel's ink when that component clearly leads the other two.
Ink inkOf(QRgb pixel)
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (qMin(r, qMin(g, b)) >= 235)
        return Background;
    if (b - qMax(r, g) >= 30)
        return Blue;
    if (r - qMax(g, b) >= 30)
        return Red;
    if (g - qMax(r, b) >= 30)
        return Green;
    return Mixed;
}

QImage render(RenderArea &area, int width, int height)
{
    area.resize(width, height);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black); // shows up wherever the widget paints nothing
    area.render(&image);
    return image;
}

bool columnHasTrace(const QImage &image, int x)
{
    for (int y = 0; y < image.height(); ++y) {
        if (inkOf(image.pixel(x, y)) != Background)
            return true;
    }
    return false;
}

// Values are bytes as the module sends them: 200 arrives as the char -56.
void addSamples(RenderArea &area, int count, int value1, int value2, int value3)
{
    for (int i = 0; i < count; ++i)
        area.addSample(char(value1), char(value2), char(value3));
}

// Puts `value` into `slot` of one channel, with every other drawn point of
// every channel at `baseline`, and finishes the spike so that it is drawn.
void drawSpike(RenderArea &area, int channel, int slot, char value, char baseline)
{
    addSamples(area, slot, baseline, baseline, baseline);
    char values[] = { baseline, baseline, baseline };
    values[channel - 1] = value;
    area.addSample(values[0], values[1], values[2]);
    addSamples(area, 2, baseline, baseline, baseline);
}

// The tip of the spike: the row of the channel's ink farthest from the
// baseline edge near expectedX, and the mean x of that ink in that row.
QPointF spikeTip(const QImage &image, Ink ink, qreal expectedX, bool fromTop)
{
    const int reach = 4;
    for (int i = 0; i < image.height(); ++i) {
        const int y = fromTop ? i : image.height() - 1 - i;
        qreal sum = 0;
        int count = 0;
        for (int x = qMax(0, int(expectedX) - reach);
             x <= qMin(image.width() - 1, int(expectedX) + reach); ++x) {
            if (inkOf(image.pixel(x, y)) == ink) {
                sum += x + 0.5;
                ++count;
            }
        }
        if (count)
            return QPointF(sum / count, y + 0.5);
    }
    return QPointF(-100, -100);
}

// Shown in an active window, with the keyboard focus (and so the cursor).
bool showFocused(RenderArea &area)
{
    area.show();
    if (!QTest::qWaitForWindowActive(&area))
        return false;
    area.setFocus(Qt::TabFocusReason);
    return area.hasFocus();
}

} // namespace

class tst_RenderArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaults();
    void slotsFillInOrderAndWrap();
    void tracesStartAlongTopEdge_data();
    void tracesStartAlongTopEdge();
    void sampleLandsInItsSlot_data();
    void sampleLandsInItsSlot();
    void gapAfterNewestSample_data();
    void gapAfterNewestSample();

    void readout_data();
    void readout();
    void pointerAndKeysMoveTheReadout();
    void cursorDrawnOnlyWithFocus();
    void accessibleDescriptionGivesTheNewest();
    void thresholdLines_data();
    void thresholdLines();
    void thresholdsOffDrawNothing();
    void shortcutsToggleThresholdsAndPause();
    void overlaysSurvivePartialRepaints();
    void pauseFreezesThePicture();
    void saveAndCopyThePicture();
};

void tst_RenderArea::initTestCase()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, Qt::white);
    QApplication::setPalette(palette);
}

// Nothing turned on at first; every action in the context menu, by name.
void tst_RenderArea::defaults()
{
    RenderArea area;
    QCOMPARE(area.sizeHint(), QSize(400, 200));
    QCOMPARE(area.minimumSizeHint(), QSize(100, 100));
    QVERIFY(!area.thresholdsShown() && !area.isPaused());
    // Right-click shows the actions with their tooltips: a disabled entry says why.
    QList<QAction *> shown;
    QTimer::singleShot(0, &area, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            shown = menu->toolTipsVisible() ? menu->actions() : QList<QAction *>();
            menu->close();
        }
    });
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), area.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&area, &rightClick);
    QCOMPARE(shown, area.actions());
    QStringList texts;
    for (QAction *action : area.actions())
        texts << action->objectName() + '|' + action->text() + '|' + action->shortcut().toString();
    QCOMPARE(texts, (QStringList{ "showThresholdsAction|Show alarm thresholds|Ctrl+T",
                                  "pauseAction|Pause|Space", "saveImageAction|Save graph as image...|Ctrl+S",
                                  "copyImageAction|Copy graph|Ctrl+C" }));

    // The base colour fills it, not the window's.
    QPalette palette = area.palette();
    palette.setColor(QPalette::Base, Qt::yellow);
    palette.setColor(QPalette::Window, Qt::magenta);
    area.setPalette(palette);
    const QImage image = render(area, 400, 200);
    QCOMPARE(QColor(image.pixel(200, 100)), QColor(Qt::yellow));
    QCOMPARE(QColor(image.pixel(399, 199)), QColor(Qt::yellow));
}

void tst_RenderArea::slotsFillInOrderAndWrap()
{
    RenderArea area;
    area.addSample(10, -1, -128);
    QCOMPARE(area.newestSlot(), 0);
    QCOMPARE(area.point(1, 0), QPoint(0, 245));
    QCOMPARE(area.point(2, 0), QPoint(0, 0)); // -1 is 255
    QCOMPARE(area.point(3, 0), QPoint(0, 127)); // -128 is 128
    QCOMPARE(area.point(1, 1), QPoint(1, 0)); // untouched slots read as 255

    for (int sample = 2; sample <= 128; ++sample)
        area.addSample(char(sample), 0, 0);
    QCOMPARE(area.newestSlot(), 127);
    QCOMPARE(area.point(1, 127).y(), 255 - 128);

    area.addSample(20, 30, 40);
    QCOMPARE(area.newestSlot(), 0);
    QCOMPARE(area.point(1, 0), QPoint(0, 235));
    QCOMPARE(area.point(3, 0), QPoint(0, 215));
    QCOMPARE(area.point(1, 1), QPoint(1, 253)); // the second sample is still there
    for (int slot = 0; slot < RenderArea::Slots; ++slot)
        QCOMPARE(area.point(2, slot).x(), slot);
}

void tst_RenderArea::tracesStartAlongTopEdge_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("fullyCovered");
    QTest::newRow("preferred size") << QSize(400, 200) << false;
    // Height 510 makes the pen two pixels thick, so green covers the whole top row.
    QTest::newRow("thick pen") << QSize(384, 510) << true;
}

void tst_RenderArea::tracesStartAlongTopEdge()
{
    QFETCH(QSize, size);
    QFETCH(bool, fullyCovered);
    RenderArea area;
    const QImage image = render(area, size.width(), size.height());
    const int lastX = 126 * 3; // slot 127 is never drawn
    for (int x = 0; x < image.width(); ++x) {
        const QRgb top = image.pixel(x, 0);
        if (x <= lastX) {
            QVERIFY2(inkOf(top) == Green, qPrintable(QStringLiteral("x = %1").arg(x)));
            if (fullyCovered)
                QCOMPARE(QColor(top), QColor(Qt::green));
        } else if (x >= lastX + 3) {
            QCOMPARE(inkOf(top), Background);
        }
        for (int y = 1; y < image.height(); ++y)
            QCOMPARE(inkOf(image.pixel(x, y)), Background);
    }
}

void tst_RenderArea::sampleLandsInItsSlot_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("drawnAs");
    QTest::addColumn<qreal>("expectedX");
    QTest::newRow("255 at the top, blue") << 400 << 1 << 10 << 255 << 255 << 30.0;
    QTest::newRow("0 at the bottom, red") << 400 << 2 << 64 << 0 << 0 << 192.0;
    QTest::newRow("middle, green") << 400 << 3 << 100 << 128 << 128 << 300.0;
    QTest::newRow("just below middle, blue") << 400 << 1 << 40 << 127 << 127 << 120.0;
    QTest::newRow("1, green") << 400 << 3 << 5 << 1 << 1 << 15.0;
    QTest::newRow("-1 is 255, red") << 400 << 2 << 120 << -1 << 255 << 360.0;
    QTest::newRow("-100 is 156, green") << 400 << 3 << 77 << -100 << 156 << 231.0;
    // From 128 pixels up a slot takes a whole number of pixels.
    QTest::newRow("width 128: step 1") << 128 << 1 << 100 << 200 << 200 << 100.0;
    QTest::newRow("width 255: step 1") << 255 << 1 << 100 << 200 << 200 << 100.0;
    QTest::newRow("width 256: step 2") << 256 << 1 << 100 << 200 << 200 << 200.0;
    QTest::newRow("width 383: still 2") << 383 << 1 << 100 << 200 << 200 << 200.0;
    // Below that a whole step would be 0; the history spreads over the width instead.
    QTest::newRow("width 127") << 127 << 1 << 120 << 200 << 200 << 120 * 127 / 128.0;
    QTest::newRow("width 100") << 100 << 2 << 100 << 50 << 50 << 100 * 100 / 128.0;
    QTest::newRow("width 100, slot 20") << 100 << 3 << 20 << 200 << 200 << 20 * 100 / 128.0;
}

void tst_RenderArea::sampleLandsInItsSlot()
{
    QFETCH(int, width);
    QFETCH(int, channel);
    QFETCH(int, slot);
    QFETCH(int, value);
    QFETCH(int, drawnAs);
    QFETCH(qreal, expectedX);
    RenderArea area;
    const bool high = drawnAs >= 128; // spike up from the bottom, else down from the top
    drawSpike(area, channel, slot, char(value), char(high ? 0 : 255));
    const QImage image = render(area, width, 200);
    const QPointF tip = spikeTip(image, ChannelInk[channel], expectedX, high);
    QVERIFY2(std::abs(tip.x() - expectedX) <= 1.5, qPrintable(QString::number(tip.x())));
    const qreal expectedY = (255 - drawnAs) * 200 / 255.0;
    QVERIFY2(std::abs(tip.y() - expectedY) <= 1.5, qPrintable(QString::number(tip.y())));
}

void tst_RenderArea::gapAfterNewestSample_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("firstEmptySlot");
    QTest::addColumn<int>("lastEmptySlot");
    QTest::newRow("first sample") << 1 << 0 << 4;
    QTest::newRow("second sample, slot 0 alone is no line") << 2 << 0 << 5;
    QTest::newRow("third sample") << 3 << 2 << 6;
    QTest::newRow("mid sweep") << 61 << 60 << 64;
    QTest::newRow("old run down to two points") << 121 << 120 << 124;
    QTest::newRow("old run down to one point") << 122 << 121 << 127;
    QTest::newRow("sweep end") << 127 << 126 << 127;
    QTest::newRow("wrapped to slot 0") << 129 << 0 << 4;
    QTest::newRow("second lap") << 140 << 11 << 15;
}

void tst_RenderArea::gapAfterNewestSample()
{
    QFETCH(int, samples);
    QFETCH(int, firstEmptySlot);
    QFETCH(int, lastEmptySlot);
    RenderArea area;
    addSamples(area, samples, 200, 100, 30);
    const QImage image = render(area, 400, 200);
    // Each slot is 3 pixels wide; the square caps reach 1.5 pixels past a point.
    for (int x = firstEmptySlot * 3; x <= lastEmptySlot * 3; ++x)
        QVERIFY2(!columnHasTrace(image, x), qPrintable(QStringLiteral("x = %1").arg(x)));
    if (firstEmptySlot > 0)
        QVERIFY(columnHasTrace(image, (firstEmptySlot - 1) * 3));
    if (lastEmptySlot < 127)
        QVERIFY(columnHasTrace(image, (lastEmptySlot + 1) * 3));
}

// Samples i = 0, 1, 2 ... carry volt 1 = 10 + i, volt 2 = 100 + i and
// link quality = 200 + i (as bytes: 200 + i arrives as a negative char).
void addNumbered(RenderArea &area, int count, int first = 0)
{
    for (int i = first; i < first + count; ++i)
        area.addSample(char(10 + i), char(100 + i), char(200 + i));
}

QString numbered(int age, int i)
{
    return QStringLiteral("Reports ago: %1\nVolt 1: %2\nVolt 2: %3\nLink quality: %4")
            .arg(age).arg(10 + i).arg(100 + i).arg((200 + i) & 0xff);
}

void tst_RenderArea::readout_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    const QString empty = QStringLiteral("No report in this slot yet");
    QTest::newRow("nothing yet") << 0 << 0 << empty;
    QTest::newRow("newest") << 3 << 2 << numbered(0, 2);
    QTest::newRow("two reports ago") << 3 << 0 << numbered(2, 0);
    QTest::newRow("empty slot") << 3 << 3 << empty;
    QTest::newRow("last slot, empty") << 3 << 127 << empty;
    QTest::newRow("full sweep, newest in 127") << 128 << 127 << numbered(0, 127);
    QTest::newRow("full sweep, oldest in 0") << 128 << 0 << numbered(127, 0);
    QTest::newRow("wrapped, newest in 1") << 130 << 1 << numbered(0, 129);
    QTest::newRow("wrapped, oldest in the gap") << 130 << 2 << numbered(127, 2);
    QTest::newRow("wrapped, end of the sweep") << 130 << 127 << numbered(2, 127);
}

void tst_RenderArea::readout()
{
    QFETCH(int, samples);
    QFETCH(int, slot);
    QFETCH(QString, text);
    RenderArea area;
    addNumbered(area, samples);
    QCOMPARE(area.readout(slot), text);
}

void tst_RenderArea::pointerAndKeysMoveTheReadout()
{
    RenderArea area;
    area.resize(384, 200);
    addNumbered(area, 130); // newest in slot 1, oldest in slot 2
    QCOMPARE(area.cursorSlot(), -1);
    QVERIFY(showFocused(area));
    QCOMPARE(area.cursorSlot(), 1); // starts at the newest

    const struct
    {
        Qt::Key key;
        int slot;
        QString text;
    } moves[] = {
        { Qt::Key_Left, 0, numbered(1, 128) },
        { Qt::Key_Left, 0, numbered(1, 128) }, // stays at the left edge
        { Qt::Key_Right, 1, numbered(0, 129) },
        { Qt::Key_Right, 2, numbered(127, 2) },
        { Qt::Key_Home, 1, numbered(0, 129) },
        { Qt::Key_End, 2, numbered(127, 2) },
        { Qt::Key_Right, 3, numbered(126, 3) },
    };
    for (const auto &move : moves) {
        QTest::keyClick(&area, move.key);
        QCOMPARE(area.cursorSlot(), move.slot);
        QCOMPARE(QToolTip::text(), move.text);
    }
    for (int i = 0; i < 200; ++i)
        QTest::keyClick(&area, Qt::Key_Right);
    QCOMPARE(area.cursorSlot(), 127); // stays at the right edge
    QTest::keyClick(&area, Qt::Key_Left);
    QCOMPARE(QToolTip::text(), numbered(3, 126));

    // Before the sweep is full the oldest is in slot 0. The tooltip and a
    // click read the slot whose point is nearest the pointer, on either side.
    RenderArea young;
    young.resize(384, 200); // 3 pixels a slot
    addNumbered(young, 5);
    QVERIFY(showFocused(young));
    auto tipAt = [&](int x) {
        const QPoint pos(x, 100);
        QHelpEvent help(QEvent::ToolTip, pos, young.mapToGlobal(pos));
        QCoreApplication::sendEvent(&young, &help);
        return QToolTip::text();
    };
    QCOMPARE(tipAt(3 * 2), numbered(2, 2));
    QCOMPARE(tipAt(3 * 4 - 1), numbered(0, 4));
    QCOMPARE(tipAt(3 * 4 + 1), numbered(0, 4));
    QCOMPARE(tipAt(3 * 50), QStringLiteral("No report in this slot yet"));
    QTest::mouseClick(&young, Qt::LeftButton, {}, QPoint(3 * 3 - 1, 100));
    QCOMPARE(young.cursorSlot(), 3);
    QTest::keyClick(&young, Qt::Key_End);
    QCOMPARE(young.cursorSlot(), 0);
    QCOMPARE(QToolTip::text(), numbered(4, 0));
    QTest::keyClick(&young, Qt::Key_Home);
    QCOMPARE(young.cursorSlot(), 4);
    QToolTip::hideText();
}

void tst_RenderArea::cursorDrawnOnlyWithFocus()
{
    RenderArea area;
    addSamples(area, 60, 40, 30, 20); // the traces stay in the lower part
    const QImage plain = render(area, 384, 200);

    QVERIFY(showFocused(area));
    QCOMPARE(area.cursorSlot(), 59);
    QTest::keyClick(&area, Qt::Key_Left);
    QTest::keyClick(&area, Qt::Key_Left);
    const QImage focused = render(area, 384, 200);
    const int x = 57 * 3;
    for (int y = 0; y < 100; ++y) {
        QCOMPARE(inkOf(focused.pixel(x, y)), Mixed); // dark: the text colour
        QCOMPARE(focused.pixel(x - 2, y), plain.pixel(x - 2, y));
        QCOMPARE(focused.pixel(x + 2, y), plain.pixel(x + 2, y));
    }
    // Exported pictures leave the cursor out.
    QCOMPARE(area.image(), plain);

    area.clearFocus();
    QCOMPARE(render(area, 384, 200), plain);
}

// Refreshed an interval (shortened here) after a report, and while reports
// keep coming once an interval: neither per report nor put off till they stop.
void tst_RenderArea::accessibleDescriptionGivesTheNewest()
{
    RenderArea area;
    QCOMPARE(area.describeInterval(), RenderArea::DescribeInterval);
    const int interval = 100;
    area.setDescribeInterval(interval);
    area.setPurpose(QStringLiteral("The graph"));
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&area);
    QVERIFY(face);
    auto description = [&] { return face->text(QAccessible::Description); };

    area.addSample(char(140), char(96), char(200));
    QCOMPARE(description(), QStringLiteral("The graph"));
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE(description(), QStringLiteral("The graph. Newest report: volt 1 140, volt 2 96, link quality 200"));
    QVERIFY2(clock.elapsed() >= interval * 9 / 10, qPrintable(QString::number(clock.elapsed())));

    int refreshes = 0, i = 0;
    clock.start();
    for (QString shown = description(); clock.elapsed() < 4 * interval; shown = description(), ++i) {
        area.addSample(char(i), char(i), char(i));
        QTest::qWait(5);
        refreshes += description() != shown;
    }
    QVERIFY2(refreshes >= 1 && refreshes <= clock.elapsed() / (interval * 9 / 10) + 1,
             qPrintable(QString::number(refreshes)));
    QTRY_COMPARE(description(),
                 QStringLiteral("The graph. Newest report: volt 1 %1, volt 2 %1, link quality %1").arg(i - 1));
}

void tst_RenderArea::thresholdLines_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("row");
    // The trace's own scale: y = (255 - value) * height / 255.
    QTest::newRow("100 on channel 1") << 100 << 1 << 200 << 121;
    QTest::newRow("200 on channel 2") << 200 << 2 << 200 << 43;
    QTest::newRow("1 on channel 1") << 1 << 1 << 255 << 254;
    QTest::newRow("254 on channel 2") << 254 << 2 << 255 << 1;
    QTest::newRow("128 on channel 1, height 510") << 128 << 1 << 510 << 254;
}

void tst_RenderArea::thresholdLines()
{
    QFETCH(int, value);
    QFETCH(int, channel);
    QFETCH(int, height);
    QFETCH(int, row);
    RenderArea area;
    addSamples(area, 20, 255, 255, 255); // the traces along the top edge, away from the lines
    area.setThreshold(3, channel, value);
    area.setThresholdsShown(true);
    const QImage image = render(area, 384, height);
    const Ink ink = ChannelInk[channel];
    // Dashes of 4 pixels every 7 along the line, left of the numbers.
    int inked = 0;
    for (int x = 0; x < 300; ++x) {
        const Ink found = inkOf(image.pixel(x, row));
        QVERIFY2(found == ink || found == Background, qPrintable(QStringLiteral("x = %1").arg(x)));
        if (found == ink)
            ++inked;
    }
    QVERIFY2(inked >= 300 * 4 / 7 - 4 && inked <= 300 * 4 / 7 + 4, qPrintable(QString::number(inked)));
    QCOMPARE(QColor(image.pixel(0, row)), channel == 1 ? QColor(Qt::blue) : QColor(Qt::red));
    for (int y = qMax(2, row - 20); y < qMin(height, row + 20); ++y) {
        if (y != row)
            QCOMPARE(inkOf(image.pixel(100, y)), Background);
    }
    // The number at the right end, in the line's colour.
    bool numbered = false;
    for (int y = qMax(2, row - 20); y < qMin(height, row + 20) && !numbered; ++y) {
        for (int x = 330; x < 384 && !numbered; ++x)
            numbered = y != row && inkOf(image.pixel(x, y)) == ink;
    }
    QVERIFY(numbered);
}

void tst_RenderArea::thresholdsOffDrawNothing()
{
    RenderArea area;
    addSamples(area, 70, 120, 60, 200);
    const QImage plain = render(area, 400, 200);
    for (int number = 1; number <= RenderArea::ThresholdCount; ++number)
        area.setThreshold(number, number <= 2 ? 1 : 2, 40 * number);
    QCOMPARE(render(area, 400, 200), plain);
    area.setThresholdsShown(true);
    QVERIFY(render(area, 400, 200) != plain);
    area.setThresholdsShown(false);
    QCOMPARE(render(area, 400, 200), plain);

    // A value out of range removes its line.
    area.setThresholdsShown(true);
    for (int number = 1; number <= RenderArea::ThresholdCount; ++number)
        area.setThreshold(number, 1, -1);
    QCOMPARE(render(area, 400, 200), plain);
}

void tst_RenderArea::shortcutsToggleThresholdsAndPause()
{
    RenderArea area;
    QVERIFY(showFocused(area));
    QTest::keyClick(&area, Qt::Key_Space);
    QVERIFY(area.isPaused());
    QTest::keyClick(&area, Qt::Key_Space);
    QVERIFY(!area.isPaused());
    area.pauseAction()->trigger();
    QVERIFY(area.isPaused());

    QSignalSpy toggled(&area, &RenderArea::thresholdsShownChanged);
    QTest::keyClick(&area, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(area.thresholdsShown());
    QVERIFY(area.showThresholdsAction()->isChecked());
    area.showThresholdsAction()->trigger();
    QVERIFY(!area.thresholdsShown());
    area.setThresholdsShown(true);
    QVERIFY(area.showThresholdsAction()->isChecked());
    QCOMPARE(QList<QVariantList>(toggled), (QList<QVariantList>{ { true }, { false }, { true } }));
}

// What reaches the screen after many small repaints of the changed slots
// is what one whole repaint draws: dashes, numbers and cursor included.
void tst_RenderArea::overlaysSurvivePartialRepaints()
{
    RenderArea area;
    area.resize(400, 200);
    area.setThreshold(1, 1, 100);
    area.setThreshold(2, 1, 180);
    area.setThreshold(3, 2, 60);
    area.setThreshold(4, 2, 250);
    area.setThresholdsShown(true);
    QVERIFY(showFocused(area));
    QTest::keyClick(&area, Qt::Key_Right);
    for (int i = 0; i < 300; ++i) {
        area.addSample(char(90 + i % 30), char(50 + i % 20), char(170 + i % 10));
        if (i % 3 == 0) {
            area.updateChanged();
            QCoreApplication::processEvents();
        }
    }
    area.updateChanged();
    QCoreApplication::processEvents();
    const QImage onScreen = area.screen()->grabWindow(area.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(onScreen.size(), QSize(400, 200));
    QCOMPARE(onScreen, area.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

void tst_RenderArea::pauseFreezesThePicture()
{
    RenderArea area;
    area.resize(400, 200);
    area.setDescribeInterval(10);
    addNumbered(area, 40);
    const QImage before = area.image();
    const QString newestBefore = area.readout(area.newestSlot());

    area.setPaused(true);
    QVERIFY(area.isPaused());
    QVERIFY(area.pauseAction()->isChecked());
    const QImage paused = render(area, 400, 200);
    QVERIFY(paused != before); // the note
    addNumbered(area, 100, 40);
    QCOMPARE(render(area, 400, 200), paused);
    QCOMPARE(area.image(), before);
    QCOMPARE(area.readout(area.newestSlot()), newestBefore);
    QTRY_VERIFY(area.accessibleDescription().endsWith(QLatin1String("link quality 83. Paused"))); // sample 139
    // The note sits in the top-left corner, nowhere else.
    QCOMPARE(paused.copy(101, 0, 299, 200), before.copy(101, 0, 299, 200));
    QCOMPARE(paused.copy(0, 51, 400, 149), before.copy(0, 51, 400, 149));

    area.setPaused(false);
    RenderArea reference;
    addNumbered(reference, 140);
    QCOMPARE(area.newestSlot(), reference.newestSlot());
    QCOMPARE(render(area, 400, 200), render(reference, 400, 200));
    QCOMPARE(area.readout(area.newestSlot()), numbered(0, 139));
}

// As a PNG at the widget's size, or on the clipboard; a path that cannot be
// written gives the reason, and no file.
void tst_RenderArea::saveAndCopyThePicture()
{
    QTemporaryDir folder;
    RenderArea area;
    area.resize(333, 177);
    addNumbered(area, 50);
    const QString path = folder.filePath(QStringLiteral("graph.png"));
    QCOMPARE(area.saveImage(path), QString());
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage saved = reader.read();
    QCOMPARE(saved.size(), QSize(333, 177));
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), area.image());

    area.copyAction()->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), area.image());

    const QString unwritable = path + QStringLiteral("/graph.png"); // under a file
    const QString error = area.saveImage(unwritable);
    QVERIFY(error.startsWith(QStringLiteral("Cannot save ") + unwritable + QStringLiteral(": ")));
    QVERIFY(error.size() > QStringLiteral("Cannot save %1: ").arg(unwritable).size());
    QVERIFY(!QFile::exists(unwritable));
}

QTEST_MAIN(tst_RenderArea)
#include "tst_renderarea.moc"
