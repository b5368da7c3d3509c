#include "renderarea.h"

#include <QAction>
#include <QHelpEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace {

QPen channelPen(const QBrush &brush)
{
    QPen pen(brush, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(false); // scaled with the points, like the traces
    return pen;
}

} // namespace

RenderArea::RenderArea(QWidget *parent)
    : QWidget(parent),
      brush1(Qt::blue, Qt::SolidPattern),
      brush2(Qt::red, Qt::SolidPattern),
      brush3(Qt::green, Qt::SolidPattern)
{
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

// While paused the picture stays as it is; the sweep goes on.
void RenderArea::addSample(char value1, char value2, char value3)
{
    if (!describeTimer.isActive())
        describeTimer.start();
    sweep.add(value1, value2, value3);
    if (!frozen && samplesSinceUpdate < Slots)
        ++samplesSinceUpdate;
}

void RenderArea::updateChanged()
{
    const int added = samplesSinceUpdate;
    samplesSinceUpdate = 0;
    if (added > 0)
        update(traces().changedBy(picture().newestSlot(), added));
}

QPoint RenderArea::point(int channel, int slot) const
{
    return picture().point(channel, slot);
}

void RenderArea::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    traces().draw(painter, event->region(), picture(), { &pen1, &pen2, &pen3 });
    painter.end();

    // Whatever has been turned on, over the traces, with a painter afresh.
    // While nothing is, this costs a few tests a paint.
    const GraphOverlays extras = overlays();
    if (!extras.anything())
        return;
    painter.begin(this);
    extras.draw(painter);
}

// Exported pictures leave out what only the screen shows.
GraphOverlays RenderArea::overlays() const
{
    GraphOverlays extras;
    extras.thresholdsShown = showThresholds;
    extras.cursorX = cursor >= 0 && hasFocus() && !exporting ? traces().slotX(cursor) : -1;
    extras.paused = isPaused() && !exporting;
    extras.recording = recording && !exporting;
    if (!extras.anything())
        return extras;
    extras.size = size();
    extras.font = font();
    extras.palette = palette();
    const QBrush *brushes[] = { &brush1, &brush2, &brush3 };
    for (int index = 0; index < ThresholdCount && showThresholds; ++index) {
        GraphOverlays::ThresholdLine &line = extras.thresholds[index];
        line.value = thresholdValues[index];
        line.colour = brushes[thresholdChannels[index] - 1]->color();
        line.label = thresholdLabel(index);
    }
    return extras;
}

// ---- Reading the graph: readout, cursor, thresholds, pause ----

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

    exporter = new GraphExport(this, [this] { return image(); });
    addActions({ thresholdsAction, pausingAction, exporter->saveAction(), exporter->copyAction() });
}

// The actions as a menu, tooltips and all: a disabled entry says why.
void RenderArea::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.setToolTipsVisible(true);
    menu.addActions(actions());
    menu.exec(event->globalPos());
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
    QStringList parts;
    if (!purpose.isEmpty())
        parts << purpose;
    if (sweep.filledSlots() > 0) {
        QStringList values;
        for (int channel = 1; channel <= Sweep::Channels; ++channel) {
            const ChannelScale &scale = scales[channel - 1];
            values << scale.nameInSentence() + QLatin1Char(' ')
                            + scale.valueText(sweep.value(channel, sweep.newestSlot()));
        }
        parts << tr("Newest report: %1").arg(values.join(QLatin1String(", ")));
    }
    if (isPaused())
        parts << tr("Paused");
    if (recording)
        parts << tr("Recording");
    const QString text = parts.join(QLatin1String(". "));
    if (text != accessibleDescription())
        setAccessibleDescription(text);
}

QString RenderArea::readout(int slot) const
{
    const Sweep &shown = picture();
    if (!shown.holdsSample(slot))
        return tr("No report in this slot yet");
    QStringList lines(tr("Reports ago: %1").arg(shown.age(slot)));
    for (int channel = 1; channel <= Sweep::Channels; ++channel) {
        const ChannelScale &scale = scales[channel - 1];
        lines << tr("%1: %2").arg(scale.name, scale.reading(shown.value(channel, slot)));
    }
    return lines.join(QLatin1Char('\n'));
}

void RenderArea::setChannelScale(int channel, const ChannelScale &scale)
{
    if (channel < 1 || channel > Sweep::Channels || scales[channel - 1] == scale)
        return;
    scales[channel - 1] = scale;
    describe();
    if (showThresholds)
        update();
}

// The row's number, and its value in its channel's unit where it has one.
QString RenderArea::thresholdLabel(int index) const
{
    const ChannelScale &scale = scales[thresholdChannels[index] - 1];
    if (!scale.hasUnit())
        return QString::number(index + 1);
    return tr("%1: %2").arg(index + 1).arg(scale.valueText(thresholdValues[index]));
}

bool RenderArea::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int slot = slotAt(help->pos().x());
        // The tip goes when the pointer leaves the slot, and the next one
        // tells of the slot it comes to.
        QToolTip::showText(help->globalPos(), readout(slot), this, traces().slotArea(slot));
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
    const Sweep &shown = picture();
    switch (event->key()) {
    case Qt::Key_Left:
        moveCursor(qMax(0, cursor - 1));
        break;
    case Qt::Key_Right:
        moveCursor(qMin(int(Slots) - 1, cursor + 1));
        break;
    case Qt::Key_Home: // the newest
        moveCursor(shown.filledSlots() > 0 ? shown.newestSlot() : 0);
        break;
    case Qt::Key_End: // the oldest
        moveCursor(shown.filledSlots() < Slots ? 0 : (shown.newestSlot() + 1) & (Slots - 1));
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
    QToolTip::showText(mapToGlobal(QPoint(traces().slotX(slot), height() / 2)), readout(slot), this);
}

void RenderArea::focusInEvent(QFocusEvent *event)
{
    if (cursor < 0)
        cursor = picture().filledSlots() > 0 ? picture().newestSlot() : 0;
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
        frozen = std::make_unique<Sweep>(sweep);
    } else {
        frozen.reset();
        samplesSinceUpdate = 0; // the whole picture is new
    }
    pausingAction->setChecked(paused);
    update();
    describe();
}

void RenderArea::setRecording(bool on)
{
    if (on == recording)
        return;
    recording = on;
    describe();
    update();
}

// ---- The picture for saving and copying ----

QImage RenderArea::image()
{
    if (size().isEmpty())
        return {};
    QImage shown(size(), QImage::Format_RGB32);
    exporting = true;
    render(&shown);
    exporting = false;
    return shown;
}

