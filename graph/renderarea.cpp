#include "renderarea.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QSaveFile>
#include <QStandardPaths>
#include <QToolTip>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

QPen channelPen(const QBrush &brush)
{
    QPen pen(brush, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(false); // scaled with the points, like the traces
    return pen;
}

int toY(char value)
{
    return 255 - static_cast<unsigned char>(value);
}

} // namespace

RenderArea::RenderArea(QWidget *parent)
    : QWidget(parent),
      brush1(Qt::blue, Qt::SolidPattern),
      brush2(Qt::red, Qt::SolidPattern),
      brush3(Qt::green, Qt::SolidPattern)
{
    for (int slot = 0; slot < Slots; ++slot)
        points1[slot] = points2[slot] = points3[slot] = QPoint(slot, 0);
    pen1 = channelPen(brush1);
    pen2 = channelPen(brush2);
    pen3 = channelPen(brush3);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    // Click or Tab gives the keyboard cursor.
    setFocusPolicy(Qt::StrongFocus);
    createActions();
    describeTimer.setSingleShot(true);
    describeTimer.setInterval(DescribeInterval);
    connect(&describeTimer, &QTimer::timeout, this, &RenderArea::describe);
}

QSize RenderArea::minimumSizeHint() const
{
    return QSize(100, 100);
}

QSize RenderArea::sizeHint() const
{
    return QSize(400, 200);
}

void RenderArea::addSample(char value1, char value2, char value3)
{
    if (!describeTimer.isActive())
        describeTimer.start();
    if (live) {
        // Paused: the picture stays as it is, the history goes on.
        live->head = (live->head + 1) & (Slots - 1);
        live->points1[live->head].setY(toY(value1));
        live->points2[live->head].setY(toY(value2));
        live->points3[live->head].setY(toY(value3));
        live->filled = std::min(live->filled + 1, int(Slots));
        return;
    }
    if (filled < Slots)
        ++filled;
    if (samplesSinceUpdate < Slots)
        ++samplesSinceUpdate;
    head = (head + 1) & (Slots - 1);
    points1[head].setY(toY(value1));
    points2[head].setY(toY(value2));
    points3[head].setY(toY(value3));
}

// From 128 pixels up each slot takes a whole number of pixels; below that
// a whole step would be 0 and collapse the traces onto the left edge.
qreal RenderArea::slotStep() const
{
    return width() >= Slots ? qreal(width() / Slots) : width() / qreal(Slots);
}

void RenderArea::updateChanged()
{
    const int added = samplesSinceUpdate;
    samplesSinceUpdate = 0;
    if (added == 0)
        return;
    // A new sample in slot h draws the segment from h - 2 to h - 1 and moves
    // the older run's start from h + 4 to h + 5. One more slot on each side
    // covers the pen's caps and joins.
    const int first = head - added + 1 - 3;
    const int last = head + GapSlots + 1;
    if (last - first + 1 >= Slots) {
        update();
        return;
    }
    // The changed slots may wrap around from the right edge to the left.
    updateSlots(first, last);
    if (first < 0)
        updateSlots(first + Slots, Slots - 1);
    if (last >= Slots)
        updateSlots(0, last - Slots);
}

void RenderArea::updateSlots(int first, int last)
{
    first = qMax(first, 0);
    last = qMin(last, Slots - 1);
    if (first > last)
        return;
    // Antialiasing may touch the pixel beside a stroke's edge.
    const qreal step = slotStep();
    const int left = int(std::floor(first * step)) - 2;
    const int right = int(std::ceil(last * step)) + 2;
    update(QRect(left, 0, right - left + 1, height()));
}

QPoint RenderArea::point(int channel, int slot) const
{
    const QPoint *rings[] = { points1, points2, points3 };
    return rings[channel - 1][slot & (Slots - 1)];
}

void RenderArea::paintEvent(QPaintEvent *event)
{
    painter.begin(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal step = slotStep();
    QTransform transform;
    transform.setMatrix(step, 0, 0, 0, height() / 255.0, 0, 0, 0, 1.0);

    // Only the slots under the area being painted are stroked: stroking the
    // whole sweep costs more than all else a report does. A slice reaches a
    // little beyond its rectangle, so the caps where a run is cut fall
    // outside; each rectangle is clipped to itself, so no pixel is blended
    // twice.
    const QRegion &area = event->region();
    for (const QRect &rect : area) {
        Slice slice = { 0, Slots - 1 };
        if (step > 0) {
            slice.first = int(std::floor((rect.left() - 2) / step)) - 3;
            slice.last = int(std::ceil((rect.right() + 2) / step)) + 3;
        }
        if (area.rectCount() > 1) {
            painter.resetTransform();
            painter.setClipRect(rect);
        }
        painter.setWorldTransform(transform, false);

        // Green over red over blue where the traces meet.
        drawChannel(pen1, points1, slice);
        drawChannel(pen2, points2, slice);
        drawChannel(pen3, points3, slice);
    }
    painter.end();
    paintExtras();
}

void RenderArea::drawChannel(const QPen &pen, const QPoint *points, Slice slice)
{
    painter.setPen(pen);
    drawRun(points, 0, head - 1, slice); // the newer run
    // Slots head .. head + 4 are the gap; slot 127 is never drawn.
    drawRun(points, head + GapSlots, Slots - 2, slice);
}

void RenderArea::drawRun(const QPoint *points, int first, int last, Slice slice)
{
    first = qMax(first, slice.first);
    last = qMin(last, slice.last);
    if (last - first + 1 >= 2)
        painter.drawPolyline(points + first, last - first + 1);
}

// ---- Reading the graph: readout, cursor, thresholds, pause, export ----

void RenderArea::createActions()
{
    thresholdsAction = new QAction(tr("Show alarm thresholds"), this);
    thresholdsAction->setObjectName(QStringLiteral("showThresholdsAction"));
    thresholdsAction->setCheckable(true);
    thresholdsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    thresholdsAction->setShortcutContext(Qt::WindowShortcut);
    connect(thresholdsAction, &QAction::toggled, this, &RenderArea::setThresholdsShown);

    pausingAction = new QAction(tr("Pause"), this);
    pausingAction->setObjectName(QStringLiteral("pauseAction"));
    pausingAction->setCheckable(true);
    pausingAction->setShortcut(QKeySequence(Qt::Key_Space));
    pausingAction->setShortcutContext(Qt::WidgetShortcut);
    connect(pausingAction, &QAction::toggled, this, &RenderArea::setPaused);

    savingAction = new QAction(tr("Save graph as image..."), this);
    savingAction->setObjectName(QStringLiteral("saveImageAction"));
    savingAction->setShortcut(QKeySequence::Save);
    savingAction->setShortcutContext(Qt::WindowShortcut);
    connect(savingAction, &QAction::triggered, this, &RenderArea::saveImageAs);

    copyingAction = new QAction(tr("Copy graph"), this);
    copyingAction->setObjectName(QStringLiteral("copyImageAction"));
    copyingAction->setShortcut(QKeySequence::Copy);
    copyingAction->setShortcutContext(Qt::WidgetShortcut);
    connect(copyingAction, &QAction::triggered, this, &RenderArea::copyImage);

    addActions({ thresholdsAction, pausingAction, savingAction, copyingAction });
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void RenderArea::setPurpose(const QString &text)
{
    purpose = text;
    describe();
}

// The purpose, then the newest sample (while paused too: only the picture
// stops).
void RenderArea::describe()
{
    const History *history = live.get();
    const int count = history ? history->filled : filled;
    QStringList parts;
    if (!purpose.isEmpty())
        parts << purpose;
    if (count > 0) {
        const int newest = history ? history->head : head;
        const QPoint *rings[] = { history ? history->points1 : points1,
                                  history ? history->points2 : points2,
                                  history ? history->points3 : points3 };
        parts << tr("Newest report: volt 1 %1, volt 2 %2, link quality %3")
                         .arg(255 - rings[0][newest].y())
                         .arg(255 - rings[1][newest].y())
                         .arg(255 - rings[2][newest].y());
    }
    if (history)
        parts << tr("Paused");
    if (recording)
        parts << tr("Recording");
    const QString text = parts.join(QLatin1String(". "));
    if (text != accessibleDescription())
        setAccessibleDescription(text);
}

QString RenderArea::readout(int slot) const
{
    slot &= Slots - 1;
    const int age = (head - slot) & (Slots - 1);
    if (age >= filled)
        return tr("No report in this slot yet");
    return tr("Reports ago: %1\nVolt 1: %2\nVolt 2: %3\nLink quality: %4")
            .arg(age)
            .arg(255 - points1[slot].y())
            .arg(255 - points2[slot].y())
            .arg(255 - points3[slot].y());
}

int RenderArea::slotAt(int x) const
{
    const qreal step = slotStep();
    if (step <= 0)
        return 0;
    return qBound(0, qRound(x / step), Slots - 1);
}

int RenderArea::cursorX(int slot) const
{
    return qMin(int(std::floor(slot * slotStep())), width() - 1);
}

bool RenderArea::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int slot = slotAt(help->pos().x());
        // The tip goes when the pointer leaves the slot, and the next one
        // tells of the slot it comes to.
        const qreal step = slotStep();
        const int left = int(std::floor((slot - 0.5) * step));
        const int right = int(std::ceil((slot + 0.5) * step));
        QToolTip::showText(help->globalPos(), readout(slot), this,
                           QRect(left, 0, qMax(1, right - left), height()));
        return true;
    }
    return QWidget::event(event);
}

void RenderArea::keyPressEvent(QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        moveCursor(qMax(0, cursor - 1));
        break;
    case Qt::Key_Right:
        moveCursor(qMin(int(Slots) - 1, cursor + 1));
        break;
    case Qt::Key_Home: // the newest
        moveCursor(filled > 0 ? head : 0);
        break;
    case Qt::Key_End: // the oldest
        moveCursor(filled < Slots ? 0 : (head + 1) & (Slots - 1));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void RenderArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        moveCursor(slotAt(qRound(event->position().x())));
    else
        QWidget::mousePressEvent(event);
}

void RenderArea::moveCursor(int slot)
{
    cursor = slot;
    update();
    QToolTip::showText(mapToGlobal(QPoint(cursorX(slot), height() / 2)), readout(slot), this);
}

void RenderArea::focusInEvent(QFocusEvent *event)
{
    if (cursor < 0)
        cursor = filled > 0 ? head : 0;
    update();
    QWidget::focusInEvent(event);
}

void RenderArea::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void RenderArea::setThreshold(int number, int channel, int value)
{
    if (number < 1 || number > ThresholdCount || channel < 1 || channel > 3)
        return;
    const int index = number - 1;
    if (value < 0 || value > 255)
        value = -1;
    if (thresholdValues[index] == value && thresholdChannels[index] == channel)
        return;
    thresholdValues[index] = value;
    thresholdChannels[index] = channel;
    if (showThresholds)
        update();
}

int RenderArea::thresholdValue(int number) const
{
    return number >= 1 && number <= ThresholdCount ? thresholdValues[number - 1] : -1;
}

int RenderArea::thresholdChannel(int number) const
{
    return number >= 1 && number <= ThresholdCount ? thresholdChannels[number - 1] : 0;
}

void RenderArea::setThresholdsShown(bool shown)
{
    if (shown == showThresholds)
        return;
    showThresholds = shown;
    thresholdsAction->setChecked(shown);
    update();
    emit thresholdsShownChanged(shown);
}

void RenderArea::setPaused(bool paused)
{
    if (paused == isPaused())
        return;
    if (paused) {
        live = std::make_unique<History>();
        std::copy(points1, points1 + Slots, live->points1);
        std::copy(points2, points2 + Slots, live->points2);
        std::copy(points3, points3 + Slots, live->points3);
        live->head = head;
        live->filled = filled;
    } else {
        std::copy(live->points1, live->points1 + Slots, points1);
        std::copy(live->points2, live->points2 + Slots, points2);
        std::copy(live->points3, live->points3 + Slots, points3);
        head = live->head;
        filled = live->filled;
        live.reset();
        samplesSinceUpdate = 0; // the whole picture is new
    }
    pausingAction->setChecked(paused);
    update();
    describe();
}

// Whatever has been turned on, over the traces. While nothing is, this
// costs a few tests a paint.
void RenderArea::paintExtras()
{
    const bool cursorShown = cursor >= 0 && hasFocus() && !exporting;
    const bool noteShown = isPaused() && !exporting;
    const bool markShown = recording && !exporting;
    if (!showThresholds && !cursorShown && !noteShown && !markShown)
        return;
    painter.begin(this);
    if (showThresholds)
        drawThresholds();
    if (cursorShown)
        drawCursor();
    if (noteShown)
        drawPausedNote();
    if (markShown)
        drawRecordingMark();
    painter.end();
}

// Each line lies where its value's trace would run; the numbers stand in
// columns of their own at the right end, so lines that meet stay apart.
void RenderArea::drawThresholds()
{
    QFont small = font();
    if (small.pointSizeF() > 0)
        small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    const QFontMetrics metrics(small);
    const int column = metrics.horizontalAdvance(QLatin1Char('8')) + 4;
    const QBrush *brushes[] = { &brush1, &brush2, &brush3 };
    for (int index = 0; index < ThresholdCount; ++index) {
        const int value = thresholdValues[index];
        if (value < 0)
            continue;
        const QColor colour = brushes[thresholdChannels[index] - 1]->color();
        const int y = qBound(0, int(std::floor((255 - value) * height() / 255.0)), height() - 1);
        QPen dashes(colour, 0, Qt::CustomDashLine);
        dashes.setDashPattern({ 4, 3 });
        painter.setPen(dashes);
        painter.drawLine(0, y, width() - 1, y);

        const int x = width() - (ThresholdCount - index) * column + 2;
        const int above = y - 2 - metrics.descent();
        const int baseline = above - metrics.ascent() >= 0 ? above : y + 2 + metrics.ascent();
        painter.setPen(colour);
        painter.drawText(x, baseline, QString::number(index + 1));
    }
}

void RenderArea::drawCursor()
{
    painter.setPen(QPen(palette().color(QPalette::Text), 0));
    const int x = cursorX(cursor);
    painter.drawLine(x, 0, x, height() - 1);
}

void RenderArea::drawPausedNote()
{
    const QString text = tr("Paused");
    const QFontMetrics metrics = fontMetrics();
    QRect box(0, 0, metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
    box.moveTopLeft(QPoint(4, 4));
    painter.setPen(QPen(palette().color(QPalette::Text), 0));
    painter.setBrush(palette().base());
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, text);
}

void RenderArea::drawRecordingMark()
{
    const QString text = tr("REC");
    const QFontMetrics metrics = fontMetrics();
    QRect box(0, 0, metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
    box.moveTopRight(QPoint(width() - 5, 4));
    painter.setPen(QPen(Qt::white, 0));
    painter.setBrush(QColor(0xc0, 0, 0));
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, text);
}

void RenderArea::setRecording(bool on)
{
    if (on == recording)
        return;
    recording = on;
    describe();
    update();
}

QImage RenderArea::image()
{
    if (size().isEmpty())
        return {};
    QImage picture(size(), QImage::Format_RGB32);
    exporting = true;
    render(&picture);
    exporting = false;
    return picture;
}

QString RenderArea::saveImage(const QString &path)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("Cannot save %1: %2").arg(shownPath, file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(image())) {
        file.cancelWriting();
        return tr("Cannot save %1: %2").arg(shownPath, writer.errorString());
    }
    if (!file.commit())
        return tr("Cannot save %1: %2").arg(shownPath, file.errorString());
    return {};
}

void RenderArea::saveImageAs()
{
    QFileDialog dialog(this, tr("Save graph as image"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("PNG images (*.png)"));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // The pictures folder where there is one, not wherever Duplink started.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    dialog.setDirectory(QDir(pictures).exists() ? pictures : QDir::homePath());
    dialog.selectFile(QStringLiteral("duplink-graph.png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString error = saveImage(dialog.selectedFiles().constFirst());
    if (!error.isEmpty())
        QMessageBox::warning(this, tr("Save graph as image"), error);
}

void RenderArea::copyImage()
{
    QGuiApplication::clipboard()->setImage(image());
}
