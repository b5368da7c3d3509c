#include "renderarea.h"

#include <QApplication>
#include <QImage>
#include <QTest>

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

} // namespace

class tst_RenderArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sizeHints();
    void slotsFillInOrderAndWrap();
    void fillsWithBaseColour();
    void tracesStartAlongTopEdge_data();
    void tracesStartAlongTopEdge();
    void sampleLandsInItsSlot_data();
    void sampleLandsInItsSlot();
    void gapAfterNewestSample_data();
    void gapAfterNewestSample();
};

void tst_RenderArea::initTestCase()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, Qt::white);
    QApplication::setPalette(palette);
}

void tst_RenderArea::sizeHints()
{
    RenderArea area;
    QCOMPARE(area.sizeHint(), QSize(400, 200));
    QCOMPARE(area.minimumSizeHint(), QSize(100, 100));
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

void tst_RenderArea::fillsWithBaseColour()
{
    RenderArea area;
    QPalette palette = area.palette();
    palette.setColor(QPalette::Base, Qt::yellow);
    palette.setColor(QPalette::Window, Qt::magenta);
    area.setPalette(palette);
    const QImage image = render(area, 400, 200);
    QCOMPARE(QColor(image.pixel(200, 100)), QColor(Qt::yellow));
    QCOMPARE(QColor(image.pixel(399, 199)), QColor(Qt::yellow));
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

QTEST_MAIN(tst_RenderArea)
#include "tst_renderarea.moc"
